#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <map>
#include <set>

#include "exercise/syllable.h"
#include "tests/drill/drill_fixture.h"

namespace lv {
namespace {

std::uint64_t frozen_clock() {
  return 42;
}  // every re-seed within one clock tick

std::uint64_t running_clock() {
  static std::uint64_t t = 0;
  return t += 7;
}

class SyllableDrawing : public ::testing::Test {
 protected:
  void SetUp() override { reset_exercise_state(state); }
  ExerciseState state;
};

TEST(EntryFor, SpreadsTheUnitIntervalEvenlyOverTheEntries) {
  EXPECT_EQ(entry_for(0.0, 16), 1);
  EXPECT_EQ(entry_for(std::nextafter(1.0 / 16, 0.0), 16), 1);
  EXPECT_EQ(entry_for(1.0 / 16, 16), 2);
  EXPECT_EQ(entry_for(0.5, 16), 9);
  EXPECT_EQ(entry_for(std::nextafter(1.0, 0.0), 16), 16);
  EXPECT_EQ(entry_for(std::nextafter(1.0, 0.0), 18), 18);
}

TEST(RandomSourceTest, StaysInTheUnitInterval) {
  RandomSource random;
  for (int i = 0; i < 100000; ++i) {
    random.reseed(static_cast<std::uint64_t>(i / 100));
    const double r = random.next();
    ASSERT_GE(r, 0.0);
    ASSERT_LT(r, 1.0);
  }
}

TEST(RandomSourceTest, ReseedingWithAnUnchangedClockDoesNotRepeatTheSequence) {
  RandomSource random;
  std::set<double> seen;
  for (int i = 0; i < 1000; ++i) {
    random.reseed(frozen_clock());
    seen.insert(random.next());
  }
  EXPECT_EQ(seen.size(), 1000u);
}

TEST_F(SyllableDrawing, StoresTheChosenEntriesAndTrimsTheirBlanks) {
  state.consonants[8] = "  k ";
  state.vowels[8] = " aa  ";
  RandomSource random;
  for (int i = 0; i < 2000; ++i) {
    const std::string syllable = draw_syllable(state, random, running_clock);
    if (state.consonant_index == 8 && state.vowel_index == 8) {
      EXPECT_EQ(syllable, "kaa");
      return;
    }
  }
  FAIL() << "kaa never came up";
}

TEST_F(SyllableDrawing, EverySyllableIsAConsonantLetterAndAVowelSound) {
  RandomSource random;
  for (int i = 0; i < 20000; ++i) {
    const std::string syllable = draw_syllable(state, random, running_clock);
    ASSERT_TRUE(syllable.size() == 2 || syllable.size() == 3) << syllable;
    for (char c : syllable) ASSERT_TRUE(std::islower(static_cast<unsigned char>(c))) << syllable;
  }
}

// Chi-square over the 272 syllables, "d" at twice the weight: the draws must be uniform even
// when every re-seed sees the same clock value.
double chi_square_of_draws(std::uint64_t (*clock)(), int draws) {
  ExerciseState state;
  reset_exercise_state(state);
  RandomSource random;
  std::map<std::string, int> counts;
  for (int i = 0; i < draws; ++i) ++counts[draw_syllable(state, random, clock)];

  std::set<std::string> consonants(state.consonants.begin() + 1, state.consonants.begin() + 19);
  double chi_square = 0;
  int cells = 0;
  for (const std::string& consonant : consonants) {
    for (std::size_t v = 1; v <= 16; ++v) {
      const double weight = consonant == "d" ? 2.0 : 1.0;
      const double expected = draws * weight / 18.0 / 16.0;
      const double seen = counts[consonant + state.vowels[v]];
      chi_square += (seen - expected) * (seen - expected) / expected;
      ++cells;
    }
  }
  EXPECT_EQ(cells, 272);
  EXPECT_EQ(counts.size(), 272u) << "a syllable outside the 272 came up, or one never did";
  return chi_square;
}

TEST(SyllableUniformity, AllTwoHundredSeventyTwoComeUpEvenlyWithDTwiceAsOften) {
  // 271 degrees of freedom: 350 is beyond the 0.1% tail.
  EXPECT_LT(chi_square_of_draws(frozen_clock, 272 * 200), 350.0);
  EXPECT_LT(chi_square_of_draws(running_clock, 272 * 200), 350.0);
}

TEST(SyllableUniformity, DComesUpTwiceAsOftenAsAnyOtherConsonant) {
  ExerciseState state;
  reset_exercise_state(state);
  RandomSource random;
  int d = 0;
  constexpr int kDraws = 18000;
  for (int i = 0; i < kDraws; ++i) {
    draw_syllable(state, random, running_clock);
    d += state.consonant_index == 2 || state.consonant_index == 3;
  }
  EXPECT_NEAR(d, kDraws * 2 / 18, 4 * std::sqrt(kDraws * (2.0 / 18) * (16.0 / 18)));
}

}  // namespace
}  // namespace lv
