// Drawing a syllable: one consonant followed by one vowel sound.
#pragma once

#include <cstdint>
#include <string>

#include "exercise/random_source.h"
#include "startup/module1.h"

namespace lv {

// The table entry that r in [0, 1) picks among entries 1 to range, each with equal chance.
int entry_for(double r, std::int16_t range);

// Re-seeds from `clock` before each of the two draws, stores the chosen entries in the state and
// returns the composed syllable.
std::string draw_syllable(ExerciseState& state, RandomSource& random, std::uint64_t (*clock)());

}  // namespace lv
