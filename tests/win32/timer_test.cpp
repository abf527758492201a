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
  // Never before their deadlines. How close they come is the benchmark's to measure.
  EXPECT_GE(milliseconds_between(started, ticks.front()), 9.0);
  EXPECT_GE(milliseconds_between(ticks.front(), ticks.back()), 990.0);
}

TEST(Timer, TicksHeldBackByABusyHandlerAreDeliveredNotLost) {
  TestWindow test;
  const auto started = Clock::now();
  ui::Timer timer{test.window, "pacing", 10, true};
  int ticks = 0;
  double deficit = 0;
  timer.on_tick = [&] {
    if (++ticks == 1) std::this_thread::sleep_for(std::chrono::milliseconds(80));
    if (ticks == 20) deficit = milliseconds_between(started, Clock::now()) / 10 - ticks;
  };
  show_until(
      test.window, [&] { return ticks >= 20; }, std::chrono::seconds(3));
  ASSERT_GE(ticks, 20);
  // Seven deadlines went by during the stall. Had their ticks been skipped, twenty ticks would
  // lag seven or more deadlines behind; delivered, they keep up, but for a late wake-up.
  EXPECT_LT(deficit, 5.0);
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
