#include "tests/model/drill_model.h"

#include <algorithm>
#include <limits>
#include <random>
#include <sstream>
#include <string_view>

#include "exercise/frm_werk.h"
#include "platform/headless/headless.h"
#include "settings/frm_hoofd.h"
#include "startup/forms.h"
#include "startup/main_routine.h"
#include "startup/module1.h"

namespace lv::model {

namespace {

constexpr std::int64_t kLowest = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kHighest = std::numeric_limits<std::int32_t>::max();

// The rhythm as a user and a teacher see it, in plain 64-bit numbers. A step comes on the tick
// where the nominal milliseconds since the last one, 1 + 10 per tick, pass half the interval;
// twenty steps alternate syllable and blank, the twenty-first begins a rest of 3.5 s (5.5 s after
// every third series, when the interval shrinks by the step, never below the step). Changes that
// would leave the 32-bit range leave the interval where it is, or at the range's edge.
struct Rhythm {
  Rhythm(std::int64_t start_interval, std::int64_t speed_step)
      : interval(start_interval), step(speed_step) {}

  std::int64_t interval;
  std::int64_t step;
  std::int64_t ticks_since_step = 0;
  int steps_in_series = 0;
  int series_in_group = 0;
  std::int64_t rest_left_ms = 0;
  bool shown = false;
  std::string tijd;
  std::string reeks;

  bool resting() const { return rest_left_ms > 0; }

  void tick() {
    if (resting()) {
      rest_left_ms -= 10;
      return;
    }
    ++ticks_since_step;
    if (2 + 20 * ticks_since_step > interval) take_step();
  }

  void take_step() {
    ticks_since_step = 0;
    tijd = std::to_string(interval);
    reeks = std::to_string(series_in_group + 1);
    if (++steps_in_series < 21) {
      shown = !shown;
      return;
    }
    steps_in_series = 0;
    shown = false;
    rest_left_ms = 3500;
    if (++series_in_group == 3) {
      series_in_group = 0;
      rest_left_ms = 5500;
      interval = std::max(std::clamp(interval - step, kLowest, kHighest), step);
    }
  }

