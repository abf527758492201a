// Closing the exercise window ends the drill, not the program: the settings come back, and
// "&Start" runs a fresh drill from whatever is typed there.
#include "tests/drill/drill_fixture.h"

namespace lv {
namespace {

using testing::DrillTest;

class NextDrillTest : public DrillTest {
 protected:
  // A drill some way on: into its second series, at another pace than the next one will have.
  void SetUp() override {
    DrillTest::SetUp();
    start("1000", "250");
    ticks(21 * 50 + 350 + 5 * 50);
    ASSERT_EQ(Module1.series_count, 1);
  }

  static void expect_back_in_the_settings() {
    EXPECT_FALSE(headless::program_ended());
    EXPECT_FALSE(werk().window.visible());
    EXPECT_FALSE(werk().Timer1.running());
    EXPECT_FALSE(werk().Timer2.running());
    EXPECT_TRUE(hoofd().window.visible());
    EXPECT_TRUE(headless::modal(hoofd().window));
    EXPECT_EQ(hoofd().txt_start.text(), "1000");
    EXPECT_EQ(hoofd().txt_speed.text(), "250");
    EXPECT_FALSE(headless::screen_kept_on());
  }

  // Everything the user sees and the drill counts is as at a first "&Start".
  static void expect_fresh_drill(const std::string& interval) {
    EXPECT_FALSE(hoofd().window.visible());
    EXPECT_TRUE(werk().window.visible());
    EXPECT_EQ(headless::focused(), &werk().cmd_exit);
    EXPECT_EQ(Module1.step_count, 0);
    EXPECT_EQ(Module1.series_count, 0);
    EXPECT_EQ(Module1.elapsed, 1);
    EXPECT_EQ(werk().Label1.text(), "");
    EXPECT_EQ(werk().Label3.text(), "");
    EXPECT_FALSE(werk().txt_string.visible());
    EXPECT_FALSE(werk().Picture1.visible());
    EXPECT_TRUE(werk().Timer1.running());
    EXPECT_FALSE(werk().Timer2.running());
    EXPECT_TRUE(headless::screen_kept_on());
    // The first syllable comes after half an interval, as at a first start.
    const int half = std::stoi(interval) / 20;
    ticks(half - 1);
    EXPECT_FALSE(werk().txt_string.visible());
    ticks(1);
    EXPECT_TRUE(werk().txt_string.visible());
    EXPECT_EQ(werk().Label1.text(), interval);
    EXPECT_EQ(werk().Label3.text(), "1");
  }
};

TEST_F(NextDrillTest, ClosingDuringPacingStopsTheDrillAndBringsBackTheSettings) {
  headless::close(werk().window);
  expect_back_in_the_settings();
  // Nothing of the old drill goes on behind the settings window.
  const std::string syllable = werk().txt_string.text();
  headless::advance(60'000);
  EXPECT_EQ(werk().txt_string.text(), syllable);
  EXPECT_EQ(Module1.step_count, 5);
}

TEST_F(NextDrillTest, StartAfterClosingRunsAFreshDrillFromTheTypedValues) {
  headless::close(werk().window);
  headless::type(hoofd().txt_start, "600");
  headless::click(hoofd().cmd_start);
  EXPECT_EQ(Module1.start_interval, 600);
  EXPECT_EQ(Module1.speed_step, 250);
  expect_fresh_drill("600");
}

TEST_F(NextDrillTest, ClosingDuringARestLeavesNoRestForTheNextDrill) {
  ticks(16 * 50);  // the second series ends: its rest is on
  ASSERT_TRUE(werk().Picture1.visible());
  headless::close(werk().window);
  expect_back_in_the_settings();
  headless::press_alt('s');  // the same values again
  expect_fresh_drill("1000");
}

TEST_F(NextDrillTest, ManyDrillsInARowEachStartFresh) {
  for (int drill = 0; drill < 50; ++drill) {
    headless::close(werk().window);
    ASSERT_TRUE(hoofd().window.visible());
    headless::click(hoofd().cmd_start);
    ticks(drill);  // each closed at another moment
  }
  headless::close(werk().window);
  headless::click(hoofd().cmd_start);
  expect_fresh_drill("1000");
}

TEST_F(NextDrillTest, EindeInEitherWindowStillEndsTheProgram) {
  headless::close(werk().window);
  headless::click(hoofd().cmd_start);
  headless::press(headless::Key::enter);  // "&Einde" has the focus again
  EXPECT_TRUE(headless::program_ended());
  EXPECT_FALSE(headless::screen_kept_on());
}

TEST_F(NextDrillTest, EindeInTheSettingsWindowAfterClosingEndsTheProgram) {
  headless::close(werk().window);
  headless::press_alt('e');
  EXPECT_TRUE(headless::program_ended());
  EXPECT_FALSE(hoofd().window.visible());
}

}  // namespace
}  // namespace lv
