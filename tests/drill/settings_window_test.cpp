#include <gtest/gtest.h>

#include "tests/drill/drill_fixture.h"

namespace lv {
namespace {

using headless::Key;
using testing::DrillTest;

TEST_F(DrillTest, SettingsWindowOpensModallyLaidOutWithTheStartingValues) {
  const frm_hoofd& w = hoofd();
  EXPECT_TRUE(w.window.visible());
  EXPECT_TRUE(headless::modal(w.window));
  EXPECT_EQ(w.window.caption(), "Form1");
  const ui::Twips client = headless::client_size(w.window);
  EXPECT_EQ(client.width, 5535);
  EXPECT_EQ(client.height, 2880);

  testing::expect_layout({
      {w.Label1, {240, 360, 1600, 255}, true},
      {w.txt_start, {2040, 360, 1575, 285}, true},
      {w.Label2, {240, 960, 1600, 255}, true},
      {w.txt_speed, {2040, 960, 1575, 285}, true},
      {w.Label3, {3840, 360, 1215, 255}, true},
      {w.Label4, {3840, 960, 1215, 255}, true},
      {w.cmd_start, {240, 2160, 1695, 495}, true},
      {w.cmd_exit, {3600, 2160, 1695, 495}, true},
  });
  EXPECT_EQ(w.Label1.text(), "Geef start interval");
  EXPECT_EQ(w.Label2.text(), "Geef versnelling");
  EXPECT_EQ(w.Label3.text(), "Mili seconden");
  EXPECT_EQ(w.Label4.text(), "Mili seconden");
  EXPECT_EQ(w.cmd_start.caption(), "&Start");
  EXPECT_EQ(w.cmd_exit.caption(), "&Einde");
  EXPECT_EQ(w.txt_start.text(), "2000");
  EXPECT_EQ(w.txt_speed.text(), "100");
}

TEST_F(DrillTest, FocusStartsInTheIntervalFieldAndTabSkipsTheTexts) {
  EXPECT_EQ(headless::focused(), &hoofd().txt_start);
  const ui::Control* order[] = {&hoofd().txt_speed, &hoofd().cmd_start, &hoofd().cmd_exit,
                                &hoofd().txt_start};
  for (const ui::Control* next : order) {
    headless::press(Key::tab);
    EXPECT_EQ(headless::focused(), next);
  }
}

TEST_F(DrillTest, StartWithoutEditingStoresTheValuesAndOpensTheExerciseWindow) {
  headless::click(hoofd().cmd_start);
  EXPECT_EQ(Module1.start_interval, 2000);
  EXPECT_EQ(Module1.speed_step, 100);
  EXPECT_FALSE(hoofd().window.visible());
  EXPECT_TRUE(werk().window.visible());
  EXPECT_TRUE(headless::modal(werk().window));
  EXPECT_EQ(hoofd().txt_start.text(), "2000");  // hidden, not destroyed
}

TEST_F(DrillTest, StartStoresTypedValuesIncludingZeroAndNegatives) {
  start(" 0 ", "-250");
  EXPECT_EQ(Module1.start_interval, 0);
  EXPECT_EQ(Module1.speed_step, -250);
  EXPECT_TRUE(werk().window.visible());
}

TEST_F(DrillTest, StartRoundsAFractionWithTheUsersSeparator) {
  headless::set_decimal_separator(",");
  start("1500,5", "99,5");
  EXPECT_EQ(Module1.start_interval, 1500);
  EXPECT_EQ(Module1.speed_step, 100);
}

TEST_F(DrillTest, KeyboardPressesOnlyTheFocusedButtonOrItsMnemonic) {
  // Enter in an edit field and Escape anywhere press nothing: no default, no cancel button.
  headless::press(Key::enter);
  headless::press(Key::escape);
  headless::press(Key::tab);
  headless::press(Key::enter);
  headless::press(Key::escape);
  EXPECT_TRUE(hoofd().window.visible());
  EXPECT_FALSE(headless::program_ended());

  headless::press(Key::tab);  // to "&Start"
  headless::press(Key::space);
  EXPECT_TRUE(werk().window.visible());
}

TEST_F(DrillTest, EnterOnTheFocusedStartButtonStarts) {
  headless::press(Key::tab);
  headless::press(Key::tab);
  headless::press(Key::enter);
  EXPECT_TRUE(werk().window.visible());
}

TEST_F(DrillTest, AltSStartsAndAltEEndsTheProgram) {
  headless::press_alt('S');
  EXPECT_TRUE(werk().window.visible());
  forms::unload_all();
  headless::reset();
  Main();
  headless::press_alt('e');
  EXPECT_TRUE(headless::program_ended());
  EXPECT_FALSE(hoofd().window.visible());
}

TEST_F(DrillTest, EindeEndsTheProgramWithoutStartingTheDrill) {
  headless::type(hoofd().txt_start, "750");
  headless::click(hoofd().cmd_exit);
  EXPECT_TRUE(headless::program_ended());
  EXPECT_FALSE(hoofd().window.visible());
  EXPECT_EQ(Module1.start_interval, 2000);
}

TEST_F(DrillTest, ClosingTheSettingsWindowEndsItsShowingAndSoTheRun) {
  headless::close(hoofd().window);
  EXPECT_FALSE(hoofd().window.visible());
  EXPECT_FALSE(headless::modal(hoofd().window));
  EXPECT_EQ(headless::focused(), nullptr);  // no window is left on screen
}

TEST_F(DrillTest, ABadNumberIsExplainedAndTheFieldOfferedForCorrection) {
  headless::type(hoofd().txt_start, "20OO");
  headless::click(hoofd().cmd_start);

  const auto messages = headless::take_messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("Geef start interval"), std::string::npos);
  EXPECT_NE(messages[0].find("\"20OO\""), std::string::npos);
  EXPECT_NE(messages[0].find("milliseconden"), std::string::npos);
  EXPECT_FALSE(headless::program_ended());
  EXPECT_TRUE(hoofd().window.visible());
  EXPECT_TRUE(headless::text_selected(hoofd().txt_start));
  EXPECT_EQ(Module1.start_interval, 2000);

  headless::type(hoofd().txt_start, "1200");
  headless::click(hoofd().cmd_start);
  EXPECT_TRUE(headless::take_messages().empty());
  EXPECT_EQ(Module1.start_interval, 1200);
  EXPECT_TRUE(werk().window.visible());
}

TEST_F(DrillTest, ABadSpeedStepStoresNeitherValue) {
  headless::type(hoofd().txt_start, "1500");
  headless::type(hoofd().txt_speed, "3000000000");
  headless::click(hoofd().cmd_start);

  const auto messages = headless::take_messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("Geef versnelling"), std::string::npos);
  EXPECT_NE(messages[0].find("te groot"), std::string::npos);
  EXPECT_TRUE(headless::text_selected(hoofd().txt_speed));
  EXPECT_EQ(Module1.start_interval, 2000);
  EXPECT_EQ(Module1.speed_step, 100);
  EXPECT_FALSE(werk().window.visible());
}

TEST_F(DrillTest, BothFieldsBadExplainsTheFirstOnly) {
  start("", "x");
  const auto messages = headless::take_messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("Geef start interval"), std::string::npos);
  EXPECT_NE(messages[0].find("leeg"), std::string::npos);
  EXPECT_TRUE(headless::text_selected(hoofd().txt_start));
}

TEST_F(DrillTest, AVeryLongBadTextIsNotQuotedWhole) {
  start(std::string(5000, '7') + "x");
  const auto messages = headless::take_messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_LT(messages[0].size(), 400u);
}

}  // namespace
}  // namespace lv
