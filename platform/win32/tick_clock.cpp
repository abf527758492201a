#include <windows.h>

#include "platform/tick_clock.h"

namespace lv::ui {

// The performance counter, which waitable timers run on too.
TickClock::time_point TickClock::now() noexcept {
  LARGE_INTEGER frequency;
  LARGE_INTEGER count;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&count);
  // Whole seconds and the rest apart, so that the product in nanoseconds cannot overflow.
  constexpr long long kNanoseconds = 1'000'000'000;
  const long long seconds = count.QuadPart / frequency.QuadPart;
  const long long rest = count.QuadPart % frequency.QuadPart;
  return time_point(duration(seconds * kNanoseconds + rest * kNanoseconds / frequency.QuadPart));
}

}  // namespace lv::ui
