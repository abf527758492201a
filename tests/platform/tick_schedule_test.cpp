#include "platform/tick_schedule.h"

#include <gtest/gtest.h>

namespace lv::ui {
namespace {

using std::chrono::milliseconds;

class TickScheduleTest : public ::testing::Test {
 protected:
  void SetUp() override { schedule.start(t0, milliseconds(10)); }
  TickSchedule::Clock::time_point at(double ms) {
    return t0 + std::chrono::duration_cast<TickSchedule::Clock::duration>(
                    std::chrono::duration<double, std::milli>(ms));
  }
  TickSchedule::Clock::time_point t0{std::chrono::seconds(1000)};
  TickSchedule schedule;
};

TEST_F(TickScheduleTest, TicksFallDueAtFixedDeadlinesAndNotBefore) {
  EXPECT_EQ(schedule.next_deadline(), at(10));
  EXPECT_FALSE(schedule.take_due(at(9.999)));
  EXPECT_TRUE(schedule.take_due(at(10)));
  EXPECT_FALSE(schedule.take_due(at(10)));
  EXPECT_EQ(schedule.next_deadline(), at(20));
}

TEST_F(TickScheduleTest, ALateTickDoesNotPushTheNextOneBack) {
  EXPECT_TRUE(schedule.take_due(at(17)));
  EXPECT_EQ(schedule.next_deadline(), at(20));
}

TEST_F(TickScheduleTest, MissedTicksStayDueUntilDeliveredOneByOne) {
  for (int tick = 1; tick <= 3; ++tick) {
    EXPECT_TRUE(schedule.take_due(at(35))) << tick;
    EXPECT_EQ(schedule.next_deadline(), at(10.0 * (tick + 1)));
  }
  EXPECT_EQ(schedule.dropped(), 0);
  EXPECT_FALSE(schedule.take_due(at(36)));
  EXPECT_TRUE(schedule.take_due(at(40)));
}

TEST_F(TickScheduleTest, AfterALongStallTheScheduleStartsAfresh) {
  EXPECT_TRUE(schedule.take_due(at(10'005)));
  EXPECT_EQ(schedule.next_deadline(), at(10'010));
  // Of the thousand deadlines passed, one tick is delivered and the rest are given up.
  EXPECT_EQ(schedule.delivered() + schedule.dropped(), 1000);
  // The tick's deadline less what was given up is where the count of ticks has come to.
  EXPECT_EQ(schedule.last_taken() - schedule.given_up(),
            at(0) + milliseconds(10) * schedule.delivered());
  EXPECT_FALSE(schedule.take_due(at(10'006)));
  EXPECT_TRUE(schedule.take_due(at(10'010)));
}

TEST_F(TickScheduleTest, RestartingBeginsANewSchedule) {
  schedule.take_due(at(30));
  schedule.start(at(33), milliseconds(3500));
  EXPECT_EQ(schedule.next_deadline(), at(3533));
  EXPECT_FALSE(schedule.take_due(at(3532)));
  EXPECT_TRUE(schedule.take_due(at(3533)));
}

}  // namespace
}  // namespace lv::ui
