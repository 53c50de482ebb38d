#include "sync/sync_engine.h"

#include "sync/collection_check.h"
#include "sync/sync_local_scan.h"
#include "sync/sync_remote_scan.h"
#include "sync/sync_run.h"

namespace {

// How often an item whose write keeps finding the server's item changed is fetched and decided
// again before it is left for the next sync.
constexpr int kRaceRounds = 3;
// Deleting up to this many items on one side never asks: clearing a few items elsewhere is
// everyday use even in a small calendar, and a question every time teaches users to say yes.
constexpr size_t kHandful = 5;

// Reports the progress of the whole sync, a percent at a time.
class TSyncProgress {
 public:
  explicit TSyncProgress(const std::function<void(double)>& report) : Report_(report) {}
  void operator()(double fraction) {
    if (!Report_ || (fraction < Last_ + 0.01 && fraction < 1)) return;
    Last_ = fraction;
    Report_(fraction);
  }
  // The progress of a step that runs from `from` to `to` of the whole.
  std::function<void(double)> Part(double from, double to) {
    return [this, from, to](double done) { (*this)(from + (to - from) * done); };
  }

 private:
  const std::function<void(double)>& Report_;
  double Last_ = -1;
};

// Every item by UID, with what each side holds of it; items left alone on either side are not
// among them.
std::vector<TSyncItemState> Pair(TSyncRemoteScan& remote, TSyncLocalScan& here, const TSyncStatusTable& status) {
  std::map<std::string, TSyncItemState> items;
  const auto leftAlone = [&remote, &here](const std::string& uid) {
    return remote.LeftAlone.count(uid) > 0 || here.LeftAlone.count(uid) > 0;
  };
  for (auto& [uid, ours] : here.Items)
    if (!leftAlone(uid)) items[uid].Ours = std::move(ours);
  for (const auto& [uid, theirs] : remote.Items)
    if (!leftAlone(uid)) items[uid].Theirs = theirs;
  for (const auto& [uid, entry] : status.Entries())
    if (!leftAlone(uid)) items.try_emplace(uid);
  std::vector<TSyncItemState> paired;
  paired.reserve(items.size());
  for (auto& [uid, item] : items) {
    item.Uid = uid;
    paired.push_back(std::move(item));
  }
  return paired;
}

// Whether deleting that many of the items a side holds is a mass deletion, to be asked first:
// more than a handful and more than half.
bool IsMassDeletion(size_t deletions, size_t held) { return deletions > kHandful && 2 * deletions > held; }

// The question to ask before the sync deletes many items on one side because the other side lost
// them since the last sync; none when it would not.
std::optional<std::string> MassDeletionQuestion(const std::vector<TSyncItemState>& items,
                                                const TSyncStatusTable& status) {
  size_t synced = 0, oursHeld = 0, theirsHeld = 0, oursKept = 0, theirsKept = 0, deleteHere = 0, deleteThere = 0;
  for (const TSyncItemState& item : items) {
    oursHeld += item.Ours ? 1 : 0;
    theirsHeld += item.Theirs ? 1 : 0;
    const TSyncStatusEntry* entry = status.Find(item.Uid);
    if (!entry) continue;
    ++synced;
    oursKept += item.Ours ? 1 : 0;
    theirsKept += item.Theirs ? 1 : 0;
    const TSyncAction action = DecideSync(entry, item);
    deleteHere += action == saDeleteHere ? 1 : 0;
    deleteThere += action == saDeleteThere ? 1 : 0;
  }
  const std::string lastSync = " of the " + std::to_string(synced) + " items of the last sync";
  if (oursKept == 0 && deleteThere > 0)
    return "The organizer no longer holds any" + lastSync + ". Delete " + std::to_string(deleteThere) +
           " items on the server as well?";
  if (theirsKept == 0 && deleteHere > 0)
    return "The collection on the server no longer holds any" + lastSync +
           " (it was emptied, or its address is wrong). Delete " + std::to_string(deleteHere) + " items here as well?";
  if (IsMassDeletion(deleteThere, theirsHeld))
    return std::to_string(deleteThere) + " of the " + std::to_string(theirsHeld) +
           " items on the server were deleted here since the last sync. Delete these " + std::to_string(deleteThere) +
           " items on the server as well?";
  if (IsMassDeletion(deleteHere, oursHeld))
    return "The collection on the server lost " + std::to_string(deleteHere) + " of the " + std::to_string(oursHeld) +
           " items here since the last sync. Delete these " + std::to_string(deleteHere) + " items here as well?";
  return std::nullopt;
}

// Settles the writes an interrupted sync left under way: a write happened when the side it changed
// holds what it was to leave there (the item gone, for a removal; the copy, for the copy of a
// conflict), else it never did. The entry
// takes the server's place and ETag only where the server holds the version it describes, so that
// an item the entry no longer matches is fetched again. Items left alone keep their mark until
// they can be seen.
void SettleUnfinishedWrites(TSyncStatusTable& status, const TSyncRemoteScan& remote, const TSyncLocalScan& here) {
  std::vector<TSyncStatusEntry> unfinished;
  for (const auto& [uid, entry] : status.Entries())
    if (entry.PendingSide != swsNone && !remote.LeftAlone.count(uid) && !here.LeftAlone.count(uid))
      unfinished.push_back(entry);
  for (TSyncStatusEntry& entry : unfinished) {
    const auto theirs = remote.Items.find(entry.Uid);
    const auto ours = here.Items.find(entry.Uid);
    const bool hasTheirs = theirs != remote.Items.end(), hasOurs = ours != here.Items.end();
    std::optional<std::string> now;
    if (entry.PendingSide == swsThere && hasTheirs) now = theirs->second.Digest.Hash;
    if (entry.PendingSide == swsHere && hasOurs) now = ours->second.Digest.Hash;
    bool done = entry.PendingHash.empty() ? !now : now == entry.PendingHash;
    if (entry.PendingSide == swsCopyHere) done = here.Items.count(ConflictCopyUid(entry.Uid, entry.PendingHash)) > 0;
    if (done) entry.Hash = entry.PendingHash;
    if (done && hasOurs && entry.PendingSide == swsHere) entry.RecordID = ours->second.RecordID;
    entry.PendingSide = swsNone;
    entry.PendingHash.clear();
    if (entry.Hash.empty()) {
      status.Remove(entry.Uid);
      continue;
    }
    if (hasTheirs && theirs->second.Digest.Hash == entry.Hash) {
      entry.Href = theirs->second.Href;
      entry.ETag = theirs->second.ETag;
      entry.ServerText = theirs->second.Text;
    } else {
      entry.ETag.clear();
    }
    status.Set(entry);
  }
}

// Restoring the server: an item here that the server lost since the last sync is no longer taken
// as synced, so that it goes up as a new item.
void ForgetDeletionsThere(const std::vector<TSyncItemState>& items, TSyncStatusTable& status) {
  for (const TSyncItemState& item : items)
    if (item.Ours && !item.Theirs) status.Remove(item.Uid);
}

// A calendar that takes no tasks: the tasks here stay out of the sync, said once.
void LeaveOutTasks(TSyncLocalScan& here, TSyncSummary& summary) {
  size_t tasks = 0;
  for (auto item = here.Items.begin(); item != here.Items.end();) {
    if (item->second.Digest.Kind != sikTask) {
      ++item;
      continue;
    }
    here.LeftAlone.insert(item->first);
    item = here.Items.erase(item);
    ++tasks;
  }
  if (tasks > 0)
    summary.Notes.push_back("The calendar on the server takes no tasks: " + std::to_string(tasks) +
                            (tasks == 1 ? " task is" : " tasks are") + " not synced with it.");
}

// Moves the reasons of the items left out into the summary.
void TakeSkipped(TSyncSummary& summary, std::vector<std::string>& skipped) {
  summary.Skipped.insert(summary.Skipped.end(), skipped.begin(), skipped.end());
  skipped.clear();
}

// The raced items with what the server holds of them now; those it holds unreadably are left out.
std::vector<TSyncItemState> FetchedAgain(std::vector<TSyncRaced>& raced, TSyncRemoteScan& remote, TSyncServer& server,
                                         const TSyncItemCodec& codec, const TSyncStatusTable& status) {
  std::vector<std::string> hrefs;
  for (const TSyncRaced& race : raced) hrefs.push_back(race.Href);
  FetchInto(remote, server, codec, status, hrefs);
  std::vector<TSyncItemState> items;
  for (TSyncRaced& race : raced) {
    if (remote.LeftAlone.count(race.Item.Uid)) continue;
    const auto found = remote.Items.find(race.Item.Uid);
    if (found != remote.Items.end()) race.Item.Theirs = found->second;
    else race.Item.Theirs.reset();
    items.push_back(std::move(race.Item));
  }
  return items;
}

}  // namespace

