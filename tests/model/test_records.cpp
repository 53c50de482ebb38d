#include <gtest/gtest.h>

#include "model/enumerations.h"
#include "tests/model/model_test_support.h"

namespace {

class Records : public ::testing::Test, public TPlannerFixture {
 protected:
  TVpEvent* NewEvent(double start = At(2024, 3, 5, 10, 30), double end = At(2024, 3, 5, 14, 0)) {
    return Resource->Schedule().AddEvent(1, start, end);
  }
};

TEST_F(Records, AChangedEventMarksItsResourceEventsDirty) {
  TVpEvent* event = NewEvent();
  event->SetDescription("Lunch");
  EXPECT_TRUE(event->Changed());
  EXPECT_TRUE(Resource->EventsDirty());
  EXPECT_FALSE(Resource->ContactsDirty());
  EXPECT_FALSE(Resource->TasksDirty());
  event->SetChanged(false);
  EXPECT_TRUE(Resource->EventsDirty()) << "clearing Changed leaves the resource flag to the store";
}

TEST_F(Records, WritingTheHeldValueChangesNothing) {
  TVpEvent* event = NewEvent();
  event->SetDescription("");
  event->SetStartTime(At(2024, 3, 5, 10, 30));
  event->SetCategory(0);
  event->SetAllDayEvent(false);
  event->SetRepeatCode(rcNone);
  EXPECT_FALSE(event->Changed());
  EXPECT_FALSE(Resource->EventsDirty());
}

TEST_F(Records, LoadingDoesNotMarkChanged) {
  TVpEvent* event = NewEvent();
  event->SetLoading(true);
  event->SetDescription("Read from the table");
  event->SetRepeatCode(rcDaily);
  event->SetChanged(true);
  event->SetLoading(false);
  EXPECT_FALSE(event->Changed());
  EXPECT_FALSE(Resource->EventsDirty());
  EXPECT_EQ(event->Description(), "Read from the table");

  TVpContact* contact = Resource->Contacts().AddContact(5);
  contact->SetLoading(true);
  contact->SetLastName("Beta");
  contact->SetLoading(false);
  EXPECT_FALSE(contact->Changed());
  EXPECT_FALSE(Resource->ContactsDirty());
}

TEST_F(Records, AllDayRunsFromMidnightTo2359) {
  TVpEvent* event = NewEvent();
  event->SetAllDayEvent(true);
  EXPECT_EQ(event->StartTime(), Day(2024, 3, 5));
  EXPECT_EQ(event->EndTime(), At(2024, 3, 5, 23, 59));
  EXPECT_TRUE(event->Changed());
  event->SetChanged(false);
  event->SetAllDayEvent(true);
  EXPECT_FALSE(event->Changed());
  event->SetAllDayEvent(false);
  EXPECT_EQ(event->StartTime(), Day(2024, 3, 5)) << "switching off keeps the times";
  EXPECT_EQ(event->EndTime(), At(2024, 3, 5, 23, 59));
  EXPECT_TRUE(event->Changed());
}

TEST_F(Records, CustomIntervalIsHeldOnlyForACustomRepeat) {
  TVpEvent* event = NewEvent();
  event->SetRepeatCode(rcCustom);
  event->SetCustomInterval(4);
  EXPECT_EQ(event->CustomInterval(), 4);
  event->SetRepeatCode(rcWeekly);
  EXPECT_EQ(event->CustomInterval(), 0);
  event->SetChanged(false);
  event->SetCustomInterval(5);
  EXPECT_EQ(event->CustomInterval(), 0);
  EXPECT_FALSE(event->Changed()) << "the interval held is still 0";
}

TEST_F(Records, RepeatRangeEndMustBeLaterThanTheStart) {
  TVpEvent* event = NewEvent();
  event->SetRepeatRangeEnd(At(2024, 3, 5, 10, 30));
  event->SetRepeatRangeEnd(Day(2024, 3, 1));
  EXPECT_EQ(event->RepeatRangeEnd(), 0);
  EXPECT_FALSE(event->Changed());
  event->SetRepeatRangeEnd(Day(2024, 3, 9));
  EXPECT_EQ(event->RepeatRangeEnd(), Day(2024, 3, 9));
  event->SetChanged(false);
  event->SetRepeatRangeEnd(Day(2024, 3, 9));
  EXPECT_TRUE(event->Changed()) << "an accepted write marks the event even when it was held";
}

TEST_F(Records, DateTimesAreKeptOnWholeMilliseconds) {
  TVpEvent* event = NewEvent();
  event->SetSnoozeTime(At(2024, 3, 5, 9, 55) + 0.4 / 86'400'000);
  EXPECT_EQ(event->SnoozeTime(), At(2024, 3, 5, 9, 55));
  EXPECT_EQ(ToMs(event->SnoozeTime()) % 60'000, 0);
}

TEST_F(Records, NumberedFieldsOutsideTheirRangeRaise) {
  TVpEvent* event = NewEvent();
  EXPECT_THROW(event->SetUserField(10, "y"), EVpIndexError);
  EXPECT_THROW(event->UserField(-1), EVpIndexError);
  TVpContact* contact = Resource->Contacts().AddContact(3);
  EXPECT_THROW(contact->Phone(0), EVpIndexError);
  EXPECT_THROW(contact->SetPhoneType(6, 1), EVpIndexError);
  EXPECT_THROW(contact->Custom(5), EVpIndexError);
}

TEST_F(Records, ResourceNotesAndDescriptionMarkItChangedEvenWhileLoading) {
  Resource->SetLoading(true);
  Resource->SetDescription("KORET");
  EXPECT_TRUE(Resource->Changed());
  Resource->SetLoading(false);
  Resource->SetChanged(false);
  Resource->SetNotes("");
  EXPECT_TRUE(Resource->Changed()) << "notes are always stored";
  Resource->SetLoading(true);
  Resource->SetChanged(false);
  EXPECT_TRUE(Resource->Changed()) << "Changed is not written while loading";
}

TEST_F(Records, ResourceDescriptionsAreUniqueWithoutRegardToCase) {
  Resource->SetDescription("Koret");
  TVpResource* other = Resources.AddResource(2);
  other->SetDescription("Room 2");
  EXPECT_THROW(other->SetDescription("KORET"), EDuplicateResource);
  EXPECT_EQ(other->Description(), "Room 2");
  try {
    other->SetDescription("koret");
    ADD_FAILURE() << "a duplicate was accepted";
  } catch (const EVpException& e) {
    EXPECT_STREQ(e.what(), "Error: Duplicate Resource.");
  }
  Resource->SetChanged(false);
  Resource->SetDescription("Koret");
  EXPECT_FALSE(Resource->Changed()) << "its own description exactly is a no-op";
  Resource->SetDescription("KORET");
  EXPECT_EQ(Resource->Description(), "KORET") << "changing only the letter case is allowed";
  EXPECT_TRUE(Resource->Changed());
}

TEST_F(Records, DeletedMarksEventsAndContactsButNotTasks) {
  TVpEvent* event = NewEvent();
  event->SetDeleted(true);
  EXPECT_TRUE(event->Changed());
  TVpContact* contact = Resource->Contacts().AddContact(1);
  contact->SetDeleted(true);
  EXPECT_TRUE(contact->Changed());
  EXPECT_TRUE(Resource->ContactsDirty());
  TVpTask* task = Resource->Tasks().AddTask(1);
  task->SetChanged(false);
  task->SetDeleted(true);
  EXPECT_FALSE(task->Changed());
  Resource->SetDeleted(true);
  EXPECT_TRUE(Resource->Changed());
}

TEST_F(Records, ANewTaskIsStampedAndChanged) {
  TVpTask* task = Resource->Tasks().AddTask(7);
  EXPECT_EQ(task->CreatedOn(), Clock.Now());
  EXPECT_TRUE(task->Changed());
  EXPECT_TRUE(Resource->TasksDirty());
  EXPECT_EQ(task->Description(), "");
  EXPECT_EQ(task->RecordID(), 7);
}

TEST_F(Records, CompletingATaskStampsCompletedOn) {
  TVpTask* task = Resource->Tasks().AddTask(7);
  task->SetChanged(false);
  task->SetComplete(true);
  EXPECT_EQ(task->CompletedOn(), Clock.Now());
  EXPECT_TRUE(task->Changed());
  Clock.Set(At(2024, 5, 4, 8, 0));
  task->SetComplete(true);
  EXPECT_EQ(task->CompletedOn(), At(2024, 5, 3, 10, 30)) << "completing again changes nothing";
  task->SetComplete(false);
  EXPECT_EQ(task->CompletedOn(), 0);
}

TEST_F(Records, ATaskIsDueOnAWholeDay) {
  TVpTask* task = Resource->Tasks().AddTask(7);
  task->SetDueDate(At(2024, 5, 12, 15, 45));
  EXPECT_EQ(task->DueDate(), Day(2024, 5, 12));
  task->SetChanged(false);
  task->SetDueDate(At(2024, 5, 12, 8, 0));
  EXPECT_FALSE(task->Changed()) << "the same day is no change";
}

TEST_F(Records, ANewContactHasTheDefaultPhoneKinds) {
  TVpContact* contact = Resource->Contacts().AddContact(3);
  EXPECT_FALSE(contact->Changed());
  const int expected[] = {15, 4, 16, 7, 0};
  for (int number = 1; number <= 5; ++number) EXPECT_EQ(contact->PhoneType(number), expected[number - 1]);
}

TEST_F(Records, DestroyingAResourceDestroysWhatItHolds) {
  TVpResource* other = Resources.AddResource(2);
  other->Schedule().AddEvent(1, At(2024, 5, 3, 9, 0), At(2024, 5, 3, 10, 0));
  other->Contacts().AddContact(1);
  other->Tasks().AddTask(1);
  Resources.DeleteResource(other);
  EXPECT_EQ(Resources.Count(), 1);
  EXPECT_EQ(Resources.Items(0), Resource);
}

}  // namespace
