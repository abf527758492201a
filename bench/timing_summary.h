// How faithfully a series of steps kept its nominal schedule.
#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace lv::bench {

struct TimingSummary {
  double half_ratio_mean;   // real / nominal length of a half period, over the series
  double half_ratio_worst;  // the half period furthest from nominal
  double late_p50_ms;       // step lateness against the schedule set when pacing began
  double late_p99_ms;
  double late_max_ms;
  long long ticks_delivered;
  double ticks_expected;  // wall time of the series / 10 ms
};

// steps[i] is the moment of step i + 1; a step is due every `half_ms` after `start`, and
// `ticks` ticks of 10 ms were delivered between start and the last step.
TimingSummary summarise(std::chrono::steady_clock::time_point start,
                        const std::vector<std::chrono::steady_clock::time_point>& steps,
                        double half_ms, long long ticks);

double percentile(std::vector<double> values, double fraction);

}  // namespace lv::bench
