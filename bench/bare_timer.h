// The toolkit's plain 10 ms timer with its default settings, for comparison with the drill's.
#pragma once

#include <chrono>
#include <vector>

namespace lv::bench {

struct BareTimerRun {
  std::chrono::steady_clock::time_point started;
  std::vector<std::chrono::steady_clock::time_point> ticks;
};

// Runs the timer until it has ticked `ticks` times.
BareTimerRun run_bare_timer(long long ticks);

}  // namespace lv::bench
