// The readings under the pace buttons are set at every step of the drill, mostly to what they
// already show. A static control draws itself at once whenever it is given a text, so a label
// given its own text again would cost a repaint at every step.
#include <gtest/gtest.h>

#include "tests/win32/test_window.h"
#include "tests/win32/user.h"

namespace lv::test {
namespace {

HWND watched = nullptr;
int texts_given = 0;

LRESULT CALLBACK count_texts_given(int code, WPARAM wparam, LPARAM lparam) {
  const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lparam);
  if (code == HC_ACTION && sent->hwnd == watched && sent->message == WM_SETTEXT) ++texts_given;
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

TEST(Redraw, ALabelIsGivenItsTextOnlyWhenTheTextChanges) {
  TestWindow test;
  watched = handle(test.prompt);
  texts_given = 0;
  const HHOOK hook =
      SetWindowsHookExW(WH_CALLWNDPROC, count_texts_given, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  test.prompt.set_text("Naam");
  EXPECT_EQ(texts_given, 0);
  test.prompt.set_text("2000");
  test.prompt.set_text("2000");
  EXPECT_EQ(texts_given, 1);
  EXPECT_EQ(test.prompt.text(), "2000");
  UnhookWindowsHookEx(hook);
}

}  // namespace
}  // namespace lv::test
