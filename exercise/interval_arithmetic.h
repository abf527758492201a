// Arithmetic on the 32-bit start interval that can never leave its range.
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>

namespace lv {

// interval moved by `by`; unchanged when the result would not fit.
constexpr std::int32_t moved_or_unchanged(std::int32_t interval, std::int32_t by) {
  const std::int64_t moved = std::int64_t{interval} + by;
  if (moved > std::numeric_limits<std::int32_t>::max() ||
      moved < std::numeric_limits<std::int32_t>::min()) {
    return interval;
  }
  return static_cast<std::int32_t>(moved);
}

// The speed-up after a third series: the step is taken off, held at the range's bounds, and the
// result never goes below the step itself.
constexpr std::int32_t sped_up(std::int32_t interval, std::int32_t step) {
  const std::int64_t shrunk = std::clamp<std::int64_t>(std::int64_t{interval} - step,
                                                       std::numeric_limits<std::int32_t>::min(),
                                                       std::numeric_limits<std::int32_t>::max());
  return static_cast<std::int32_t>(std::max<std::int64_t>(shrunk, step));
}

}  // namespace lv
