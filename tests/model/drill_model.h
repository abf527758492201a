// A model-based run of the drill: the real windows on the headless desktop beside a small model
// of the rhythm, written from how the drill should look, compared after every tick.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lv::model {

struct Click {
  std::int64_t after_tick;  // pressed once this many ticks have passed
  bool speed_up;            // "versnel" (Command1), else "vertraag" (Command2)
};

struct Scenario {
  std::int32_t start_interval;
  std::int32_t speed_step;
  std::vector<Click> clicks;  // in tick order
  std::int64_t ticks;
};

struct Divergence {
  std::int64_t tick;
  std::string what;  // what the drill showed and what the model expected
};

// Random values and clicks, edge values among them; the same seed gives the same scenario.
Scenario random_scenario(std::uint64_t seed, std::int64_t ticks);

// Runs the scenario from the settings window on; the first difference from the model, if any.
std::optional<Divergence> first_divergence(const Scenario& scenario);

// A smaller scenario that still diverges: cut after the divergence, clicks left out one by one.
Scenario minimal_reproduction(Scenario scenario);

std::string describe(const Scenario& scenario);

}  // namespace lv::model
