// Runs the drill beside its model for longer than the test suite does:
//   run_drill_model [SEED [TICKS]]     (defaults 1 and 10000000)
// Prints a minimal reproduction of the first divergence and exits 1, or the ticks run.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/model/drill_model.h"

int main(int argc, char** argv) {
  const std::uint64_t seed = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 1;
  const std::int64_t ticks = argc > 2 ? std::strtoll(argv[2], nullptr, 10) : 10'000'000;
  const lv::model::Scenario scenario = lv::model::random_scenario(seed, ticks);
  if (const auto divergence = lv::model::first_divergence(scenario)) {
    const lv::model::Scenario smallest = lv::model::minimal_reproduction(scenario);
    std::printf("seed %llu: diverges at tick %lld: %s\nreproduction: %s\n",
                static_cast<unsigned long long>(seed), static_cast<long long>(divergence->tick),
                divergence->what.c_str(), lv::model::describe(smallest).c_str());
    return 1;
  }
  std::printf(
      "seed %llu: %lld ticks as the model says (start interval %d, speed step %d, %zu "
      "clicks)\n",
      static_cast<unsigned long long>(seed), static_cast<long long>(ticks), scenario.start_interval,
      scenario.speed_step, scenario.clicks.size());
  return 0;
}
