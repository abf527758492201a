// The headless backend is what every drill test stands on: its clock, focus and keyboard must
// behave as the real toolkits do.
#include "platform/headless/headless.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace lv {
namespace {

class HeadlessBackend : public ::testing::Test {
 protected:
  void SetUp() override { headless::reset(); }
  ui::Window window{"w", "Venster", {0, 0, 3000, 2000}, ui::Background::standard};
};

TEST_F(HeadlessBackend, TimersTickOnScheduleInTimeOrder) {
  std::vector<std::string> log;
  ui::Timer fast(window, "fast", 10, true);
  ui::Timer slow(window, "slow", 25, true);
  fast.on_tick = [&] { log.push_back("fast@" + std::to_string(headless::now())); };
  slow.on_tick = [&] { log.push_back("slow@" + std::to_string(headless::now())); };
  headless::advance(50);
  EXPECT_EQ(log, (std::vector<std::string>{"fast@10", "fast@20", "slow@25", "fast@30", "fast@40",
                                           "fast@50", "slow@50"}));
  EXPECT_EQ(headless::now(), 50);
}

TEST_F(HeadlessBackend, ATimerStartedOrStoppedInAHandlerTakesEffectAtOnce) {
  ui::Timer pacing(window, "pacing", 10, true);
  ui::Timer rest(window, "rest", 100, false);
  int pacing_ticks = 0;
  int rest_ticks = 0;
  pacing.on_tick = [&] {
    if (++pacing_ticks == 3) {
      rest.start();
      pacing.stop();
    }
  };
  rest.on_tick = [&] {
    ++rest_ticks;
    rest.stop();
    pacing.start();
  };
  headless::advance(129);
  EXPECT_EQ(pacing_ticks, 3);
  EXPECT_EQ(rest_ticks, 0);
  headless::advance(1);  // the rest ends 100 ms after the third tick
  EXPECT_EQ(rest_ticks, 1);
  headless::advance(10);
  EXPECT_EQ(pacing_ticks, 4);
}

TEST_F(HeadlessBackend, ANewIntervalRestartsARunningTimer) {
  ui::Timer timer(window, "t", 100, true);
  int ticks = 0;
  timer.on_tick = [&] { ++ticks; };
  headless::advance(60);
  timer.set_interval(100);
  headless::advance(99);
  EXPECT_EQ(ticks, 0);
  headless::advance(1);
  EXPECT_EQ(ticks, 1);
}

TEST_F(HeadlessBackend, EndingTheProgramStopsEverythingAndRefusesFurtherInput) {
  ui::Button button(window, "button", {0, 0, 100, 100}, "&Knop");
  ui::Timer timer(window, "t", 10, true);
  int ticks = 0;
  timer.on_tick = [&] { ++ticks; };
  window.show_modal();
  ui::end_program();
  EXPECT_TRUE(headless::program_ended());
  EXPECT_FALSE(window.visible());
  EXPECT_FALSE(timer.running());
  timer.start();
  headless::advance(100);
  EXPECT_EQ(ticks, 0);
  EXPECT_THROW(headless::click(button), std::logic_error);
}

// A browser runs a tick beside the program's sleeping loop, which cannot wait a second time: a
// handler that waits must fail here, where every drill test runs, and not only in a browser.
TEST_F(HeadlessBackend, ATimersHandlerMayNotWaitForAWindowOrAMessage) {
  ui::Window dialog{"dialog", "Vraag", {0, 0, 1000, 1000}, ui::Background::standard};
  ui::Timer shows(window, "shows", 10, true);
  shows.on_tick = [&] { dialog.show_modal(); };
  EXPECT_THROW(headless::advance(10), std::logic_error);
  shows.stop();
  ui::Timer tells(window, "tells", 10, true);
  tells.on_tick = [] { ui::show_error("Lettervonk", "Fout"); };
  EXPECT_THROW(headless::advance(10), std::logic_error);
  tells.stop();
  dialog.show_modal();  // outside a tick, as ever
  EXPECT_TRUE(headless::modal(dialog));
}

TEST_F(HeadlessBackend, HiddenControlsCannotBeClicked) {
  ui::Button button(window, "button", {0, 0, 100, 100}, "&Knop");
  EXPECT_THROW(headless::click(button), std::logic_error);  // window not shown yet
  window.show_modal();
  button.set_visible(false);
  EXPECT_THROW(headless::click(button), std::logic_error);
}

}  // namespace
}  // namespace lv
