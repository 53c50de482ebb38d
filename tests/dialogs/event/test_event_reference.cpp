#include <gtest/gtest.h>

#include "dialogs/event/event_reference.h"
#include "model/event.h"
#include "model/schedule.h"
#include "tests/support/planner_fixture.h"

namespace {

class EventReference : public ::testing::Test, protected TPlannerFixture {
 protected:
  EventReference() {
    CreateTables();
    Connect();
    AddActiveResource("KORET");
  }
  TVpSchedule& Schedule() { return Store().ActiveResource()->Schedule(); }
};

TEST_F(EventReference, FindsTheEventAgainAfterTheStoreReloadedIt) {
  TVpEvent* event = Schedule().AddEvent(-1, At(2024, 5, 10, 10), At(2024, 5, 10, 11));
  event->SetDescription("held");
  Store().PostEvents();
  const TVpEventReference reference(Store(), *event);
  Store().ReloadEvents();
  TVpEvent* found = reference.Find();
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found, Schedule().Items(0));
  EXPECT_EQ(found->Description(), "held");
}

TEST_F(EventReference, AnEventGoneMeanwhileIsNotFound) {
  TVpEvent* event = Schedule().AddEvent(-1, At(2024, 5, 10, 10), At(2024, 5, 10, 11));
  Store().PostEvents();
  const TVpEventReference reference(Store(), *event);
  event->SetDeleted(true);
  Store().PostEvents();
  Store().ReloadEvents();
  EXPECT_EQ(reference.Find(), nullptr);
}

TEST_F(EventReference, ANewEventWithoutAnIdIsFoundWhileItIsStillThere) {
  TVpEvent* event = Schedule().AddEvent(-1, At(2024, 5, 10, 10), At(2024, 5, 10, 11));
  const TVpEventReference reference(Store(), *event);
  EXPECT_EQ(reference.Find(), event);
  Store().ReloadEvents();
  EXPECT_EQ(reference.Find(), nullptr);
}

TEST_F(EventReference, AnEventTheStoreDoesNotHoldIsItselfAndNothingOnceTheStoreIsGone) {
  TVpEvent loose;
  EXPECT_EQ(TVpEventReference(Store(), loose).Find(), &loose);
  TVpEvent* event = Schedule().AddEvent(-1, At(2024, 5, 10, 10), At(2024, 5, 10, 11));
  Store().PostEvents();
  const TVpEventReference reference(Store(), *event);
  Files.reset();
  EXPECT_EQ(reference.Find(), nullptr);
}

}  // namespace
