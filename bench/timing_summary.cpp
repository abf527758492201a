#include "bench/timing_summary.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numeric>

namespace lv::bench {

namespace {
double ms(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}
}  // namespace

double percentile(std::vector<double> values, double fraction) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const auto rank =
      static_cast<std::size_t>(std::ceil(fraction * static_cast<double>(values.size())));
  return values[std::clamp<std::size_t>(rank, 1, values.size()) - 1];
}

TimingSummary summarise(std::chrono::steady_clock::time_point start,
                        const std::vector<std::chrono::steady_clock::time_point>& steps,
                        double half_ms, long long ticks) {
  TimingSummary s{};
  std::vector<double> ratios;
  std::vector<double> lateness;
  auto previous = start;
  for (std::size_t i = 0; i < steps.size(); ++i) {
    ratios.push_back(ms(steps[i] - previous) / half_ms);
    lateness.push_back(ms(steps[i] - start) - half_ms * static_cast<double>(i + 1));
    previous = steps[i];
  }
  if (ratios.empty()) return s;
  s.half_ratio_mean =
      std::accumulate(ratios.begin(), ratios.end(), 0.0) / static_cast<double>(ratios.size());
  s.half_ratio_worst = *std::max_element(ratios.begin(), ratios.end(), [](double a, double b) {
    return std::abs(a - 1) < std::abs(b - 1);
  });
  s.late_p50_ms = percentile(lateness, 0.50);
  s.late_p99_ms = percentile(lateness, 0.99);
  s.late_max_ms = *std::max_element(lateness.begin(), lateness.end());
  s.ticks_delivered = ticks;
  s.ticks_expected = ms(steps.back() - start) / 10.0;
  return s;
}

}  // namespace lv::bench
