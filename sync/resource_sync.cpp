#include "sync/resource_sync.h"

#include <exception>

#include "platform/error_text.h"
#include "platform/instance_lock.h"
#include "sync/address_book_sync_codec.h"
#include "sync/calendar_sync_codec.h"
#include "sync/session_sync_local.h"

namespace {

constexpr const char* kStopped =
    "Stopped before deleting many items on one side; nothing was changed. To put the items here back on the server "
    "instead, restore the server from here (koret-cli sync --restore-server, or File > \"Restore Server from "
    "Here...\" in the organizer).";

std::string SummaryText(const char* collection, const TSyncSummary& summary) {
  const size_t conflicts = summary.Conflicts.size();
  std::string text = std::string(collection) + ": " + std::to_string(summary.Uploaded) + " uploaded, " +
                     std::to_string(summary.Downloaded) + " downloaded, " + std::to_string(summary.DeletedHere) +
                     " deleted here, " + std::to_string(summary.DeletedThere) + " deleted on the server, " +
                     std::to_string(summary.Unchanged) + " unchanged, " + std::to_string(conflicts) +
                     (conflicts == 1 ? " conflict.\n" : " conflicts.\n");
  for (const TSyncConflict& conflict : summary.Conflicts)
    text += "Conflict: \"" + conflict.Subject + "\" (" + conflict.Uid + "): " + conflict.Resolution + "\n";
  for (const std::string& skipped : summary.Skipped) text += "Left out: " + skipped + "\n";
  for (const std::string& note : summary.Notes) text += "Note: " + note + "\n";
  if (summary.StoppedBeforeMassDeletion) text += std::string(kStopped) + "\n";
  return text;
}

// Records the sync's end and outcome in the account as it is stored now (another writer may have
// changed its settings meanwhile); the account given when none is stored.
void RecordOutcome(const std::string& dataFolder, TFileWriter& writer, const TSyncAccount& account, double now,
                   const std::string& error) {
  TSyncAccounts accounts(dataFolder, writer);
  TSyncAccount outcome = accounts.Of(account.ResourceID).value_or(account);
  outcome.LastSync = now;
  outcome.LastError = error;
  accounts.Store(outcome);
}

// Syncs one collection of the resource; a failure raises ESyncError naming the collection.
TSyncSummary SyncOne(const char* collection, const std::string& url, const TSyncConnect& connect, TSyncLocal& local,
                     const TSyncItemCodec& codec, const std::string& statusFile, TFileWriter& writer,
                     const TSyncOptions& options) {
  try {
    const std::unique_ptr<TSyncServer> server = connect(url);
    return SyncCollection(*server, local, codec, statusFile, writer, options);
  } catch (const std::exception& e) {
    throw ESyncError(std::string(collection) + ": " + DescribeError(e, ": "));
  }
}

}  // namespace

std::string TSyncResourceResult::Text() const {
  if (!CalendarSynced && !AddressBookSynced) return "Nothing was synced for \"" + Resource + "\".\n";
  std::string text = "Synced \"" + Resource + "\".\n";
  if (CalendarSynced) text += SummaryText("Calendar", Calendar);
  if (AddressBookSynced) text += SummaryText("Address book", AddressBook);
  return text;
}

TSyncResourceResult SyncResource(const TVpExchangeTarget& target, TFileWriter& writer, const TSyncAccount& account,
                                 const TSyncConnect& connect, const TSyncOptions& options, double now) {
  // The account's resource is synced, whichever the target would choose.
  TVpExchangeTarget own = target;
  own.ChooseResource = [id = account.ResourceID](TVpFlexDataStore& store) {
    TVpResource* resource = store.Resources().FindResourceByID(id);
    if (resource == nullptr) throw ESyncError("The resource of the sync account no longer exists.");
    return resource;
  };
  // One sync of a resource at a time, whichever program runs it: two at once would both take in
  // the same new items from the server.
  TInstanceLock running(target.DataFolder + "/sync-" + std::to_string(account.ResourceID) + ".lock");
  if (const TInstanceLock::TResult outcome = running.Acquire(); outcome != TInstanceLock::lrAcquired)
    throw ESyncError(outcome == TInstanceLock::lrHeldElsewhere
                         ? "Another sync of this resource is running; try again when it has ended."
                         : running.Error());
  TSyncResourceResult result;
  try {
    if (account.CalendarUrl.empty() && account.AddressBookUrl.empty())
      throw ESyncError("The sync account names neither a calendar nor an address book.");
    TVpExchangeSession session(own, writer);
    result.Resource = own.ChooseResource(session.Store())->Description();
    if (!account.CalendarUrl.empty()) {
      TSessionSyncLocal local(session, sckCalendar);
      const TCalendarSyncCodec codec(session.Store().CategoryColorMap());
      result.Calendar = SyncOne("Calendar", account.CalendarUrl, connect, local, codec,
                                CalendarStatusFile(target.DataFolder, account.ResourceID), writer, options);
      result.CalendarSynced = true;
    }
    if (!account.AddressBookUrl.empty()) {
      TSessionSyncLocal local(session, sckAddressBook);
      result.AddressBook = SyncOne("Address book", account.AddressBookUrl, connect, local, TAddressBookSyncCodec(),
                                   AddressBookStatusFile(target.DataFolder, account.ResourceID), writer, options);
      result.AddressBookSynced = true;
    }
  } catch (const std::exception& e) {
    const std::string error = DescribeError(e, ": ");
    try {
      RecordOutcome(target.DataFolder, writer, account, now, error);
    } catch (const std::exception&) {
      // The sync's own failure is what the caller must hear of.
    }
    throw ESyncError(error);
  }
  const bool stopped = result.Calendar.StoppedBeforeMassDeletion || result.AddressBook.StoppedBeforeMassDeletion;
  RecordOutcome(target.DataFolder, writer, account, now, stopped ? kStopped : "");
  return result;
}
