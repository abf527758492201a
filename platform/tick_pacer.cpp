#include "platform/tick_pacer.h"

#include <algorithm>

namespace lv::ui {

void TickPacer::set_interval(int interval_ms) {
  interval_ms_ = interval_ms;
  if (running_) start();
}

void TickPacer::start() {
  ++generation_;
  running_ = true;
  catching_up_ = false;
  held_into_tick_ = TickClock::duration::zero();
  const TickClock::time_point now = clock_();
  given_up_before_ += schedule_.given_up();
  schedule_.start(now, std::chrono::milliseconds(interval_ms_));
  if (ticking()) {
    ring_in_step(now);
  } else {
    alarm_.silence();
  }
}

void TickPacer::stop() {
  ++generation_;
  running_ = false;
  catching_up_ = false;
  alarm_.silence();
}

void TickPacer::hold() {
  if (held_) return;
  if (ticking()) {
    const TickClock::duration interval = std::chrono::milliseconds(interval_ms_);
    const TickClock::duration into = clock_() - (schedule_.next_deadline() - interval);
    held_into_tick_ = std::clamp(into, TickClock::duration::zero(), interval);
  }
  held_ = true;
  catching_up_ = false;
  alarm_.silence();
}

void TickPacer::release() {
  if (!held_) return;
  held_ = false;
  if (!ticking()) return;
  const TickClock::time_point now = clock_();
  given_up_before_ += schedule_.given_up();
  schedule_.start(now - held_into_tick_, std::chrono::milliseconds(interval_ms_));
  held_into_tick_ = TickClock::duration::zero();
  ring_in_step(now);
}

bool TickPacer::due() const {
  return ticking() && schedule_.next_deadline() <= clock_();
}

void TickPacer::wake(const Tick& tick) {
  if (!ticking()) return;
  const TickClock::time_point now = clock_();
  if (!schedule_.take_due(now)) {
    // The alarm rang on the way to a long deadline, for a tick already made up, or, by a
    // rounding of its own, a little early.
    ring_in_step(now);
    return;
  }
  const bool behind = schedule_.next_deadline() <= now;
  const std::uint64_t generation = generation_;
  tick(schedule_.last_taken());
  if (generation != generation_) return;  // the handler stopped or restarted the timer
  if (behind) {
    catching_up_ = true;
  } else if (catching_up_) {
    // A native timer that rang late may have moved its phase to when it rang.
    catching_up_ = false;
    ring_in_step(clock_());
  }
}

void TickPacer::ring_in_step(TickClock::time_point now) {
  const TickClock::duration first = std::clamp<TickClock::duration>(
      schedule_.next_deadline() - now, TickClock::duration::zero(), kLongestWait);
  alarm_.ring(first, std::min(std::chrono::milliseconds(interval_ms_), kLongestWait));
}

}  // namespace lv::ui
