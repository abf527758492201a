// The real program in a process of its own: every way out ends it with exit code 0.
#include <gtest/gtest.h>

#include <windows.h>

#include "platform/win32/window_class.h"

namespace lv::test {
namespace {

class Program : public testing::Test {
 protected:
  Program() {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    wchar_t command[] = L"lettervonk.exe";
    started_ = CreateProcessW(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                              &startup, &process_);
  }

  ~Program() override {
    if (!started_) return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
      TerminateProcess(process_.hProcess, 1);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }

  // The program's window with this caption, once it is shown.
  HWND shown_window(const wchar_t* caption) {
    for (int waited = 0; waited < 30'000; waited += 50) {
      const HWND window = FindWindowW(win32::kWindowClass, caption);
      if (window && IsWindowVisible(window)) return window;
      Sleep(50);
    }
    return nullptr;
  }

  // Waits for the program to end; its exit code, or -1 when it goes on running.
  long exit_code() {
    if (WaitForSingleObject(process_.hProcess, 15'000) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return static_cast<long>(code);
  }

  // Presses "&Start" in the settings window; the exercise window it opens.
  HWND start_exercise() {
    const HWND settings = shown_window(L"Form1");
    if (!settings) return nullptr;
    press_alt(FindWindowExW(settings, nullptr, L"Edit", nullptr), 's');
    return shown_window(L"Lettervonk");
  }

  static void press_alt(HWND target, char letter) {
    PostMessageW(target, WM_SYSCHAR, static_cast<WPARAM>(letter), (1 << 29) | 1);
  }

  BOOL started_ = FALSE;
  PROCESS_INFORMATION process_{};
};

TEST_F(Program, AltEInTheSettingsWindowEndsIt) {
  ASSERT_TRUE(started_);
  const HWND settings = shown_window(L"Form1");
  ASSERT_TRUE(settings);
  press_alt(FindWindowExW(settings, nullptr, L"Edit", nullptr), 'e');
  EXPECT_EQ(exit_code(), 0);
}

TEST_F(Program, ClosingTheSettingsWindowEndsIt) {
  ASSERT_TRUE(started_);
  const HWND settings = shown_window(L"Form1");
  ASSERT_TRUE(settings);
  PostMessageW(settings, WM_CLOSE, 0, 0);
  EXPECT_EQ(exit_code(), 0);
}

TEST_F(Program, EindeInTheExerciseWindowEndsIt) {
  ASSERT_TRUE(started_);
  const HWND exercise = start_exercise();
  ASSERT_TRUE(exercise);
  const HWND einde = FindWindowExW(exercise, nullptr, L"Button", L"&Einde");
  ASSERT_TRUE(einde);
  PostMessageW(einde, WM_KEYDOWN, VK_RETURN, 1);
  EXPECT_EQ(exit_code(), 0);
}

TEST_F(Program, ClosingTheExerciseWindowBringsBackTheSettingsAndTheProgramGoesOn) {
  ASSERT_TRUE(started_);
  for (int drill = 0; drill < 2; ++drill) {
    const HWND exercise = start_exercise();
    ASSERT_TRUE(exercise);
    PostMessageW(exercise, WM_CLOSE, 0, 0);
    ASSERT_TRUE(shown_window(L"Form1"));
    EXPECT_FALSE(IsWindowVisible(exercise));
  }
  EXPECT_EQ(WaitForSingleObject(process_.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT));
  PostMessageW(shown_window(L"Form1"), WM_CLOSE, 0, 0);
  EXPECT_EQ(exit_code(), 0);
}

}  // namespace
}  // namespace lv::test
