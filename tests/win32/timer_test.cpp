// Ticks on the user-interface thread, on time, and none from a stopped timer.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

#include "platform/win32/ticks.h"
#include "tests/win32/script.h"
#include "tests/win32/test_window.h"

namespace lv::test {
namespace {

using Clock = std::chrono::steady_clock;

double milliseconds_between(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

// Shows the window until done() holds, at most for limit.
void show_until(ui::Window& window, std::function<bool()> done, std::chrono::milliseconds limit) {
  const auto give_up = Clock::now() + limit;
  ui::Timer watch{window, "watch", 5, true};
  watch.on_tick = [&] {
    if (done() || Clock::now() > give_up) window.hide();
  };
  window.show_modal();
}

TEST(Timer, TenMillisecondTicksComeEveryTenMilliseconds) {
  RecordProperty("high_resolution_timers", win32::high_resolution_timers() ? "yes" : "no");
  TestWindow test;
  ui::Timer timer{test.window, "pacing", 10, false};
  std::vector<Clock::time_point> ticks;
  timer.on_tick = [&] { ticks.push_back(Clock::now()); };
  const auto started = Clock::now();
  timer.start();
  show_until(
      test.window, [&] { return ticks.size() == 101; }, std::chrono::seconds(3));
  ASSERT_EQ(ticks.size(), 101u);
  // Never early; and late ticks are skipped, so a hundred of them take a whole second or a bit
  // more, not the 1.56 s of a 15.6 ms system timer.
  EXPECT_GE(milliseconds_between(started, ticks.front()), 9.0);
  const double hundred = milliseconds_between(ticks.front(), ticks.back());
  EXPECT_GE(hundred, 990.0);
  EXPECT_LE(hundred, 1250.0);
}

TEST(Timer, LateTicksAreSkippedNotMadeUp) {
  TestWindow test;
  ui::Timer timer{test.window, "pacing", 10, true};
  std::vector<Clock::time_point> ticks;
  Clock::time_point stall_over;
  timer.on_tick = [&] {
    ticks.push_back(Clock::now());
    if (ticks.size() > 1) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(55));  // five deadlines go by
    stall_over = Clock::now();
  };
  show_until(
      test.window, [&] { return ticks.size() == 8; }, std::chrono::seconds(3));
  ASSERT_EQ(ticks.size(), 8u);
  // Made-up ticks would come all at once. Kept to the schedule, at most the one that was due and
  // the next one can come close together.
  int at_once = 0;
  for (const auto tick : ticks)
    at_once += tick >= stall_over && tick < stall_over + std::chrono::milliseconds(3);
  EXPECT_LE(at_once, 2);
}

TEST(Timer, AStoppedTimerTicksNoMore) {
  TestWindow test;
  ui::Timer timer{test.window, "pacing", 10, true};
  int ticks = 0;
  timer.on_tick = [&] {
    if (++ticks == 3) timer.stop();
  };
  const auto started = Clock::now();
  show_until(
      test.window, [&] { return Clock::now() - started > std::chrono::milliseconds(300); },
      std::chrono::seconds(3));
  EXPECT_EQ(ticks, 3);
  EXPECT_FALSE(timer.running());
}

TEST(Timer, AHandlerCanStartAnotherTimerAndStopItself) {
  TestWindow test;
  ui::Timer pacing{test.window, "Timer1", 10, true};
  ui::Timer rest{test.window, "Timer2", 3500, false};
  int pacing_ticks = 0;
  int rest_ticks = 0;
  pacing.on_tick = [&] {
    ++pacing_ticks;
    rest.set_interval(50);
    rest.start();
    pacing.stop();
  };
  rest.on_tick = [&] {
    ++rest_ticks;
    rest.stop();
    if (rest_ticks < 3) pacing.start();
  };
  show_until(
      test.window, [&] { return rest_ticks == 3; }, std::chrono::seconds(3));
  EXPECT_EQ(pacing_ticks, 3);
  EXPECT_EQ(rest_ticks, 3);
  EXPECT_EQ(rest.interval(), 50);
}

TEST(Timer, TicksAlsoComeWhileAnotherWindowIsShownModally) {
  TestWindow outer;
  TestWindow inner;
  ui::Timer timer{outer.window, "pacing", 10, true};
  int ticks = 0;
  timer.on_tick = [&] { ++ticks; };
  Script script({[&] { inner.window.show_modal(); }});
  ui::Timer close_inner{inner.window, "close", 200, true};
  close_inner.on_tick = [&] {
    close_inner.stop();
    EXPECT_GT(ticks, 10);
    inner.window.hide();
    outer.window.hide();
  };
  outer.window.show_modal();
  EXPECT_TRUE(script.finished());
}

}  // namespace
}  // namespace lv::test