  void click(bool speed_up) {
    step = 100;
    const std::int64_t moved = interval + (speed_up ? -100 : 100);
    if (moved >= kLowest && moved <= kHighest) interval = moved;
  }
};

bool is_syllable(const std::string& text) {
  static constexpr std::string_view kConsonants = "bdfghjklmnprstvwz";
  static constexpr std::string_view kVowels[] = {"a",  "e",  "i",  "o",  "u",  "ui", "eu", "aa",
                                                 "oo", "ie", "ei", "au", "ee", "uu", "ij", "ou"};
  return !text.empty() && kConsonants.find(text[0]) != std::string_view::npos &&
         std::find(std::begin(kVowels), std::end(kVowels), text.substr(1)) != std::end(kVowels);
}

// What the drill shows that differs from the model; empty when nothing does.
std::string difference(const Rhythm& rhythm) {
  std::ostringstream out;
  const frm_werk& werk = forms::werk();
  const auto compare = [&out](const char* what, const auto& seen, const auto& expected) {
    if (seen != expected) out << what << " is " << seen << ", expected " << expected << "; ";
  };
  compare("syllable shown", werk.txt_string.visible(), rhythm.shown);
  compare("rest picture shown", werk.Picture1.visible(), rhythm.resting());
  compare("Timer1 running", werk.Timer1.running(), !rhythm.resting());
  compare("Timer2 running", werk.Timer2.running(), rhythm.resting());
  compare("\"tijd\" reading", '"' + werk.Label1.text() + '"', '"' + rhythm.tijd + '"');
  compare("\"reeks\" reading", '"' + werk.Label3.text() + '"', '"' + rhythm.reeks + '"');
  compare("start_interval", std::int64_t{Module1.start_interval}, rhythm.interval);
  compare("speed_step", std::int64_t{Module1.speed_step}, rhythm.step);
  if (!is_syllable(werk.txt_string.text())) out << "\"" << werk.txt_string.text() << "\" drawn; ";
  if (headless::program_ended()) out << "the program ended; ";
  for (const std::string& message : headless::take_messages()) out << "message: " << message;
  return out.str();
}

}  // namespace

Scenario random_scenario(std::uint64_t seed, std::int64_t ticks) {
  std::mt19937_64 random(seed);
  const auto pick = [&random](std::int64_t low, std::int64_t high) {
    return std::uniform_int_distribution<std::int64_t>(low, high)(random);
  };
  static constexpr std::int32_t kEdges[] = {0,
                                            1,
                                            -1,
                                            10,
                                            11,
                                            20,
                                            21,
                                            22,
                                            -100,
                                            99,
                                            101,
                                            kHighest,
                                            -99,
                                            100,
                                            kHighest - 50,
                                            static_cast<std::int32_t>(kLowest),
                                            static_cast<std::int32_t>(kLowest + 50)};
  const auto value = [&](std::int64_t low, std::int64_t high) {
    return pick(0, 1) ? kEdges[pick(0, std::size(kEdges) - 1)]
                      : static_cast<std::int32_t>(pick(low, high));
  };
  Scenario scenario{value(-300, 3000), value(-200, 600), {}, ticks};
  const std::int64_t clicks = pick(0, ticks / 500 + 1);
  for (std::int64_t i = 0; i < clicks; ++i) {
    scenario.clicks.push_back({pick(0, ticks - 1), pick(0, 1) == 1});
  }
  std::sort(scenario.clicks.begin(), scenario.clicks.end(),
            [](const Click& a, const Click& b) { return a.after_tick < b.after_tick; });
  return scenario;
}

std::optional<Divergence> first_divergence(const Scenario& scenario) {
  forms::unload_all();
  headless::reset();
  Main();
  headless::type(forms::hoofd().txt_start, std::to_string(scenario.start_interval));
  headless::type(forms::hoofd().txt_speed, std::to_string(scenario.speed_step));
  headless::click(forms::hoofd().cmd_start);

  Rhythm rhythm(scenario.start_interval, scenario.speed_step);
  auto click = scenario.clicks.begin();
  std::optional<Divergence> found;
  for (std::int64_t tick = 0; tick <= scenario.ticks && !found; ++tick) {
    if (tick > 0) {
      headless::advance(10);
      rhythm.tick();
    }
    for (; click != scenario.clicks.end() && click->after_tick == tick; ++click) {
      frm_werk& werk = forms::werk();
      headless::click(click->speed_up ? werk.Command1 : werk.Command2);
      rhythm.click(click->speed_up);
    }
    if (std::string what = difference(rhythm); !what.empty()) found = Divergence{tick, what};
  }
  forms::unload_all();
  return found;
}

Scenario minimal_reproduction(Scenario scenario) {
  if (const auto divergence = first_divergence(scenario)) scenario.ticks = divergence->tick;
  const auto later = [&](const Click& c) { return c.after_tick > scenario.ticks; };
  scenario.clicks.erase(std::remove_if(scenario.clicks.begin(), scenario.clicks.end(), later),
                        scenario.clicks.end());
  for (std::size_t i = scenario.clicks.size(); i-- > 0;) {
    Scenario fewer = scenario;
    fewer.clicks.erase(fewer.clicks.begin() + static_cast<std::ptrdiff_t>(i));
    if (first_divergence(fewer)) scenario = fewer;
  }
  return scenario;
}

std::string describe(const Scenario& scenario) {
  std::ostringstream out;
  out << "start interval " << scenario.start_interval << ", speed step " << scenario.speed_step
      << ", " << scenario.ticks << " ticks";
  for (const Click& click : scenario.clicks) {
    out << "; " << (click.speed_up ? "versnel" : "vertraag") << " after tick " << click.after_tick;
  }
  return out.str();
}

}  // namespace lv::model
