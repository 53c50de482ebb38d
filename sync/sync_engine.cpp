#include "sync/sync_engine.h"

#include "sync/sync_local_scan.h"
#include "sync/sync_remote_scan.h"
#include "sync/sync_run.h"

namespace {

// How often an item whose write keeps finding the server's item changed is fetched and decided
// again before it is left for the next sync.
constexpr int kRaceRounds = 3;

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

// The question to ask before the sync deletes on one side the items the other side lost all of
// since the last sync; none when it would not.
std::optional<std::string> MassDeletionQuestion(const std::vector<TSyncItemState>& items,
                                                const TSyncStatusTable& status) {
  size_t synced = 0, oursKept = 0, theirsKept = 0, deleteHere = 0, deleteThere = 0;
  for (const TSyncItemState& item : items) {
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
  return std::nullopt;
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
  TSyncStatusTable status(statusFile, writer);
  status.Open();
  TSyncRemoteScan remote = ScanServer(server, codec, status, progress.Part(0, 0.3));
  TSyncLocalScan here = ScanLocal(local, codec);
  TakeSkipped(summary, remote.Skipped);
  TakeSkipped(summary, here.Skipped);
  std::vector<TSyncItemState> items = Pair(remote, here, status);
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
