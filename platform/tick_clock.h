// The clock ticks are scheduled by: monotonic, untouched by changes of the system time, and fine
// enough for millisecond deadlines. Each backend that delivers real ticks reads it from its
// system's own counter, the one its native timers run on, so that a native timer armed for a
// deadline never rings before the deadline by this clock.
#pragma once

#include <chrono>

namespace lv::ui {

struct TickClock {
  using duration = std::chrono::nanoseconds;
  using rep = duration::rep;
  using period = duration::period;
  using time_point = std::chrono::time_point<TickClock>;
  static constexpr bool is_steady = true;

  static time_point now() noexcept;  // defined by the backend
};

}  // namespace lv::ui
