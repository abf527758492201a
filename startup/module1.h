// The exercise state: the one record that both windows read and write for the whole run.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace lv {

inline constexpr int kTableSize = 21;  // entries 0 to 20; entry 0 stays empty

struct ExerciseState {
  std::int32_t start_interval = 0;  // ms: a syllable shows for half of it, blank for the other
  std::int32_t speed_step = 0;      // ms taken off after every third series, and the floor
  std::array<std::string, kTableSize> vowels;
  std::array<std::string, kTableSize> consonants;
  int consonant_index = 0;  // entries chosen by the last draw
  int vowel_index = 0;
  std::int16_t vowel_range = 0;      // a draw chooses vowels 1 to vowel_range
  std::int16_t consonant_range = 0;  // and consonants 1 to consonant_range
  std::int16_t step_count = 0;       // half periods counted in the current series, 0 to 21
  std::int16_t series_count = 0;     // series finished since the last speed-up, 0 to 3
  std::int32_t elapsed = 0;          // nominal ms counted since the last step
};

extern ExerciseState Module1;

// Fills both syllable tables and gives every field its starting value.
void reset_exercise_state(ExerciseState& state);

}  // namespace lv
