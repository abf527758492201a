// Showing windows modally, closing them, message boxes, and ending the program.
#include <gtest/gtest.h>

#include "tests/win32/script.h"
#include "tests/win32/test_window.h"
#include "tests/win32/user.h"

namespace lv::test {
namespace {

TEST(Modal, OtherWindowsWaitWhileOneIsShown) {
  TestWindow first;
  TestWindow second;
  first.first.on_click = [&] { second.window.show_modal(); };
  // Alt+T goes to whichever window has the keyboard: only the one shown last may answer it.
  Script script(
      {[&] { press_alt('e'); },
       Script::when([&] { return GetActiveWindow() == handle(second.window); },
                    [&] {
                      EXPECT_FALSE(IsWindowEnabled(handle(first.window)));
                      press_alt('t');
                    }),
       Script::when([&] { return second.second_clicks == 1; }, [&] { second.window.hide(); }),
       Script::when([&] { return GetActiveWindow() == handle(first.window); },
                    [&] {
                      EXPECT_TRUE(IsWindowEnabled(handle(first.window)));
                      press_alt('t');
                    }),
       Script::when([&] { return first.second_clicks == 1; }, [&] { first.window.hide(); })});
  first.window.show_modal();
  EXPECT_TRUE(script.finished());
  EXPECT_EQ(first.second_clicks, 1);   // only once the other window was gone
  EXPECT_EQ(second.second_clicks, 1);  // only while it was shown
  EXPECT_FALSE(second.window.visible());
}

TEST(Modal, AnErrorMessageWaitsForTheUserOverTheActiveWindow) {
  TestWindow test;
  HWND owner = nullptr;
  std::string text;
  std::string title;
  Script script({[&] {
    MessageBoxAnswerer answerer;
    ui::show_error("Lettervonk", "Het getal \"abc\" is geen getal.");
    text = answerer.text();
    title = answerer.title();
    owner = GetActiveWindow();
    test.window.hide();
  }});
  test.window.show_modal();
  EXPECT_EQ(title, "Lettervonk");
  EXPECT_EQ(text, "Het getal \"abc\" is geen getal.");
  EXPECT_EQ(owner, handle(test.window));  // the window is active again afterwards
}

TEST(Modal, EndingTheProgramReturnsFromEveryShowingAndRunsNoHandlerAfter) {
  TestWindow outer;
  TestWindow inner;
  ui::Timer timer{inner.window, "pacing", 10, true};
  int ticks_after_end = 0;
  bool ended = false;
  timer.on_tick = [&] { ticks_after_end += ended; };
  inner.first.on_click = [&] {
    ui::end_program();
    ended = true;
  };
  outer.first.on_click = [&] { inner.window.show_modal(); };
  Script script({[&] { press_alt('e'); },    // shows the inner window from outer's handler
                 [&] { press_alt('e'); }});  // ends the program there
  outer.window.show_modal();
  EXPECT_TRUE(ended);
  EXPECT_FALSE(outer.window.visible());
  EXPECT_FALSE(inner.window.visible());
  EXPECT_FALSE(timer.running());
  EXPECT_EQ(ticks_after_end, 0);

  // Nothing runs or shows any more.
  int clicks = 0;
  inner.second.on_click = [&] { ++clicks; };
  outer.window.show_modal();
  SendMessageW(handle(inner.window), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED),
               reinterpret_cast<LPARAM>(handle(inner.second)));
  timer.start();
  EXPECT_FALSE(outer.window.visible());
  EXPECT_EQ(clicks, 0);
  EXPECT_FALSE(timer.running());
}

TEST(System, DecimalSeparatorAndClock) {
  EXPECT_FALSE(ui::decimal_separator().empty());
  const auto before = ui::clock_value();
  Sleep(2);
  EXPECT_GT(ui::clock_value(), before);
}

}  // namespace
}  // namespace lv::test
