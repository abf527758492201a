// A long drill, tick by tick, checked against an independent count of when each show, hide and
// rest should come.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "tests/drill/drill_fixture.h"

namespace lv {
namespace {

enum class What { show, hide, rest_begins, rest_ends };

struct Event {
  std::int64_t at_ms;
  What what;
  bool operator==(const Event& other) const { return at_ms == other.at_ms && what == other.what; }
};

std::ostream& operator<<(std::ostream& out, const Event& e) {
  const char* names[] = {"show", "hide", "rest begins", "rest ends"};
  return out << names[static_cast<int>(e.what)] << " at " << e.at_ms << " ms";
}

// Ticks from one step to the next: the first k with 1 + 10k > interval / 2, i.e. 20k > interval
// - 2.
std::int64_t ticks_per_half(std::int64_t interval) {
  const std::int64_t d = interval - 2;
  const std::int64_t floor_div = d >= 0 ? d / 20 : -((-d + 19) / 20);
  return std::max<std::int64_t>(1, floor_div + 1);
}

struct Timeline {
  std::vector<Event> events;
  std::vector<std::int64_t> interval_after_rest;
};

Timeline expected_timeline(std::int64_t interval, std::int64_t step, int series) {
  Timeline timeline;
  std::int64_t t = 0;
  for (int s = 1; s <= series; ++s) {
    for (int half = 1; half <= 20; ++half) {
      t += 10 * ticks_per_half(interval);
      timeline.events.push_back({t, half % 2 == 1 ? What::show : What::hide});
    }
    t += 10 * ticks_per_half(interval);
    timeline.events.push_back({t, What::rest_begins});
    const bool third = s % 3 == 0;
    if (third) interval = std::max(interval - step, step);
    t += third ? 5500 : 3500;
    timeline.events.push_back({t, What::rest_ends});
    timeline.interval_after_rest.push_back(interval);
  }
  return timeline;
}

class LongRun : public testing::DrillTest {
 protected:
  // Runs the started drill for `series` series and compares every show, hide and rest, and the
  // interval after each rest, with the independent count; the run ends at the floor, `step`.
  void expect_series_as_counted(std::int64_t interval, std::int64_t step, int series) {
    const Timeline expected = expected_timeline(interval, step, series);
    const Timeline seen = observe(series);
    EXPECT_EQ(seen.events, expected.events);
    EXPECT_EQ(seen.interval_after_rest, expected.interval_after_rest);
    EXPECT_EQ(seen.interval_after_rest.back(), step);
  }

  Timeline observe(int series) {
    Timeline seen;
    bool shown = false;
    bool resting = false;
    while (static_cast<int>(seen.interval_after_rest.size()) < series) {
      headless::advance(10);
      const std::int64_t now = headless::now();
      if (werk().txt_string.visible() != shown) {
        shown = !shown;
        seen.events.push_back({now, shown ? What::show : What::hide});
      }
      if (werk().Picture1.visible() != resting) {
        resting = !resting;
        seen.events.push_back({now, resting ? What::rest_begins : What::rest_ends});
        if (!resting) seen.interval_after_rest.push_back(Module1.start_interval);
      }
    }
    return seen;
  }
};

TEST_F(LongRun, FromAThousandDownToTheFloorAndOn) {
  start("1000", "100");
  expect_series_as_counted(1000, 100, 33);
}

TEST_F(LongRun, AnOddIntervalWithAStepThatOvershootsTheFloor) {
  start("2345", "250");
  expect_series_as_counted(2345, 250, 30);
}

}  // namespace
}  // namespace lv
