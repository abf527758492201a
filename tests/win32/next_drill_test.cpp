// The classroom on Win32: a held key ends nothing, closing the exercise window brings the
// settings back for the next drill, and the screen stays on exactly while a drill is shown.
#include <gtest/gtest.h>

#include <vector>

#include "exercise/frm_werk.h"
#include "settings/frm_hoofd.h"
#include "startup/forms.h"
#include "startup/main_routine.h"
#include "startup/module1.h"
#include "tests/win32/script.h"
#include "tests/win32/user.h"

namespace lv::test {
namespace {

struct NextDrill : testing::Test {
  ~NextDrill() override { forms::unload_all(); }
};

bool exercise_window_active() {
  return forms::werk().window.visible() && has_focus(forms::werk().cmd_exit);
}

bool settings_window_back() {
  return forms::hoofd().window.visible() && !forms::werk().window.visible();
}

// Whether the display is asked to stay on; asking so resets only the idle timer.
bool display_kept_on() {
  const EXECUTION_STATE state = SetThreadExecutionState(ES_SYSTEM_REQUIRED);
  return (state & ES_CONTINUOUS) && (state & ES_DISPLAY_REQUIRED);
}

TEST_F(NextDrill, EnterHeldOnStartOpensTheDrillAndEndsNothing) {
  Script script(
      {[] { press(VK_TAB), press(VK_TAB); },
       Script::when([] { return has_focus(forms::hoofd().cmd_start); }, [] { hold(VK_RETURN); }),
       Script::when(exercise_window_active,
                    [] {
                      repeat(VK_RETURN, 5);
                      release(VK_RETURN);
                    }),
       [] {
         EXPECT_TRUE(exercise_window_active());
         press(VK_RETURN);  // a press of its own still ends it
       }});
  Main();
  EXPECT_TRUE(script.finished());
  EXPECT_FALSE(forms::werk().window.visible());
  EXPECT_FALSE(forms::hoofd().window.visible());
}

TEST_F(NextDrill, SpaceHeldFromTheSettingsWindowPressesNothingInTheExerciseWindow) {
  Script script({[] { press(VK_TAB), press(VK_TAB); },
                 Script::when([] { return has_focus(forms::hoofd().cmd_start); },
                              [] {
                                hold(VK_SPACE);
                                press_alt('s');
                              }),
                 Script::when(exercise_window_active,
                              [] {
                                repeat(VK_SPACE, 5);
                                release(VK_SPACE);
                              }),
                 [] {
                   EXPECT_TRUE(exercise_window_active());
                   press_alt('e');
                 }});
  Main();
  EXPECT_TRUE(script.finished());
  EXPECT_FALSE(forms::werk().window.visible());
}

TEST_F(NextDrill, ClosingTheExerciseWindowBringsBackTheSettingsForAFreshDrill) {
  constexpr int kDrills = 3;
  std::vector<const void*> depths;
  std::vector<Script::Step> steps{[] {
    type("100");  // over the selected "2000"
    press_alt('s');
  }};
  for (int drill = 0; drill < kDrills; ++drill) {
    steps.push_back(Script::when(exercise_window_active, [&depths] {
      frm_werk& werk = forms::werk();
      // Fresh, whatever the drill before it had come to.
      EXPECT_EQ(Module1.series_count, 0);
      EXPECT_FALSE(werk.Picture1.visible());
      EXPECT_FALSE(werk.Timer2.running());
      EXPECT_TRUE(werk.Timer1.running());
      EXPECT_TRUE(display_kept_on());
      depths.push_back(__builtin_frame_address(0));
    }));
    // Closed in its first rest, when both the series count and the rest picture have moved on.
    steps.push_back(
        Script::when([] { return forms::werk().Picture1.visible(); },
                     [] { PostMessageW(handle(forms::werk().window), WM_CLOSE, 0, 0); }));
    steps.push_back(Script::when(settings_window_back, [] {
      frm_hoofd& hoofd = forms::hoofd();
      EXPECT_EQ(hoofd.txt_start.text(), "100");
      EXPECT_EQ(hoofd.txt_speed.text(), "100");
      EXPECT_FALSE(forms::werk().Timer1.running());
      EXPECT_FALSE(forms::werk().Timer2.running());
      EXPECT_FALSE(display_kept_on());
      press_alt('s');
    }));
  }
  steps.back() = Script::when(settings_window_back,
                              [] { PostMessageW(handle(forms::hoofd().window), WM_CLOSE, 0, 0); });
  Script script(std::move(steps));
  Main();
  EXPECT_TRUE(script.finished());
  EXPECT_FALSE(forms::hoofd().window.visible());
  // Each drill ran as deep in the stack as the first: showing the settings again nested nothing.
  ASSERT_EQ(depths.size(), std::size_t{kDrills});
  EXPECT_EQ(depths.front(), depths.back());
}

TEST_F(NextDrill, EindeAfterAClosedDrillEndsTheProgramAndLetsTheScreenSleep) {
  Script script({[] { press_alt('s'); },
                 Script::when(exercise_window_active,
                              [] { PostMessageW(handle(forms::werk().window), WM_CLOSE, 0, 0); }),
                 Script::when(settings_window_back, [] { press_alt('s'); }),
                 Script::when(exercise_window_active, [] {
                   EXPECT_TRUE(display_kept_on());
                   press_alt('e');
                 })});
  Main();
  EXPECT_TRUE(script.finished());
  EXPECT_FALSE(forms::werk().window.visible());
  EXPECT_FALSE(forms::hoofd().window.visible());
  EXPECT_FALSE(display_kept_on());
}

}  // namespace
}  // namespace lv::test