TSyncSummary SyncCollection(TSyncServer& server, TSyncLocal& local, const TSyncItemCodec& codec,
                            const std::string& statusFile, TFileWriter& writer, const TSyncOptions& options) {
  TSyncSummary summary;
  TSyncProgress progress(options.Progress);
  progress(0);
  const TSyncCollectionFit fit = CheckSyncCollection(server.Describe(), server.Url(), codec.Collection());
  TSyncStatusTable status(statusFile, writer);
  status.Open();
  TSyncRemoteScan remote = ScanServer(server, codec, status, progress.Part(0, 0.3));
  TSyncLocalScan here = ScanLocal(local, codec);
  if (!fit.TakesTasks) LeaveOutTasks(here, summary);
  TakeSkipped(summary, remote.Skipped);
  TakeSkipped(summary, here.Skipped);
  SettleUnfinishedWrites(status, remote, here);
  std::vector<TSyncItemState> items = Pair(remote, here, status);
  if (options.RestoreServer) ForgetDeletionsThere(items, status);
  if (const auto question = MassDeletionQuestion(items, status)) {
    if (!options.ConfirmMassDeletion || !options.ConfirmMassDeletion(*question)) {
      summary.StoppedBeforeMassDeletion = true;
      return summary;
    }
  }
  progress(0.35);
  TSyncRun run(server, local, codec, status, options.Policy, summary);
  try {
    std::vector<TSyncRaced> raced = run.Carry(std::move(items), progress.Part(0.35, 0.95));
    for (int round = 0; round < kRaceRounds && !raced.empty(); ++round) {
      items = FetchedAgain(raced, remote, server, codec, status);
      TakeSkipped(summary, remote.Skipped);
      raced = run.Carry(std::move(items), {});
    }
    for (const TSyncRaced& race : raced)
      summary.Skipped.push_back("The server's item " + race.Href +
                                " kept changing during the sync; it is synced next time.");
    // An item left out is looked at again next time: the listing then starts from the old token.
    if (summary.Skipped.empty()) status.SetToken(remote.Listing.Token);
    status.Save();
  } catch (...) {
    // What was done until the failure stays recorded; the token stays, so the next sync lists
    // again from it.
    try {
      status.Save();
    } catch (const ESyncError&) {
      // The first failure is the one to report.
    }
    throw;
  }
  progress(1);
  return summary;
}
