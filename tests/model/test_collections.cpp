#include <gtest/gtest.h>

#include "tests/model/model_test_support.h"

namespace {

class Collections : public ::testing::Test, public TPlannerFixture {};

template <class TList, class Field>
std::vector<std::string> Listed(const TList& list, Field field) {
  std::vector<std::string> texts;
  for (int i = 0; i < list.Count(); ++i) {
    EXPECT_EQ(list.Items(i)->ListIndex(), i);
    texts.push_back(field(*list.Items(i)));
  }
  return texts;
}

TEST_F(Collections, AddResourceAppendsAnActiveResource) {
  TVpResource* added = Resources.AddResource(42);
  EXPECT_EQ(added->ResourceID(), 42);
  EXPECT_TRUE(added->Active());
  EXPECT_EQ(added->ListIndex(), 1);
  EXPECT_EQ(added->Owner(), &Resources);
  EXPECT_FALSE(added->Loading());
  EXPECT_EQ(added->Schedule().Owner(), added);
  EXPECT_EQ(added->Tasks().Owner(), added);
  EXPECT_EQ(added->Contacts().Owner(), added);
}

TEST_F(Collections, ResourceAccessOutsideTheListRaises) {
  EXPECT_THROW(Resources.Items(1), EVpIndexError);
  EXPECT_THROW(Resources.Items(-1), EVpIndexError);
  try {
    Resources.Items(7);
    ADD_FAILURE() << "no error";
  } catch (const EVpException& e) {
    EXPECT_STREQ(e.what(), "Error: List index 7 is out of range.");
  }
}

TEST_F(Collections, ResourcesAreFoundByNameAndID) {
  Resource->SetDescription("Koret");
  TVpResource* room = Resources.AddResource(9);
  room->SetDescription("Room");
  EXPECT_EQ(Resources.FindResourceByName("ROOM"), room);
  EXPECT_EQ(Resources.FindResourceByName("Roo"), nullptr);
  EXPECT_EQ(Resources.FindResourceByID(9), room);
  EXPECT_EQ(Resources.FindResourceByID(3), nullptr);
}

TEST_F(Collections, ResourcesSortByDescriptionByteByByte) {
  Resource->SetDescription("beta");
  Resources.AddResource(2)->SetDescription("Zeta");
  Resources.AddResource(3)->SetDescription("alpha");
  Resources.AddResource(4)->SetDescription("\xC3\x89mile");  // É sorts after every ASCII letter
  Resources.Sort();
  auto description = [](const TVpResource& r) { return r.Description(); };
  EXPECT_EQ(Listed(Resources, description), (std::vector<std::string>{"Zeta", "alpha", "beta", "\xC3\x89mile"}));
  Resources.DeleteResource(Resources.Items(1));
  EXPECT_EQ(Listed(Resources, description), (std::vector<std::string>{"Zeta", "beta", "\xC3\x89mile"}));
}

TEST_F(Collections, TasksSortByDueDateThenDescription) {
  TVpTasks& tasks = Resource->Tasks();
  const std::pair<double, const char*> rows[] = {
      {Day(2024, 5, 3), "b"}, {Day(2024, 5, 1), "z"}, {Day(2024, 5, 3), "a"}};
  for (const auto& [due, description] : rows) {
    TVpTask* task = tasks.AddTask(1);
    task->SetDueDate(due);
    task->SetDescription(description);
  }
  tasks.Sort();
  auto description = [](const TVpTask& t) { return t.Description(); };
  EXPECT_EQ(Listed(tasks, description), (std::vector<std::string>{"z", "a", "b"}));
  tasks.DeleteTask(tasks.Items(0));
  EXPECT_EQ(Listed(tasks, description), (std::vector<std::string>{"a", "b"}));
}

class ContactList : public Collections {
 protected:
  void Add(const char* first, const char* last) {
    TVpContact* contact = Resource->Contacts().AddContact(Resource->Contacts().Count() + 1);
    contact->SetFirstName(first);
    contact->SetLastName(last);
  }
  std::vector<std::string> Names() {
    return Listed(Resource->Contacts(), [](const TVpContact& c) { return c.SortName(); });
  }
};

TEST_F(ContactList, SortsByEitherNameOrder) {
  Add("Alpha", "Beta");
  Add("Carl", "Adams");
  Add("", "adams");
  Add("Bea", "Adams");
  Resource->Contacts().Sort();
  EXPECT_EQ(Names(), (std::vector<std::string>{"Adams, Bea", "Adams, Carl", "Beta, Alpha", "adams"}));
  Resource->Contacts().SetContactSort(csFirstLast);
  EXPECT_EQ(Names(), (std::vector<std::string>{"adams", "Alpha Beta", "Bea Adams", "Carl Adams"}));
}

TEST_F(ContactList, FindsTheFirstLastNameBeginningWithTheText) {
  Add("", "bell");
  Add("", "Beta");
  Add("", "Beaker");
  TVpContacts& contacts = Resource->Contacts();
  EXPECT_EQ(contacts.FindContactByName("be", true)->LastName(), "bell");
  EXPECT_EQ(contacts.FindContactByName("BE", false), nullptr);
  EXPECT_EQ(contacts.FindContactByName("Be", false)->LastName(), "Beta");
  EXPECT_EQ(contacts.FindContactByName("Beaker and more", true), nullptr);
  EXPECT_EQ(contacts.FindContactByName("", false)->LastName(), "bell");
}

TEST_F(ContactList, DeletingRenumbersTheRest) {
  Add("a", "A");
  Add("b", "B");
  Add("c", "C");
  Resource->Contacts().DeleteContact(Resource->Contacts().Items(0));
  EXPECT_EQ(Names(), (std::vector<std::string>{"B, b", "C, c"}));
  Resource->Contacts().Clear();
  EXPECT_EQ(Resource->Contacts().Count(), 0);
}

}  // namespace
