// The pacer against a clock and an alarm the test moves by hand: the alarm may ring early, late or
// twice, the machine may stall, and the handler may stop or restart its timer; every tick must
// still come once per deadline, never before it, and the alarm must be armed only when it has
// fallen out of step.
#include "platform/tick_pacer.h"

#include <gtest/gtest.h>

#include <vector>

namespace lv::ui {
namespace {

using std::chrono::milliseconds;

TickClock::time_point clock_now{std::chrono::seconds(1000)};
TickClock::time_point test_clock() {
  return clock_now;
}

struct Ringing {
  TickClock::time_point at;  // when the alarm will first ring
  milliseconds period;
};

struct TestAlarm : Alarm {
  std::vector<Ringing> ringings;  // every arming, in order
  bool silenced = false;
  void ring(TickClock::duration first, milliseconds period) override {
    EXPECT_GE(first, TickClock::duration::zero());
    ringings.push_back({clock_now + first, period});
    silenced = false;
  }
  void silence() override { silenced = true; }
};

class TickPacerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    clock_now = t0;
    pacer.set_interval(10);
    pacer.start();
  }
  static void at(double ms) {
    clock_now = t0 + std::chrono::duration_cast<TickClock::duration>(
                         std::chrono::duration<double, std::milli>(ms));
  }
  // Wakes the pacer as the backend does: once now, then once per pass while it catches up.
  int wake_and_catch_up() {
    const int before = ticks;
    do pacer.wake(tick);
    while (pacer.catching_up());
    return ticks - before;
  }

  static inline const TickClock::time_point t0{std::chrono::seconds(1000)};
  TestAlarm alarm;
  TickPacer pacer{alarm, &test_clock};
  int ticks = 0;
  std::vector<TickClock::time_point> moments;  // of each tick, as the pacer gave it
  TickPacer::Tick tick = [this](TickClock::time_point moment) {
    ++ticks;
    moments.push_back(moment);
  };
};

TEST_F(TickPacerTest, APeriodicAlarmRingingOnTimeIsArmedOnceNotPerTick) {
  ASSERT_EQ(alarm.ringings.size(), 1u);
  EXPECT_EQ(alarm.ringings[0].at, t0 + milliseconds(10));
  EXPECT_EQ(alarm.ringings[0].period, milliseconds(10));
  for (int n = 1; n <= 100; ++n) {
    at(10.0 * n + 0.3);  // each ringing a little late
    EXPECT_EQ(wake_and_catch_up(), 1) << n;
  }
  EXPECT_EQ(alarm.ringings.size(), 1u);
}

TEST_F(TickPacerTest, AnEarlyRingingGivesNoTickAndPutsTheAlarmBackInStep) {
  at(9.5);
  EXPECT_EQ(wake_and_catch_up(), 0);
  ASSERT_EQ(alarm.ringings.size(), 2u);
  EXPECT_EQ(alarm.ringings[1].at, t0 + milliseconds(10));
  // Rung twice for the same deadline: one tick.
  at(10);
  EXPECT_EQ(wake_and_catch_up(), 1);
  EXPECT_EQ(wake_and_catch_up(), 0);
  EXPECT_EQ(alarm.ringings.back().at, t0 + milliseconds(20));
}

TEST_F(TickPacerTest, TicksAStallHeldBackComeOnePerPassThenTheAlarmIsBackInStep) {
  at(45);  // the deadlines at 10, 20, 30 and 40 have passed
  pacer.wake(tick);
  EXPECT_EQ(ticks, 1);
  EXPECT_TRUE(pacer.catching_up());
  EXPECT_EQ(alarm.ringings.size(), 1u);  // not while catching up
  EXPECT_EQ(wake_and_catch_up(), 3);
  // A native timer that rang late may have moved its phase: armed again for the next deadline.
  ASSERT_EQ(alarm.ringings.size(), 2u);
  EXPECT_EQ(alarm.ringings[1].at, t0 + milliseconds(50));
  at(50);
  EXPECT_EQ(wake_and_catch_up(), 1);
  EXPECT_EQ(pacer.schedule().delivered(), 5);
  // Each tick has its place in the schedule, however late it runs, made up or not.
  std::vector<TickClock::time_point> deadlines;
  for (int n = 1; n <= 5; ++n) deadlines.push_back(t0 + milliseconds(10 * n));
  EXPECT_EQ(moments, deadlines);
}

TEST_F(TickPacerTest, WhatAStallGaveUpIsKeptWhenTheTimerStartsAfresh) {
  at(205);  // twenty deadlines passed: one tick, the other nineteen given up
  EXPECT_EQ(wake_and_catch_up(), 1);
  EXPECT_EQ(pacer.given_up(), milliseconds(190));
  // The page counts a flash from ticks of two schedules (the rest's timer starts afresh).
  pacer.start();
  at(215);
  EXPECT_EQ(wake_and_catch_up(), 1);
  EXPECT_EQ(pacer.given_up(), milliseconds(190));
}

