#include "sync/account_setup.h"

#include <filesystem>

void StoreSyncAccountSetUp(const std::string& dataFolder, TFileWriter& writer, const TSyncAccount& account) {
  TSyncAccounts accounts(dataFolder, writer);
  const TSyncAccount before = accounts.Of(account.ResourceID).value_or(TSyncAccount{});
  // The stale tables go first: should storing the account fail, the old collections are paired
  // by UID again, which loses nothing.
  if (before.CalendarUrl != account.CalendarUrl)
    std::filesystem::remove(CalendarStatusFile(dataFolder, account.ResourceID));
  if (before.AddressBookUrl != account.AddressBookUrl)
    std::filesystem::remove(AddressBookStatusFile(dataFolder, account.ResourceID));
  accounts.Store(account);
}
