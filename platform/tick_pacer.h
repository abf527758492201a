// What a timer of every backend that delivers real ticks does, written once: it keeps the tick
// schedule, runs the handler once per deadline that has passed, makes up for ticks a busy moment
// held back, and keeps the backend's native timer in step with the schedule. The native timer is
// periodic and keeps its own phase, so it is armed when the timer starts and again only when it
// has fallen out of step, not once per tick. A long wait is never left to one native timer: a
// browser may ring one that has waited seconds hundreds of milliseconds late, so the alarm rings
// at least every kLongestWait and is armed again for what is left.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>

#include "platform/tick_clock.h"
#include "platform/tick_schedule.h"

namespace lv::ui {

// A backend's native periodic timer.
class Alarm {
 public:
  // Rings once `first` has passed from now, then every `period` after that, never earlier;
  // replaces any ringing set before. Each ringing makes the backend call TickPacer::wake.
  virtual void ring(TickClock::duration first, std::chrono::milliseconds period) = 0;
  virtual void silence() = 0;
  // The tick the alarm's pacer delivers runs from tick_begins to tick_ends; `moment` is its place
  // in the schedule, however late it runs, and `given_up` the span of deadlines every timer has
  // given up so far (TickPacer::given_up): two ticks, of one timer or two, are as far apart in the
  // program's count as their moments less what was given up between them. Only an alarm whose
  // toolkit puts the tick's changes on screen on a schedule of its own needs to know.
  virtual void tick_begins(TickClock::time_point /*moment*/, TickClock::duration /*given_up*/) {}
  virtual void tick_ends() {}
  virtual ~Alarm() = default;
};

class TickPacer {
 public:
  static constexpr std::chrono::milliseconds kLongestWait{250};
  using ClockFunction = TickClock::time_point (*)();

  TickPacer(Alarm& alarm, ClockFunction clock) : alarm_(alarm), clock_(clock) {}

  // A running timer starts afresh with its new interval, as with any toolkit's timer.
  void set_interval(int interval_ms);
  int interval() const { return interval_ms_; }

  // The schedule starts afresh from now; an interval of 0 keeps the timer running without ticks.
  void start();
  void stop();
  bool running() const { return running_; }

  // The alarm rang, or the backend comes back to a pacer that is catching up: runs `tick` once if
  // a tick is due, with the tick's place in the schedule, also for a tick made up after a busy
  // moment. The handler may stop or restart the timer.
  using Tick = std::function<void(TickClock::time_point moment)>;
  void wake(const Tick& tick);

  // Ticks a busy moment held back are delivered one per pass of the event loop, so that input and
  // painting go on between them. While this holds, the backend wakes the pacer at its next pass
  // instead of waiting for the alarm.
  bool catching_up() const { return catching_up_; }

  // While held, the timer gives no ticks and its alarm is silent, though it still counts as
  // running; released, it goes on from where it was held, as if no time had passed meanwhile, so
  // that the time held neither brings ticks in a burst nor shortens the tick that was under way.
  void hold();
  void release();
  bool held() const { return held_; }

  // Whether a tick is due now, for loops the program does not run itself (the system's own,
  // while a menu is open or a window is moved) that cannot wait for the alarm.
  bool due() const;

  const TickSchedule& schedule() const { return schedule_; }
  // The deadlines given up since the pacer was made, by every schedule it has started.
  TickClock::duration given_up() const { return given_up_before_ + schedule_.given_up(); }

 private:
  bool ticking() const { return running_ && interval_ms_ > 0 && !held_; }
  // Arms the alarm for the schedule's next deadline, and every interval after it; a deadline
  // further off than kLongestWait, for that span, and again when it rings.
  void ring_in_step(TickClock::time_point now);

  Alarm& alarm_;
  ClockFunction clock_;
  TickSchedule schedule_;
  int interval_ms_ = 0;
  bool running_ = false;
  bool catching_up_ = false;
  bool held_ = false;
  TickClock::duration held_into_tick_{};   // how far the tick under way had come when held
  TickClock::duration given_up_before_{};  // by the schedules before this one
  std::uint64_t generation_ = 0;           // changes at every start and stop
};

}  // namespace lv::ui
