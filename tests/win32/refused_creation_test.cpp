// The program when the system refuses it a window, a control, a font, its picture or a timer,
// at start-up or in the middle of the drill: the user is told, and it ends with exit code 1.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "platform/win32/window_class.h"
#include "tests/win32/child_process.h"
#include "tests/win32/user.h"

namespace lv::test {
namespace {

// Runs the probe with its n-th creation refused, pressing "&Start" should the settings window
// come up, and answers the message that follows; what that message said.
std::string message_when_refused(int n, long& exit_code) {
  ChildProcess probe(L"refused_creation_probe.exe " + std::to_wstring(n));
  if (!probe.started()) return "(not started)";
  std::string message = "(no message)";
  bool started_drill = false;
  const auto give_up = std::chrono::steady_clock::now() + std::chrono::minutes(1);
  while (std::chrono::steady_clock::now() < give_up) {
    if (const HWND box = probe.window_now(L"#32770", L"Lettervonk")) {
      message = message_box_text(box);
      PostMessageW(box, WM_COMMAND, IDOK, 0);
      break;
    }
    const HWND settings = started_drill ? nullptr : probe.window_now(win32::kWindowClass, L"Form1");
    if (settings) {
      post_alt(FindWindowExW(settings, nullptr, L"Edit", nullptr), 's');
      started_drill = true;
    }
    Sleep(50);
  }
  exit_code = probe.exit_code();
  return message;
}

TEST(RefusedCreation, EndsTheProgramWithAMessageAndExitCodeOne) {
  // A window class, the settings window, its font, the exercise window, one of its controls
  // or its picture, font or timers, and the arming of the pacing timer as the drill starts.
  for (const int n : {1, 3, 4, 13, 26, 31}) {
    long exit_code = 0;
    const std::string message = message_when_refused(n, exit_code);
    EXPECT_NE(message.find("Windows kon "), std::string::npos)
        << "creation " << n << ": " << message;
    EXPECT_EQ(exit_code, 1) << "creation " << n;
  }
}

}  // namespace
}  // namespace lv::test
