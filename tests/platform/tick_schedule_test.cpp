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
  EXPECT_EQ(schedule.take_due(at(9.999)), 0);
  EXPECT_EQ(schedule.take_due(at(10)), 1);
  EXPECT_EQ(schedule.take_due(at(10)), 0);
  EXPECT_EQ(schedule.next_deadline(), at(20));
}

TEST_F(TickScheduleTest, ALateTickDoesNotPushTheNextOneBack) {
  EXPECT_EQ(schedule.take_due(at(17)), 1);
  EXPECT_EQ(schedule.next_deadline(), at(20));
}

TEST_F(TickScheduleTest, MissedTicksAreDeliveredAsSoonAsTheThreadRuns) {
  EXPECT_EQ(schedule.take_due(at(35)), 3);
  EXPECT_EQ(schedule.next_deadline(), at(40));
  EXPECT_EQ(schedule.take_due(at(40)), 1);
}

TEST_F(TickScheduleTest, AfterALongStallTheScheduleStartsAfresh) {
  EXPECT_EQ(schedule.take_due(at(10'005)), 1);
  EXPECT_EQ(schedule.next_deadline(), at(10'010));
  EXPECT_EQ(schedule.take_due(at(10'010)), 1);
}

TEST_F(TickScheduleTest, RestartingBeginsANewSchedule) {
  schedule.take_due(at(30));
  schedule.start(at(33), milliseconds(3500));
  EXPECT_EQ(schedule.next_deadline(), at(3533));
  EXPECT_EQ(schedule.take_due(at(3532)), 0);
  EXPECT_EQ(schedule.take_due(at(3533)), 1);
}

}  // namespace
}  // namespace lv::ui
