#include "exercise/syllable.h"

#include <cstddef>
#include <string_view>

namespace lv {

namespace {

std::string_view trim_blanks(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

// The integer part is taken before adding 1: r * range + 1 in floating point rounds up to
// range + 1 for r just below 1 (the addition loses the last bit), which would pick entry 17.
int entry_for(double r, std::int16_t range) {
  return static_cast<int>(r * range) + 1;
}

std::string draw_syllable(ExerciseState& state, RandomSource& random, std::uint64_t (*clock)()) {
  random.reseed(clock());
  state.vowel_index = entry_for(random.next(), state.vowel_range);
  random.reseed(clock());
  state.consonant_index = entry_for(random.next(), state.consonant_range);
  std::string syllable(
      trim_blanks(state.consonants.at(static_cast<std::size_t>(state.consonant_index))));
  syllable += trim_blanks(state.vowels.at(static_cast<std::size_t>(state.vowel_index)));
  return syllable;
}

}  // namespace lv
