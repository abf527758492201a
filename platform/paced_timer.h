// The Timer of every backend whose system gives it an alarm, written once over TickPacer. The
// backend supplies the native alarm and keeps the list of the program's timers; this file keeps
// the schedule, runs the handler and follows the program's end.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/tick_pacer.h"

namespace lv::ui {

struct Timer::Impl {
  Impl(Timer& owner, std::string name);

  Timer& owner;
  std::string name;
  std::unique_ptr<Alarm> alarm;  // the backend's native timer; each ringing calls wake()
  TickPacer pacer;

  // Runs the handler once if a tick is due; never once the program has ended.
  void wake();
};

// What a backend with an alarm defines for the timer above.
std::unique_ptr<Alarm> make_alarm(Timer::Impl& timer);
std::vector<Timer::Impl*>& program_timers();  // every live timer, in creation order
bool program_ended();

}  // namespace lv::ui
