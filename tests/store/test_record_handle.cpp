#include <gtest/gtest.h>

#include "model/event.h"
#include "model/schedule.h"
#include "store/record_handle.h"
#include "tests/support/planner_fixture.h"

namespace {

class RecordHandle : public ::testing::Test, protected TPlannerFixture {
 protected:
  RecordHandle() {
    CreateTables();
    Connect();
    AddActiveResource("KORET");
  }
  TVpSchedule& Schedule() { return Store().ActiveResource()->Schedule(); }
};

TEST_F(RecordHandle, FindsTheEventAgainAfterTheStoreReloadedIt) {
  TVpEvent* event = Schedule().AddEvent(-1, At(2024, 5, 10, 10), At(2024, 5, 10, 11));
  event->SetDescription("held");
  Store().PostEvents();
  const TVpRecordHandle<TVpEvent> reference(Store(), *event);
  Store().ReloadEvents();
  TVpEvent* found = reference.Find();
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found, Schedule().Items(0));
  EXPECT_EQ(found->Description(), "held");
}

TEST_F(RecordHandle, AnEventGoneMeanwhileIsNotFound) {
  TVpEvent* event = Schedule().AddEvent(-1, At(2024, 5, 10, 10), At(2024, 5, 10, 11));
  Store().PostEvents();
  const TVpRecordHandle<TVpEvent> reference(Store(), *event);
  event->SetDeleted(true);
  Store().PostEvents();
  Store().ReloadEvents();
  EXPECT_EQ(reference.Find(), nullptr);
}

TEST_F(RecordHandle, ANewEventWithoutAnIdIsFoundWhileItIsStillThere) {
  TVpEvent* event = Schedule().AddEvent(-1, At(2024, 5, 10, 10), At(2024, 5, 10, 11));
  const TVpRecordHandle<TVpEvent> reference(Store(), *event);
  EXPECT_EQ(reference.Find(), event);
  Store().ReloadEvents();
  EXPECT_EQ(reference.Find(), nullptr);
}

TEST_F(RecordHandle, AnEventTheStoreDoesNotHoldIsItselfAndNothingOnceTheStoreIsGone) {
  TVpEvent loose;
  EXPECT_EQ(TVpRecordHandle<TVpEvent>(Store(), loose).Find(), &loose);
  TVpEvent* event = Schedule().AddEvent(-1, At(2024, 5, 10, 10), At(2024, 5, 10, 11));
  Store().PostEvents();
  const TVpRecordHandle<TVpEvent> reference(Store(), *event);
  Files.reset();
  EXPECT_EQ(reference.Find(), nullptr);
}

}  // namespace
