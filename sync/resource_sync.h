#pragma once

#include <functional>
#include <memory>
#include <string>

#include "interop/exchange/exchange_session.h"
#include "sync/sync_account.h"
#include "sync/sync_engine.h"

// What a sync of one resource did, per collection.
struct TSyncResourceResult {
  std::string Resource;
  bool CalendarSynced = false;  // the account names a calendar and it was synced
  bool AddressBookSynced = false;
  TSyncSummary Calendar;
  TSyncSummary AddressBook;
  // A few lines for the user: the counts per collection, then one line per conflict and per
  // item left out.
  std::string Text() const;
};

// Opens the collection at the URL on the account's server (the password is the caller's
// business); raises ESyncError when it cannot.
using TSyncConnect = std::function<std::unique_ptr<TSyncServer>(const std::string& collectionUrl)>;

// Syncs the resource of the account with its calendar (events and tasks) and its address book
// (contacts), each against its status table in the target's data folder, and records when it ran (now) and
// the outcome (LastSync, LastError) in the account. Raises ESyncError for a failure, after
// recording it.
TSyncResourceResult SyncResource(const TVpExchangeTarget& target, TFileWriter& writer, const TSyncAccount& account,
                                 const TSyncConnect& connect, const TSyncOptions& options, double now);
