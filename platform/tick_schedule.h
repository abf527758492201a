// The schedule a periodic timer keeps: ticks are due at start + n * interval, fixed when the
// timer starts. Shared by the backends that deliver real ticks, so that a tick that comes late
// does not push every later tick back, and a tick missed outright (the machine was busy) is
// delivered as soon as the thread runs again instead of being lost: the drill counts ticks, so a
// lost tick would make "2000 ms" last longer. After a long stall (a suspended laptop) the
// schedule starts afresh rather than firing a burst of stale ticks.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdint>

namespace lv::ui {

class TickSchedule {
 public:
  using Clock = std::chrono::steady_clock;

  // More missed ticks than this are dropped, and the schedule starts afresh.
  static constexpr std::int64_t kMostMadeUp = 10;

  void start(Clock::time_point now, std::chrono::milliseconds interval) {
    start_ = now;
    interval_ = std::max(interval, std::chrono::milliseconds(1));
    delivered_ = 0;
  }

  // How many ticks are due by `now` and not yet delivered; they count as delivered.
  std::int64_t take_due(Clock::time_point now) {
    std::int64_t missing = (now - start_) / interval_ - delivered_;
    if (missing > kMostMadeUp) {
      start_ += interval_ * (missing - 1);
      missing = 1;
    }
    if (missing <= 0) return 0;
    delivered_ += missing;
    return missing;
  }

  Clock::time_point next_deadline() const { return start_ + interval_ * (delivered_ + 1); }

 private:
  Clock::time_point start_{};
  Clock::duration interval_{std::chrono::milliseconds(10)};
  std::int64_t delivered_ = 0;
};

}  // namespace lv::ui
