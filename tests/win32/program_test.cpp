// The real program in a process of its own: every way out ends it with exit code 0.
#include <gtest/gtest.h>

#include <windows.h>

#include "platform/win32/window_class.h"
#include "tests/win32/child_process.h"

namespace lv::test {
namespace {

class Program : public testing::Test {
 protected:
  HWND shown_window(const wchar_t* caption) const {
    return program_.shown_window(win32::kWindowClass, caption);
  }
  long exit_code() const { return program_.exit_code(); }
  bool started() const { return program_.started(); }

  // Presses "&Start" in the settings window; the exercise window it opens.
  HWND start_exercise() {
    const HWND settings = shown_window(L"Form1");
    if (!settings) return nullptr;
    post_alt(FindWindowExW(settings, nullptr, L"Edit", nullptr), 's');
    return shown_window(L"Lettervonk");
  }

  ChildProcess program_{L"lettervonk.exe"};
};

TEST_F(Program, AltEInTheSettingsWindowEndsIt) {
  ASSERT_TRUE(started());
  const HWND settings = shown_window(L"Form1");
  ASSERT_TRUE(settings);
  post_alt(FindWindowExW(settings, nullptr, L"Edit", nullptr), 'e');
  EXPECT_EQ(exit_code(), 0);
}

TEST_F(Program, ClosingTheSettingsWindowEndsIt) {
  ASSERT_TRUE(started());
  const HWND settings = shown_window(L"Form1");
  ASSERT_TRUE(settings);
  PostMessageW(settings, WM_CLOSE, 0, 0);
  EXPECT_EQ(exit_code(), 0);
}

TEST_F(Program, EindeInTheExerciseWindowEndsIt) {
  ASSERT_TRUE(started());
  const HWND exercise = start_exercise();
  ASSERT_TRUE(exercise);
  const HWND einde = FindWindowExW(exercise, nullptr, L"Button", L"&Einde");
  ASSERT_TRUE(einde);
  PostMessageW(einde, WM_KEYDOWN, VK_RETURN, 1);
  EXPECT_EQ(exit_code(), 0);
}

TEST_F(Program, ClosingTheExerciseWindowBringsBackTheSettingsAndTheProgramGoesOn) {
  ASSERT_TRUE(started());
  for (int drill = 0; drill < 2; ++drill) {
    const HWND exercise = start_exercise();
    ASSERT_TRUE(exercise);
    PostMessageW(exercise, WM_CLOSE, 0, 0);
    ASSERT_TRUE(shown_window(L"Form1"));
    EXPECT_FALSE(IsWindowVisible(exercise));
  }
  EXPECT_TRUE(program_.running());
  PostMessageW(shown_window(L"Form1"), WM_CLOSE, 0, 0);
  EXPECT_EQ(exit_code(), 0);
}

}  // namespace
}  // namespace lv::test
