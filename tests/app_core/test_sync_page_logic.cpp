#include <gtest/gtest.h>

#include "app/core/windows/sync_page_logic.h"

namespace {

const TSyncCollectionChoice kWork{"https://dav.example.org/ann/work/", "Work"};
const TSyncCollectionChoice kHome{"https://dav.example.org/ann/home/", "Home"};
const TSyncCollectionChoice kCards{"https://dav.example.org/ann/cards/", "Cards"};

TSyncAccount Stored() {
  TSyncAccount account;
  account.ResourceID = 3;
  account.ServerUrl = "https://dav.example.org/";
  account.UserName = "ann";
  account.CalendarUrl = kHome.Url;
  account.Policy = scpOursWins;
  account.IntervalMinutes = 30;
  account.SyncAtStart = false;
  account.LastSync = 46000.5;
  account.LastError = "offline";
  return account;
}

std::vector<std::string> Names(const TSyncCollectionList& list) {
  std::vector<std::string> names;
  for (const TSyncCollectionChoice& choice : list.Choices) names.push_back(choice.Name);
  return names;
}

TEST(SyncPageLogic, TheStoredAccountComesBackFromTheFieldsWithWhatTheSyncsRecorded) {
  TSyncPageLogic page;
  page.Load(Stored());
  EXPECT_EQ(Names(page.Calendars), (std::vector<std::string>{"(none)", "home"})) << "named by its path until a test";
  EXPECT_EQ(page.Calendars.Chosen, 1);
  EXPECT_EQ(page.AddressBooks.Chosen, 0);
  EXPECT_EQ(page.Account(3), Stored());

  page.ServerUrl = "  https://other.example.org/dav/ ";
  page.UserName = " bob";
  page.AddressBooks = {{{"", "(none)"}, kCards}, 1};
  const TSyncAccount changed = *page.Account(3);
  EXPECT_EQ(changed.ServerUrl, "https://other.example.org/dav/");
  EXPECT_EQ(changed.UserName, "bob");
  EXPECT_EQ(changed.AddressBookUrl, kCards.Url);
  EXPECT_EQ(changed.LastSync, 46000.5);

  page.ServerUrl.clear();
  EXPECT_EQ(page.Account(3), std::nullopt) << "an empty address removes the account";
}

TEST(SyncPageLogic, ATestFillsTheListsAndKeepsWhatWasChosen) {
  TSyncPageLogic fresh;
  fresh.Load(std::nullopt);
  fresh.SetFound({kWork, kHome}, {kCards});
  EXPECT_EQ(Names(fresh.Calendars), (std::vector<std::string>{"(none)", "Work", "Home"}));
  EXPECT_EQ(fresh.Calendars.ChosenUrl(), kWork.Url) << "a new account takes the first of each kind";
  EXPECT_EQ(fresh.AddressBooks.ChosenUrl(), kCards.Url);

  TSyncPageLogic stored;
  stored.Load(Stored());
  stored.SetFound({kWork, kHome}, {kCards});
  EXPECT_EQ(stored.Calendars.ChosenUrl(), kHome.Url);
  EXPECT_EQ(stored.AddressBooks.ChosenUrl(), "") << "\"(none)\" chosen before stays";

  stored.SetFound({kWork}, {});
  EXPECT_EQ(Names(stored.Calendars), (std::vector<std::string>{"(none)", "Work", "home (not found)"}));
  EXPECT_EQ(stored.Calendars.ChosenUrl(), kHome.Url) << "nothing changes unseen";
}

TEST(SyncPageLogic, OkIsRefusedWithTheReason) {
  const struct {
    const char* Name;
    const char* Url;
    const char* User;
    bool Collection;
    const char* Problem;
  } rows[] = {
      {"all empty", "", "", false, ""},
      {"ready", "dav.example.org", "ann", true, ""},
      {"only a user", "", "ann", false,
       "Enter the server's address, or clear the user name to stop syncing this resource."},
      {"no user", "https://dav.example.org/", " ", true, "Enter the user name for the server."},
      {"other scheme", "ftp://dav.example.org/", "ann", true,
       "The server's address must be an http:// or https:// address."},
      {"space", "https://dav example.org/", "ann", true, "The server's address must not hold spaces."},
      {"no collection", "http://localhost:5232/", "ann", false,
       "Choose a calendar or an address book to sync with (\"Test connection\" lists them)."},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Name);
    TSyncPageLogic page;
    page.Load(std::nullopt);
    page.ServerUrl = row.Url;
    page.UserName = row.User;
    if (row.Collection) page.SetFound({kWork}, {});
    EXPECT_EQ(page.Problem(), row.Problem);
  }
}

TEST(SyncPageLogic, TheTestsText) {
  EXPECT_EQ(DiscoveryText(1, 0), "Connected: 1 calendar and 0 address books found.");
  EXPECT_EQ(DiscoveryText(2, 1), "Connected: 2 calendars and 1 address book found.");
}

}  // namespace
