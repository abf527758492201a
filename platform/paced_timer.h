// Timer, written once for every backend over TickPacer. The backend supplies the native alarm
// (make_alarm) and the clock it runs on (TickClock::now); this keeps the schedule, runs the
// handler and follows the program's end.
#pragma once

#include <memory>
#include <string>

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

// What a backend defines for the timer above: its native alarm for this timer.
std::unique_ptr<Alarm> make_alarm(Timer::Impl& timer);

// A timer's handler never waits for a window or a message (see Timer). The program's own loop
// calls this before it waits, and the headless backend, where every drill test runs, before it
// shows a window modally or a message: it throws std::logic_error while a handler runs.
void refuse_to_wait_in_a_tick();

// The first of the program's timers that is making up for ticks a busy moment held back, whose
// next tick the loop runs without waiting for its alarm; null when none is.
Timer* timer_catching_up();

}  // namespace lv::ui
