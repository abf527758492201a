#include <gtest/gtest.h>

#include "tests/drill/drill_fixture.h"

namespace lv {
namespace {

class ExerciseWindowTest : public testing::DrillTest {
 protected:
  void SetUp() override {
    DrillTest::SetUp();
    headless::click(hoofd().cmd_start);
  }
};

TEST_F(ExerciseWindowTest, OpensWithTheFullLayout) {
  const frm_werk& w = werk();
  EXPECT_EQ(headless::background(w.window), ui::Background::active_border);
  const ui::Twips client = headless::client_size(w.window);
  EXPECT_EQ(client.width, 15240);
  EXPECT_EQ(client.height, 11010);

  testing::expect_layout({
      {w.cmd_exit, {11400, 9120, 1695, 495}, true},
      {w.txt_string, {5280, 4320, 3375, 1455}, false},
      {w.Label1, {14280, 9840, 735, 255}, true},
      {w.Label2, {3720, 960, 735, 255}, false},
      {w.Label3, {14280, 9240, 735, 255}, true},
      {w.Picture1, {5760, 4200, 2295, 1695}, false},
      {w.Label4, {13440, 9240, 495, 255}, true},
      {w.Label5, {13560, 9840, 375, 255}, true},
      {w.Command1, {13560, 8280, 1215, 495}, true},
      {w.Command2, {13560, 7560, 1215, 495}, true},
  });
  EXPECT_EQ(w.Label2.text(), "");
  EXPECT_EQ(headless::picture(w.Picture1), "rest_picture");

  const ui::Font font = headless::font(w.txt_string);
  EXPECT_EQ(font.face, "MS Sans Serif");
  EXPECT_EQ(font.points, 24);
  EXPECT_TRUE(font.bold);
  EXPECT_EQ(headless::alignment(w.txt_string), ui::Align::centre);
  EXPECT_EQ(headless::alignment(w.Label1), ui::Align::left);
  EXPECT_EQ(headless::alignment(w.Label3), ui::Align::left);
}

TEST_F(ExerciseWindowTest, DrawsAFirstSyllableIntoTheHiddenDisplayAndStartsPacing) {
  EXPECT_FALSE(werk().txt_string.visible());
  EXPECT_FALSE(werk().txt_string.text().empty());
  EXPECT_GE(Module1.vowel_index, 1);
  EXPECT_LE(Module1.vowel_index, 16);
  EXPECT_GE(Module1.consonant_index, 1);
  EXPECT_LE(Module1.consonant_index, 18);
  EXPECT_EQ(werk().txt_string.text(),
            Module1.consonants[static_cast<std::size_t>(Module1.consonant_index)] +
                Module1.vowels[static_cast<std::size_t>(Module1.vowel_index)]);

  EXPECT_TRUE(werk().Timer1.running());
  EXPECT_EQ(werk().Timer1.interval(), 10);
  EXPECT_FALSE(werk().Timer2.running());
}

TEST_F(ExerciseWindowTest, EindeEndsEverythingAndNoHandlerRunsAfterIt) {
  ticks(150);
  headless::click(werk().cmd_exit);
  EXPECT_TRUE(headless::program_ended());
  EXPECT_FALSE(werk().window.visible());
  EXPECT_FALSE(hoofd().window.visible());
  EXPECT_FALSE(werk().Timer1.running());
  EXPECT_FALSE(werk().Timer2.running());

  const std::string syllable = werk().txt_string.text();
  const std::int32_t elapsed = Module1.elapsed;
  headless::advance(60'000);
  EXPECT_EQ(werk().txt_string.text(), syllable);
  EXPECT_EQ(Module1.elapsed, elapsed);
}

// Nobody touches the mouse during a drill: the screen stays on while it is shown, and only then.
TEST_F(ExerciseWindowTest, TheScreenStaysOnExactlyWhileADrillIsShown) {
  EXPECT_TRUE(headless::screen_kept_on());
  headless::close(werk().window);
  EXPECT_FALSE(headless::screen_kept_on());
  headless::click(hoofd().cmd_start);
  EXPECT_TRUE(headless::screen_kept_on());
  headless::click(werk().cmd_exit);
  EXPECT_FALSE(headless::screen_kept_on());
}

}  // namespace
}  // namespace lv
