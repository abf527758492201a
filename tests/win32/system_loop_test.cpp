// Ticks while Windows runs a loop of its own for a window: its system menu is open (Alt+Space),
// or it is being moved. The program's own wait does not run then; the ticks must come all the
// same, on their schedule, and none may be lost. So too while the window is minimised.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "platform/paced_timer.h"
#include "platform/win32/impl.h"
#include "tests/win32/test_window.h"

namespace lv::test {
namespace {

using Clock = ui::TickClock;
using std::chrono::milliseconds;

// Whether the system's loop is running, from the messages that open and close it.
std::atomic<bool> in_system_loop{false};
std::atomic<int> system_loops_entered{0};

LRESULT CALLBACK watch_messages(int code, WPARAM wparam, LPARAM lparam) {
  const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lparam);
  if (code == HC_ACTION) {
    if (sent->message == WM_ENTERSIZEMOVE || sent->message == WM_ENTERMENULOOP) {
      in_system_loop = true;
      ++system_loops_entered;
    } else if (sent->message == WM_EXITSIZEMOVE || sent->message == WM_EXITMENULOOP) {
      in_system_loop = false;
    }
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

// Should the ticks not come, nothing would close the system's loop or restore the window: after a
// generous time this does, once a second until the test is over, and the test fails on the count.
class Watchdog {
 public:
  explicit Watchdog(HWND hwnd)
      : thread_([this, hwnd] {
          std::unique_lock<std::mutex> lock(mutex_);
          auto wait = std::chrono::seconds(30);
          while (!done_changed_.wait_for(lock, wait, [this] { return done_; })) {
            PostMessageW(hwnd, WM_KEYDOWN, VK_ESCAPE, 1);
            PostMessageW(hwnd, WM_SYSCOMMAND, SC_RESTORE, 0);
            wait = std::chrono::seconds(1);
          }
        }) {}
  ~Watchdog() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      done_ = true;
    }
    done_changed_.notify_all();
    thread_.join();
  }
  Watchdog(const Watchdog&) = delete;
  Watchdog& operator=(const Watchdog&) = delete;

 private:
  std::mutex mutex_;
  std::condition_variable done_changed_;
  bool done_ = false;
  std::thread thread_;
};

struct Counts {
  int inside = 0;  // ticks that came while the system's loop ran, or the window was minimised
  int early = 0;
  bool caught_up = false;  // every deadline passed is accounted for, once that is over
};

// What is posted to the window, and whether the system runs a loop of its own for it.
struct Situation {
  WPARAM command;
  LPARAM lparam;
  bool system_loop;
};

// Shows a window whose 10 ms timer counts its ticks and posts it a system command. Once 100 ticks
// have come inside the system's loop that follows, it presses Escape until the loop ends; once
// 100 have come while the window is minimised, it restores the window.
Counts ticks_through(const Situation& situation) {
  TestWindow test;
  const HWND hwnd = test.window.impl().hwnd;
  const HHOOK hook =
      SetWindowsHookExW(WH_CALLWNDPROC, watch_messages, nullptr, GetCurrentThreadId());
  EXPECT_NE(hook, nullptr);
  in_system_loop = false;
  system_loops_entered = 0;
  Watchdog watchdog(hwnd);

  ui::Timer pacing{test.window, "pacing", 10, false};
  Counts counts;
  int ticks = 0;
  bool was_minimised = false;
  const auto before_start = Clock::now();
  pacing.on_tick = [&] {
    ++ticks;
    const auto now = Clock::now();
    const auto due = pacing.impl().pacer.schedule().next_deadline() - milliseconds(10);
    if (now < due || now < before_start + milliseconds(10) * ticks) ++counts.early;
    if (ticks == 5) PostMessageW(hwnd, WM_SYSCOMMAND, situation.command, situation.lparam);
    const bool inside = situation.system_loop ? in_system_loop.load() : IsIconic(hwnd) != FALSE;
    was_minimised = was_minimised || IsIconic(hwnd);
    if (inside && ++counts.inside >= 100 && counts.inside % 10 == 0) {
      // Escape again now and then: the first may only close the menu, not leave menu mode.
      if (situation.system_loop) {
        PostMessageW(hwnd, WM_KEYDOWN, VK_ESCAPE, 1);
      } else {
        ShowWindow(hwnd, SW_RESTORE);
      }
    }
    const bool over = situation.system_loop ? system_loops_entered > 0 : was_minimised;
    const std::int64_t passed = (now - before_start) / milliseconds(10);
    const std::int64_t accounted = ticks + pacing.impl().pacer.schedule().dropped();
    if (over && !inside && accounted + 2 >= passed) {
      counts.caught_up = true;
      test.window.hide();
    }
  };
  pacing.start();
  test.window.show_modal();
  UnhookWindowsHookEx(hook);
  EXPECT_EQ(system_loops_entered, situation.system_loop ? 1 : 0);
  return counts;
}

TEST(SystemLoops, TicksKeepTheirScheduleWhileTheSystemMenuIsOpen) {
  const Counts counts = ticks_through({SC_KEYMENU, ' ', true});
  EXPECT_GE(counts.inside, 100);
  EXPECT_EQ(counts.early, 0);
  EXPECT_TRUE(counts.caught_up);
}

TEST(SystemLoops, TicksKeepTheirScheduleWhileTheWindowIsMoved) {
  const Counts counts = ticks_through({SC_MOVE, 0, true});
  EXPECT_GE(counts.inside, 100);
  EXPECT_EQ(counts.early, 0);
  EXPECT_TRUE(counts.caught_up);
}

TEST(SystemLoops, TicksKeepTheirScheduleWhileTheWindowIsMinimised) {
  const Counts counts = ticks_through({SC_MINIMIZE, 0, false});
  EXPECT_GE(counts.inside, 100);
  EXPECT_EQ(counts.early, 0);
  EXPECT_TRUE(counts.caught_up);
}

}  // namespace
}  // namespace lv::test
