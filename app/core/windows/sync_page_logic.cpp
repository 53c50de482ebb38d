#include "app/core/windows/sync_page_logic.h"

#include <algorithm>

#include "platform/ascii_text.h"
#include "sync/dav_url.h"

namespace {

// The list with the collections found, keeping the chosen URL: among them, else as an entry of
// its own after them; with nothing chosen and takeFirst, the first found.
void Refill(TSyncCollectionList& list, const std::vector<TSyncCollectionChoice>& found, bool takeFirst) {
  const std::string chosen = list.ChosenUrl();
  TSyncCollectionList refilled;
  refilled.Choices.insert(refilled.Choices.end(), found.begin(), found.end());
  const auto at = std::find_if(refilled.Choices.begin() + 1, refilled.Choices.end(),
                               [&](const TSyncCollectionChoice& choice) { return choice.Url == chosen; });
  if (!chosen.empty() && at == refilled.Choices.end())
    refilled.Choices.push_back({chosen, DavUrlLastSegment(chosen) + " (not found)"});
  if (!chosen.empty()) {
    refilled.Chosen =
        static_cast<int>(std::find_if(refilled.Choices.begin(), refilled.Choices.end(),
                                      [&](const TSyncCollectionChoice& choice) { return choice.Url == chosen; }) -
                         refilled.Choices.begin());
  } else if (takeFirst && !found.empty()) {
    refilled.Chosen = 1;
  }
  list = std::move(refilled);
}

void LoadList(TSyncCollectionList& list, const std::string& url) {
  list = {};
  if (url.empty()) return;
  list.Choices.push_back({url, DavUrlLastSegment(url)});
  list.Chosen = 1;
}

}  // namespace

std::string DiscoveryText(size_t calendars, size_t addressBooks) {
  auto count = [](size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
  };
  return "Connected: " + count(calendars, "calendar", "calendars") + " and " +
         count(addressBooks, "address book", "address books") + " found.";
}

void TSyncPageLogic::Load(const std::optional<TSyncAccount>& account) {
  Loaded_ = account;
  const TSyncAccount fields = account.value_or(TSyncAccount{});
  ServerUrl = fields.ServerUrl;
  UserName = fields.UserName;
  IntervalMinutes = fields.IntervalMinutes;
  SyncAtStart = fields.SyncAtStart;
  Policy = fields.Policy;
  LoadList(Calendars, fields.CalendarUrl);
  LoadList(AddressBooks, fields.AddressBookUrl);
}

void TSyncPageLogic::SetFound(const std::vector<TSyncCollectionChoice>& calendars,
                              const std::vector<TSyncCollectionChoice>& addressBooks) {
  const bool newAccount = !Loaded_;
  Refill(Calendars, calendars, newAccount);
  Refill(AddressBooks, addressBooks, newAccount);
}

std::string TSyncPageLogic::Problem() const {
  const std::string_view url = TrimBlanksAscii(ServerUrl);
  if (url.empty()) {
    if (!TrimBlanksAscii(UserName).empty())
      return "Enter the server's address, or clear the user name to stop syncing this resource.";
    return "";
  }
  if (url.find_first_of(" \t") != std::string::npos) return "The server's address must not hold spaces.";
  if (DavServerUrl(url).empty()) return "The server's address must be an http:// or https:// address.";
  if (TrimBlanksAscii(UserName).empty()) return "Enter the user name for the server.";
  if (Calendars.ChosenUrl().empty() && AddressBooks.ChosenUrl().empty())
    return "Choose a calendar or an address book to sync with (\"Test connection\" lists them).";
  return "";
}

std::optional<TSyncAccount> TSyncPageLogic::Account(int resourceID) const {
  const std::string_view url = TrimBlanksAscii(ServerUrl);
  if (url.empty()) return std::nullopt;
  TSyncAccount account = Loaded_.value_or(TSyncAccount{});
  account.ResourceID = resourceID;
  account.ServerUrl = url;
  account.UserName = TrimBlanksAscii(UserName);
  account.CalendarUrl = Calendars.ChosenUrl();
  account.AddressBookUrl = AddressBooks.ChosenUrl();
  account.Policy = Policy;
  account.IntervalMinutes = std::max(IntervalMinutes, 0);
  account.SyncAtStart = SyncAtStart;
  return account;
}
