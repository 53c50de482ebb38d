#pragma once

#include <optional>
#include <string>
#include <vector>

#include "sync/sync_account.h"

// A calendar or an address book the page offers: its URL ("" for "(none)") and the name shown.
struct TSyncCollectionChoice {
  std::string Url;
  std::string Name;
  friend bool operator==(const TSyncCollectionChoice&, const TSyncCollectionChoice&) = default;
};

// One of the page's two lists: "(none)" first, then the collections, one chosen.
struct TSyncCollectionList {
  std::vector<TSyncCollectionChoice> Choices{{"", "(none)"}};
  int Chosen = 0;
  const std::string& ChosenUrl() const { return Choices[Chosen].Url; }
};

// The "Sync" page of Preferences without the desktop: the account of the active resource as the
// page's fields, the lists a connection test fills, and the account OK stores.
class TSyncPageLogic {
 public:
  // The fields of the stored account (empty ones without). The lists hold only the stored
  // collections until a connection test finds the server's.
  void Load(const std::optional<TSyncAccount>& account);

  std::string ServerUrl;
  std::string UserName;
  int IntervalMinutes = 0;
  bool SyncAtStart = true;
  TSyncConflictPolicy Policy = scpKeepBoth;  // the list's order: keep both, server's, ours
  TSyncCollectionList Calendars;
  TSyncCollectionList AddressBooks;

  // What a connection test found. A choice made before stays (also when the server no longer
  // shows it, so that nothing changes unseen); a new account takes the first of each kind.
  void SetFound(const std::vector<TSyncCollectionChoice>& calendars,
                const std::vector<TSyncCollectionChoice>& addressBooks);

  // What keeps OK from storing the fields, for a message; "" when they may be stored.
  std::string Problem() const;
  // The account OK stores for the resource (what the last syncs recorded stays); none when the
  // server's address is empty, which removes the account.
  std::optional<TSyncAccount> Account(int resourceID) const;
  // Whether the fields differ from the account loaded.
  bool Edited(int resourceID) const { return Account(resourceID) != Loaded_; }

 private:
  std::optional<TSyncAccount> Loaded_;
};

// What a connection test says when it found the collections.
std::string DiscoveryText(size_t calendars, size_t addressBooks);
