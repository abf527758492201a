#include "startup/module1.h"

#include <cstddef>

namespace lv {

ExerciseState Module1;

namespace {

// Entries 1 to 20. Past the drawn ranges (16 vowels, 18 consonants) entries hold their own
// numbers, so a draw beyond the range would show itself at once. "d" stands twice, which makes
// it come up twice as often as any other consonant.
constexpr std::array<const char*, kTableSize - 1> kVowels = {
    "a",  "e",  "i",  "o",  "u",  "ui", "eu", "aa", "oo", "ie",
    "ei", "au", "ee", "uu", "ij", "ou", "17", "18", "19", "20"};
constexpr std::array<const char*, kTableSize - 1> kConsonants = {"b", "d", "d", "f", "g",  "h", "j",
                                                                 "k", "l", "m", "n", "p",  "r", "s",
                                                                 "t", "v", "w", "z", "19", "20"};

}  // namespace

void reset_exercise_state(ExerciseState& state) {
  state = ExerciseState{};
  for (std::size_t entry = 1; entry < kTableSize; ++entry) {
    state.vowels[entry] = kVowels[entry - 1];
    state.consonants[entry] = kConsonants[entry - 1];
  }
  state.elapsed = 1;
  state.step_count = 0;
  state.series_count = 0;
  state.consonant_range = 18;
  state.vowel_range = 16;
  state.start_interval = 2000;
  state.speed_step = 100;
}

}  // namespace lv
