// Ticks on the user-interface thread: never before their deadlines, none lost, none from a stopped
// timer. On a busy machine any tick may come late; how close they come is the benchmark's to
// measure, so nothing here waits for a fixed span or bounds how late a tick is.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

#include "platform/win32/native.h"
#include "platform/win32/ticks.h"
#include "tests/win32/script.h"
#include "tests/win32/test_window.h"

namespace lv::test {
namespace {

using Clock = ui::TickClock;  // the clock the schedules run on
using std::chrono::milliseconds;

// Shows the window until done() holds, which must happen within a generous time.
void show_until(ui::Window& window, const std::function<bool()>& done) {
  const auto give_up = Clock::now() + std::chrono::seconds(60);
  bool gave_up = false;
  ui::Timer watch{window, "watch", 5, true};
  watch.on_tick = [&] {
    gave_up = !done() && Clock::now() > give_up;
    if (gave_up || done()) window.hide();
  };
  window.show_modal();
  EXPECT_FALSE(gave_up) << "waited a minute in vain";
}

// Deadlines of a timer started at `start` that have passed by now.
std::int64_t deadlines_passed(Clock::time_point start, milliseconds interval) {
  return (Clock::now() - start) / interval;
}

TEST(Timer, TenMillisecondTicksNeverComeBeforeTheirDeadlines) {
  RecordProperty("high_resolution_timers", win32::high_resolution_timers() ? "yes" : "no");
  TestWindow test;
  ui::Timer timer{test.window, "pacing", 10, false};
  int ticks = 0;
  std::vector<int> early;
  const auto before_start = Clock::now();
  timer.on_tick = [&] {
    ++ticks;
    const auto now = Clock::now();
    // The deadline on the timer's own schedule, and the n-th interval after the clock was read
    // before the start, which is no later.
    const auto due = timer.impl().pacer.schedule().next_deadline() - milliseconds(10);
    if (now < due || now < before_start + milliseconds(10) * ticks) early.push_back(ticks);
  };
  timer.start();
  show_until(test.window, [&] { return ticks >= 100; });
  EXPECT_EQ(early, std::vector<int>{});
}

TEST(Timer, TicksHeldBackByABusyHandlerAreDeliveredNotLost) {
  TestWindow test;
  ui::Timer timer{test.window, "pacing", 10, false};
  int ticks = 0;
  bool caught_up = false;
  const auto before_start = Clock::now();
  timer.on_tick = [&] {
    // Five deadlines go by while the first tick is handled. Skipped, their ticks would leave the
    // count behind the deadlines for good; delivered, it catches up.
    if (++ticks == 1) std::this_thread::sleep_for(milliseconds(50));
    const std::int64_t accounted = ticks + timer.impl().pacer.schedule().dropped();
    // One more for a deadline passed just now, one for the clock read before the start.
    if (ticks > 1 && accounted + 2 >= deadlines_passed(before_start, milliseconds(10))) {
      caught_up = true;
    }
  };
  timer.start();
  show_until(test.window, [&] { return caught_up; });
  EXPECT_TRUE(caught_up);
}

TEST(Timer, AStoppedTimerTicksNoMore) {
  TestWindow test;
  ui::Timer timer{test.window, "pacing", 10, true};
  ui::Timer witness{test.window, "witness", 10, false};
  int ticks = 0;
  int witnessed = 0;
  timer.on_tick = [&] {
    if (++ticks == 3) {
      timer.stop();
      witness.start();  // thirty of its deadlines are thirty of the stopped timer's
    }
  };
  witness.on_tick = [&] { ++witnessed; };
  show_until(test.window, [&] { return witnessed >= 30; });
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
  show_until(test.window, [&] { return rest_ticks == 3; });
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
  outer.first.on_click = [&] {
    inner.window.show_modal();
    outer.window.hide();
  };
  // A timer's handler waits for nothing: it has the button clicked, as a user would.
  ui::Timer opener{outer.window, "opener", 50, true};
  opener.on_tick = [&] {
    opener.stop();
    PostMessageW(win32::native_handle(outer.first), BM_CLICK, 0, 0);
  };
  int ticks_when_shown = 0;
  int ticks_while_shown = 0;
  Script script(
      {Script::when([&] { return inner.window.visible(); }, [&] { ticks_when_shown = ticks; }),
       Script::when([&] { return ticks >= ticks_when_shown + 20; },
                    [&] {
                      ticks_while_shown = ticks - ticks_when_shown;
                      inner.window.hide();
                    })});
  outer.window.show_modal();
  EXPECT_TRUE(script.finished());
  EXPECT_GE(ticks_while_shown, 20);
}

}  // namespace
}  // namespace lv::test
