// The schedule a periodic timer keeps: ticks are due at start + n * interval, fixed when the
// timer starts. Shared by the backends that deliver real ticks, so that a tick that comes late
// does not push every later tick back, and a tick missed outright (the machine was busy) is still
// delivered, one per pass of the event loop so that input and painting go on between them,
// instead of being lost: the drill counts ticks, so a lost tick would make "2000 ms" last longer.
// After a long stall (a suspended laptop) the schedule starts afresh rather than catching up.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdint>

#include "platform/tick_clock.h"

namespace lv::ui {

class TickSchedule {
 public:
  using Clock = TickClock;

  // More missed ticks than this are dropped, and the schedule starts afresh.
  static constexpr std::int64_t kMostMadeUp = 10;

  void start(Clock::time_point now, std::chrono::milliseconds interval) {
    start_ = now;
    interval_ = std::max(interval, std::chrono::milliseconds(1));
    delivered_ = 0;
    dropped_ = 0;
  }

  // Whether a tick is due by `now` and not yet delivered; if so it counts as delivered. Further
  // missed ticks stay due, so the next deadline may already have passed.
  bool take_due(Clock::time_point now) {
    const std::int64_t missing = (now - start_) / interval_ - delivered_;
    if (missing <= 0) return false;
    if (missing > kMostMadeUp) {
      start_ += interval_ * (missing - 1);
      dropped_ += missing - 1;
    }
    ++delivered_;
    return true;
  }

  Clock::time_point next_deadline() const { return start_ + interval_ * (delivered_ + 1); }
  // The deadline of the tick delivered last.
  Clock::time_point last_taken() const { return start_ + interval_ * delivered_; }

  // Since start: ticks delivered, and deadlines given up when the schedule started afresh. Every
  // deadline that has passed is one or the other, or still due.
  std::int64_t delivered() const { return delivered_; }
  std::int64_t dropped() const { return dropped_; }
  // The span of the deadlines given up: ticks are that much closer in the count of those
  // delivered than their deadlines are apart.
  Clock::duration given_up() const { return interval_ * dropped_; }

 private:
  Clock::time_point start_{};
  Clock::duration interval_{std::chrono::milliseconds(10)};
  std::int64_t delivered_ = 0;
  std::int64_t dropped_ = 0;
};

}  // namespace lv::ui
