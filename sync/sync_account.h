#pragma once

#include <optional>
#include <string>

#include "platform/file_writer.h"
#include "sync/sync_engine.h"

// The server account a resource syncs with. The password is never kept here (it goes to the
// desktop's keyring).
struct TSyncAccount {
  int ResourceID = 0;
  std::string ServerUrl;  // as the user typed it, e.g. "https://dav.example.org/"
  std::string UserName;
  std::string CalendarUrl;     // the calendar chosen for the resource's events and tasks; empty: none
  std::string AddressBookUrl;  // the address book chosen for its contacts; empty: none
  TSyncConflictPolicy Policy = scpKeepBoth;
  int IntervalMinutes = 0;  // sync every so many minutes while the organizer runs; 0: never
  bool SyncAtStart = true;
  // The last sync's end as a date-time and its outcome ("" for success, else the error).
  double LastSync = 0;
  std::string LastError;
  friend bool operator==(const TSyncAccount&, const TSyncAccount&) = default;
};

// The accounts of the program folder's resources, one row each in "SyncAccounts" of
// syncaccounts.xml in the data folder, kept like every table (written atomically, re-read when
// another writer changed it).
class TSyncAccounts {
 public:
  static constexpr const char* kFile = "syncaccounts.xml";

  TSyncAccounts(const std::string& dataFolder, TFileWriter& writer);
  std::optional<TSyncAccount> Of(int resourceID) const;
  // Adds or replaces the resource's account and writes the file.
  void Store(const TSyncAccount& account);
  void Remove(int resourceID);

 private:
  std::string DataFolder_;
  TFileWriter& Writer_;
};

// The status table files of the resource's two collections in the data folder.
std::string CalendarStatusFile(const std::string& dataFolder, int resourceID);
std::string AddressBookStatusFile(const std::string& dataFolder, int resourceID);
