#include <gtest/gtest.h>

#include "tests/drill/drill_fixture.h"

namespace lv {
namespace {

using testing::DrillTest;

TEST_F(DrillTest, SettingsWindowOpensModallyLaidOutInTwips) {
  const frm_hoofd& w = hoofd();
  EXPECT_TRUE(w.window.visible());
  EXPECT_TRUE(headless::modal(w.window));
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