TEST_F(TickPacerTest, DueHoldsOnceADeadlineHasPassedAndNotBefore) {
  at(9.999);
  EXPECT_FALSE(pacer.due());
  at(10);
  EXPECT_TRUE(pacer.due());
  pacer.wake(tick);
  EXPECT_FALSE(pacer.due());
  pacer.stop();
  at(100);
  EXPECT_FALSE(pacer.due());
  EXPECT_TRUE(alarm.silenced);
  pacer.wake(tick);
  EXPECT_EQ(ticks, 1);  // a ringing that was on its way when the timer stopped gives nothing
}

TEST_F(TickPacerTest, AHandlerThatStopsOrRestartsItsTimerIsNotOverruled) {
  at(35);
  tick = [this](auto) {
    ++ticks;
    pacer.stop();
  };
  EXPECT_EQ(wake_and_catch_up(), 1);
  EXPECT_FALSE(pacer.catching_up());
  EXPECT_TRUE(alarm.silenced);

  pacer.start();  // at 35
  at(70);
  tick = [this](auto) {
    ++ticks;
    pacer.set_interval(3500);
  };
  EXPECT_EQ(wake_and_catch_up(), 1);
  EXPECT_FALSE(pacer.catching_up());
  EXPECT_FALSE(alarm.silenced);
  EXPECT_EQ(pacer.schedule().next_deadline(), t0 + milliseconds(3570));
}

// One browser rings a timer that has waited seconds hundreds of milliseconds late, in proportion
// to its wait. A rest of 3.5 or 5.5 s must still end on its tick.
TEST_F(TickPacerTest, ALongIntervalEndsOnItsTickWithAnAlarmThatRingsLongWaitsLate) {
  const auto ring_with_lateness = [this] {
    const Ringing& armed = alarm.ringings.back();
    const TickClock::duration wait = armed.at - clock_now;
    clock_now = armed.at + (wait > std::chrono::seconds(1) ? wait / 12 : TickClock::duration{});
    pacer.wake(tick);
  };
  for (const int rest : {3500, 5500}) {
    pacer.set_interval(rest);
    const TickClock::time_point deadline = clock_now + milliseconds(rest);
    const int before = ticks;
    while (ticks == before) ring_with_lateness();
    EXPECT_EQ(clock_now, deadline) << rest;
  }
}

TEST_F(TickPacerTest, AnIntervalOfZeroRunsWithoutTicks) {
  pacer.set_interval(0);
  EXPECT_TRUE(pacer.running());
  EXPECT_TRUE(alarm.silenced);
  at(1000);
  EXPECT_FALSE(pacer.due());
  EXPECT_EQ(wake_and_catch_up(), 0);
}

// A page that is hidden for a while: nothing ticks meanwhile, and afterwards the drill goes on
// at its pace from where it was, without a burst of held-back ticks and without the tick under
// way being cut short.
TEST_F(TickPacerTest, HeldTheTimerGivesNoTicksAndGoesOnFromWhereItWasWhenReleased) {
  at(10);
  EXPECT_EQ(wake_and_catch_up(), 1);
  at(14);  // 4 ms into the second tick
  pacer.hold();
  EXPECT_TRUE(alarm.silenced);
  EXPECT_TRUE(pacer.running());
  EXPECT_FALSE(pacer.due());
  at(5000);
  EXPECT_EQ(wake_and_catch_up(), 0);  // a ringing still queued does nothing
  pacer.release();
  ASSERT_FALSE(alarm.silenced);
  EXPECT_EQ(alarm.ringings.back().at, t0 + milliseconds(5006));  // the 6 ms left of that tick
  at(5005.9);
  EXPECT_EQ(wake_and_catch_up(), 0);
  at(5006);
  EXPECT_EQ(wake_and_catch_up(), 1);
  at(5016);
  EXPECT_EQ(wake_and_catch_up(), 1);
}

TEST_F(TickPacerTest, HoldingDropsTheTicksACatchUpStillOwedButTheOneUnderWay) {
  at(35);  // three ticks due at once
  pacer.wake(tick);
  ASSERT_TRUE(pacer.catching_up());
  pacer.hold();
  EXPECT_FALSE(pacer.catching_up());
  at(100);
  pacer.release();
  EXPECT_EQ(wake_and_catch_up(), 1);  // it was due when held
  at(109.9);
  EXPECT_EQ(wake_and_catch_up(), 0);
  at(110);
  EXPECT_EQ(wake_and_catch_up(), 1);
  EXPECT_EQ(ticks, 3);
}

TEST_F(TickPacerTest, StoppedOrStartedWhileHeldTheTimerStaysQuietUntilReleased) {
  pacer.hold();
  pacer.stop();
  pacer.start();  // a drill started while the page is hidden
  EXPECT_TRUE(alarm.silenced);
  at(500);
  EXPECT_EQ(wake_and_catch_up(), 0);
  pacer.release();
  at(509);
  EXPECT_EQ(wake_and_catch_up(), 0);
  at(510);
  EXPECT_EQ(wake_and_catch_up(), 1);
  pacer.stop();
  pacer.hold();
  pacer.release();  // a stopped timer stays stopped
  at(600);
  EXPECT_EQ(wake_and_catch_up(), 0);
  EXPECT_FALSE(pacer.running());
}

}  // namespace
}  // namespace lv::ui
