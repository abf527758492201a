// The drill beside its model for a few hundred thousand ticks of random settings and clicks.
#include <gtest/gtest.h>

#include "tests/model/drill_model.h"

namespace lv::model {
namespace {

TEST(DrillModel, RandomRunsFollowTheRhythm) {
  std::int64_t ticks = 0;
  for (std::uint64_t seed = 1; seed <= 12; ++seed) {
    const Scenario scenario = random_scenario(seed, 20'000);
    ticks += scenario.ticks;
    if (const auto divergence = first_divergence(scenario)) {
      ADD_FAILURE() << "seed " << seed << ", tick " << divergence->tick << ": " << divergence->what
                    << "\n  reproduction: " << describe(minimal_reproduction(scenario));
    }
  }
  EXPECT_GE(ticks, 100'000);
}

// Clicks right at a step, in a rest and at the range's edges, where faults would hide.
TEST(DrillModel, ChosenRunsFollowTheRhythm) {
  const Scenario scenarios[] = {
      {2000, 100, {{100, true}, {2100, false}, {2450, true}}, 30'000},
      {150, 100, {{0, true}, {1, true}, {2, true}}, 20'000},
      {2147483600, -2147483647 - 1, {{5, false}, {6, false}}, 5'000},
      {-2147483600, 100, {{0, true}, {3, true}, {4, false}}, 5'000},
      {11, 2147483647, {}, 2'000},
  };
  for (const Scenario& scenario : scenarios) {
    const auto divergence = first_divergence(scenario);
    EXPECT_FALSE(divergence) << describe(scenario) << "\n  tick " << divergence->tick << ": "
                             << divergence->what;
  }
}

}  // namespace
}  // namespace lv::model
