#include <gtest/gtest.h>

#include <climits>

#include "tests/drill/drill_fixture.h"

namespace lv {
namespace {

class PacingTest : public testing::DrillTest {
 protected:
  // Ticks until the first rest begins and returns how many ticks that took (0: never, in limit).
  static int ticks_until_rest(int limit) {
    for (int n = 1; n <= limit; ++n) {
      ticks(1);
      if (werk().Picture1.visible()) return n;
    }
    return 0;
  }
};

TEST_F(PacingTest, TheFirstSyllableShowsOnTheHundredthTickWithTheReadings) {
  start("2000");
  ticks(99);
  EXPECT_FALSE(werk().txt_string.visible());
  EXPECT_EQ(werk().Label1.text(), "");
  EXPECT_EQ(werk().Label3.text(), "");
  EXPECT_EQ(Module1.elapsed, 1 + 99 * 10);

  ticks(1);
  EXPECT_TRUE(werk().txt_string.visible());
  EXPECT_EQ(werk().Label1.text(), "2000");
  EXPECT_EQ(werk().Label3.text(), "1");
  EXPECT_EQ(Module1.step_count, 1);
  EXPECT_EQ(Module1.elapsed, 1);

  ticks(100);
  EXPECT_FALSE(werk().txt_string.visible());
  EXPECT_EQ(Module1.step_count, 2);
}

TEST_F(PacingTest, TheFirstRestBeginsWithTheTwentyFirstStep) {
  start("2000");
  ticks(21 * 100 - 1);
  EXPECT_FALSE(werk().Picture1.visible());
  EXPECT_EQ(Module1.step_count, 20);
  ticks(1);
  EXPECT_TRUE(werk().Picture1.visible());
  EXPECT_FALSE(werk().txt_string.visible());
  EXPECT_FALSE(werk().Timer1.running());
  EXPECT_TRUE(werk().Timer2.running());
  EXPECT_EQ(werk().Timer2.interval(), 3500);
  EXPECT_EQ(Module1.step_count, 0);
  EXPECT_EQ(Module1.series_count, 1);
  EXPECT_EQ(werk().Label3.text(), "1");  // still the series just finished
}

TEST_F(PacingTest, ARestEndsAfterItsIntervalAndPacingStartsAfresh) {
  start("2000");
  ticks(21 * 100);
  const std::int32_t elapsed = Module1.elapsed;
  headless::advance(3499);
  EXPECT_TRUE(werk().Picture1.visible());
  EXPECT_EQ(Module1.elapsed, elapsed);  // no pacing during a rest
  headless::advance(1);
  EXPECT_FALSE(werk().Picture1.visible());
  EXPECT_FALSE(werk().Timer2.running());
  EXPECT_TRUE(werk().Timer1.running());
  EXPECT_FALSE(werk().txt_string.visible());

  ticks(99);
  EXPECT_FALSE(werk().txt_string.visible());
  ticks(1);
  EXPECT_TRUE(werk().txt_string.visible());
  EXPECT_EQ(werk().Label3.text(), "2");
}

TEST_F(PacingTest, EachShownSyllableIsDrawnAtTheStepThatShowsIt) {
  start("40");
  std::string last = werk().txt_string.text();
  int fresh = 0;
  for (int step = 0; step < 20; ++step) {
    ticks(2);
    fresh += werk().txt_string.text() != last;
    last = werk().txt_string.text();
  }
  EXPECT_GE(fresh, 17);  // a repeat of the same syllable is allowed, but rare
  EXPECT_EQ(Module1.step_count, 20);
}

TEST_F(PacingTest, SeriesNumbersRunOneTwoThreeAndTheThirdRestIsLong) {
  start("40", "0");  // no speed-up, so every series takes the same 42 ticks
  const std::string expected_series[] = {"1", "2", "3", "1", "2", "3", "1"};
  const int expected_rest[] = {3500, 3500, 5500, 3500, 3500, 5500, 3500};
  for (int series = 0; series < 7; ++series) {
    ASSERT_EQ(ticks_until_rest(100), 42) << "series " << series + 1;
    EXPECT_EQ(werk().Label3.text(), expected_series[series]);
    EXPECT_EQ(werk().Timer2.interval(), expected_rest[series]);
    headless::advance(expected_rest[series] - 1);
    ASSERT_TRUE(werk().Picture1.visible());
    headless::advance(1);
    ASSERT_FALSE(werk().Picture1.visible());
  }
}

TEST_F(PacingTest, AfterEveryThirdSeriesTheIntervalShrinksByTheStepDownToTheStep) {
  start("400", "150");
  const std::int32_t expected[] = {400, 400, 250, 250, 250, 150, 150, 150, 150};
  for (int series = 0; series < 9; ++series) {
    ASSERT_NE(ticks_until_rest(2000), 0);
    headless::advance(werk().Timer2.interval());
    EXPECT_EQ(Module1.start_interval, expected[series]) << "after series " << series + 1;
  }
  ticks(30);
  EXPECT_EQ(werk().Label1.text(), "150");
}

TEST_F(PacingTest, TheSpeedUpRaisesAnIntervalThatTheButtonsPushedBelowTheFloor) {
  start("2000", "100");
  for (int i = 0; i < 25; ++i) headless::click(werk().Command1);
  EXPECT_EQ(Module1.start_interval, -500);
  for (int series = 0; series < 3; ++series) {
    ASSERT_NE(ticks_until_rest(100), 0);
    headless::advance(werk().Timer2.interval());
  }
  EXPECT_EQ(Module1.start_interval, 100);
}

TEST_F(PacingTest, AtTwentyOneOrLessEveryTickIsAStep) {
  for (const char* interval : {"21", "20", "1", "0", "-300"}) {
    SetUp();
    start(interval);
    for (int n = 1; n <= 20; ++n) {
      ticks(1);
      ASSERT_EQ(Module1.step_count, n) << interval;
      ASSERT_EQ(werk().txt_string.visible(), n % 2 == 1) << interval;
    }
    EXPECT_EQ(werk().Label1.text(), interval);
    EXPECT_EQ(ticks_until_rest(1), 1) << interval;
    TearDown();
  }
}

TEST_F(PacingTest, AnOddIntervalStepsOnTheSameTickAsTheEvenOneBelow) {
  // The half is a real number: 1001 ms passes 1000.5 on the 100th tick, as it passes 1000.
  for (const auto& [interval, step_tick] :
       {std::pair{"2000", 100}, std::pair{"2001", 100}, std::pair{"2002", 101}, std::pair{"23", 2},
        std::pair{"22", 2}, std::pair{"21", 1}, std::pair{"999", 50}}) {
    SetUp();
    start(interval);
    ticks(step_tick - 1);
    EXPECT_EQ(Module1.step_count, 0) << interval;
    ticks(1);
    EXPECT_EQ(Module1.step_count, 1) << interval;
    TearDown();
  }
}

TEST_F(PacingTest, PaceButtonsMoveTheIntervalAtOnceAndShowItAtTheNextStep) {
  start("1000");
  ticks(50);
  ASSERT_EQ(werk().Label1.text(), "1000");
  headless::click(werk().Command1);
  EXPECT_EQ(Module1.start_interval, 900);
  EXPECT_EQ(werk().Label1.text(), "1000");
  ticks(45);  // 900 steps on the 45th tick
  EXPECT_EQ(werk().Label1.text(), "900");
  EXPECT_EQ(Module1.step_count, 2);

  headless::click(werk().Command2);
  headless::click(werk().Command2);
  EXPECT_EQ(Module1.start_interval, 1100);
  ticks(55);
  EXPECT_EQ(werk().Label1.text(), "1100");
}

TEST_F(PacingTest, EitherPaceButtonMakesTheSpeedStepOneHundred) {
  start("2000", "250");
  headless::click(werk().Command2);
  EXPECT_EQ(Module1.speed_step, 100);
  EXPECT_EQ(Module1.start_interval, 2100);

  SetUp();
  start("2000", "250");
  headless::click(werk().Command1);
  EXPECT_EQ(Module1.speed_step, 100);
  EXPECT_EQ(Module1.start_interval, 1900);
}

TEST_F(PacingTest, APaceButtonDuringARestChangesTheIntervalButNotTheRest) {
  start("40");
  ASSERT_NE(ticks_until_rest(100), 0);
  headless::click(werk().Command2);
  headless::click(werk().Command2);
  EXPECT_EQ(Module1.start_interval, 240);
  EXPECT_EQ(werk().Timer2.interval(), 3500);
  headless::advance(3499);
  EXPECT_TRUE(werk().Picture1.visible());
  headless::advance(1);
  EXPECT_FALSE(werk().Picture1.visible());
  ticks(12);
  EXPECT_EQ(werk().Label1.text(), "240");
}

TEST_F(PacingTest, APaceButtonThatWouldLeaveTheRangeLeavesTheIntervalAlone) {
  start("2147483647");
  headless::click(werk().Command2);
  EXPECT_EQ(Module1.start_interval, INT32_MAX);
  EXPECT_EQ(Module1.speed_step, 100);
  headless::click(werk().Command1);
  EXPECT_EQ(Module1.start_interval, INT32_MAX - 100);

  SetUp();
  start("-2147483600");
  headless::click(werk().Command1);
  EXPECT_EQ(Module1.start_interval, -2147483600);
  ticks(5);
  EXPECT_FALSE(headless::program_ended());
  EXPECT_EQ(werk().Label1.text(), "-2147483600");
}

TEST_F(PacingTest, TheSpeedUpHoldsAtTheRangesBoundBeforeTheFloor) {
  start("30", "-2147483648");
  for (int series = 0; series < 3; ++series) {
    ASSERT_NE(ticks_until_rest(100), 0);
    if (series < 2) headless::advance(werk().Timer2.interval());
  }
  EXPECT_EQ(Module1.start_interval, INT32_MAX);
  EXPECT_EQ(werk().Timer2.interval(), 5500);
  EXPECT_FALSE(headless::program_ended());
}

TEST_F(PacingTest, TheSpeedUpFromTheBottomOfTheRangeLandsOnTheFloor) {
  start("-2147483648", "100");
  for (int series = 0; series < 3; ++series) {
    ASSERT_NE(ticks_until_rest(100), 0);
    headless::advance(werk().Timer2.interval());
  }
  EXPECT_EQ(Module1.start_interval, 100);
}

}  // namespace
}  // namespace lv
