#include <gtest/gtest.h>

#include "startup/module1.h"
#include "tests/drill/drill_fixture.h"

namespace lv {
namespace {

using testing::DrillTest;

TEST_F(DrillTest, StartsFromTheBuiltInValues) {
  EXPECT_EQ(Module1.start_interval, 2000);
  EXPECT_EQ(Module1.speed_step, 100);
  EXPECT_EQ(Module1.elapsed, 1);
  EXPECT_EQ(Module1.step_count, 0);
  EXPECT_EQ(Module1.series_count, 0);
  EXPECT_EQ(Module1.vowel_range, 16);
  EXPECT_EQ(Module1.consonant_range, 18);
}

TEST_F(DrillTest, TablesHoldTheSoundsWithEntryZeroEmptyAndNumbersPastTheRanges) {
  const std::array<std::string, kTableSize> vowels = {"",   "a",  "e",  "i",  "o",  "u",  "ui",
                                                      "eu", "aa", "oo", "ie", "ei", "au", "ee",
                                                      "uu", "ij", "ou", "17", "18", "19", "20"};
  const std::array<std::string, kTableSize> consonants = {"",  "b", "d", "d", "f", "g",  "h",
                                                          "j", "k", "l", "m", "n", "p",  "r",
                                                          "s", "t", "v", "w", "z", "19", "20"};
  EXPECT_EQ(Module1.vowels, vowels);
  EXPECT_EQ(Module1.consonants, consonants);
}

TEST_F(DrillTest, EveryRunStartsAfreshWhateverTheRunBeforeLeft) {
  start("350", "40");
  ticks(1000);
  ASSERT_NE(Module1.step_count, 0);

  forms::unload_all();
  headless::reset();
  Main();
  EXPECT_EQ(Module1.start_interval, 2000);
  EXPECT_EQ(Module1.speed_step, 100);
  EXPECT_EQ(Module1.step_count, 0);
  EXPECT_EQ(Module1.series_count, 0);
  EXPECT_EQ(Module1.elapsed, 1);
  EXPECT_EQ(hoofd().txt_start.text(), "2000");
}

}  // namespace
}  // namespace lv
