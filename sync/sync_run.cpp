#include "sync/sync_run.h"

#include <algorithm>
#include <cstdio>
#include <set>

#include "platform/fnv_hash.h"

namespace {

TSyncStatusEntry Synced(const std::string& uid, const std::string& href, const std::string& etag, const TSyncOurs& ours,
                        const std::string& hash, const std::string& serverText) {
  return {uid, href, etag, ours.RecordID, ours.Digest.Kind, hash, serverText, swsNone, {}};
}

// The status entry of an item whose server version is now ours as well.
TSyncStatusEntry SyncedAsTheirs(const std::string& uid, const TSyncTheirs& theirs, int recordID) {
  return {uid, theirs.Href, theirs.ETag, recordID, theirs.Digest.Kind, theirs.Digest.Hash, theirs.Text, swsNone, {}};
}

std::string SubjectOf(const TSyncItemState& item) {
  if (item.Ours && !item.Ours->Digest.Subject.empty()) return item.Ours->Digest.Subject;
  return item.Theirs ? item.Theirs->Digest.Subject : std::string();
}

}  // namespace

std::string ConflictCopyUid(const std::string& uid, const std::string& theirsHash) {
  char hex[20];
  std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(Fnv1a64(uid + '\n' + theirsHash)));
  return std::string(hex) + "-copy@koret";
}

TSyncRun::TSyncRun(TSyncServer& server, TSyncLocal& local, const TSyncItemCodec& codec, TSyncStatusTable& status,
                   TSyncConflictPolicy policy, TSyncSummary& summary)
    : Server_(server), Local_(local), Codec_(codec), Status_(status), Policy_(policy), Summary_(summary) {}

std::vector<TSyncRaced> TSyncRun::Carry(std::vector<TSyncItemState> items,
                                        const std::function<void(double)>& progress) {
  // Groups grow with the collection, so that a large first sync writes the files a few dozen
  // times, not once per few items.
  Group_ = std::max<size_t>(32, items.size() / 16);
  for (const TSyncItemState& item : items)
    if (item.Ours) Here_[item.Uid] = item.Ours->RecordID;
  std::vector<TLocalChange> changes;
  std::vector<TServerWrite> writes;
  for (size_t i = 0; i < items.size(); ++i) {
    Decide(std::move(items[i]), changes, writes);
    if (changes.size() >= Group_) Flush(changes, writes);
    if (progress) progress(0.5 * static_cast<double>(i + 1) / static_cast<double>(items.size()));
  }
  Flush(changes, writes);
  for (const TServerWrite& write : writes) BeginWrite(write);
  Status_.Save();
  std::vector<TSyncRaced> raced;
  for (size_t i = 0; i < writes.size(); ++i) {
    const TServerWrite& write = writes[i];
    if (Write(write)) {
      if (write.Conflict) Summary_.Conflicts.push_back(*write.Conflict);
    } else {
      const TSyncItemState& item = write.Item;
      Status_.AbandonWrite(item.Uid);
      raced.push_back({item, write.Action == saCreateThere ? Server_.HrefFor(item.Uid) : item.Theirs->Href});
    }
    if ((i + 1) % Group_ == 0) Status_.Save();
    if (progress) progress(0.5 + 0.5 * static_cast<double>(i + 1) / static_cast<double>(writes.size()));
  }
  Status_.Save();
  return raced;
}

void TSyncRun::Decide(TSyncItemState&& item, std::vector<TLocalChange>& changes, std::vector<TServerWrite>& writes) {
  const TSyncAction action = DecideSync(Status_.Find(item.Uid), item);
  switch (action) {
    case saInSync:
      Status_.Set(Synced(item.Uid, item.Theirs->Href, item.Theirs->ETag, *item.Ours, item.Ours->Digest.Hash,
                         item.Theirs->Text));
      ++Summary_.Unchanged;
      break;
    case saForget: Status_.Remove(item.Uid); break;
    case saUpload:
    case saCreateThere:
    case saDeleteThere: writes.push_back({action, std::move(item)}); break;
    case saDownload:
    case saCreateHere: Download(item, changes); break;
    case saDeleteHere:
      Local_.Remove(item.Ours->RecordID);
      changes.push_back({item.Uid, item.Ours->RecordID, swsHere, "", true, {}, &TSyncSummary::DeletedHere, {}});
      break;
    case saConflict:
      switch (Policy_) {
        case scpServerWins:
          Download(item, changes, TSyncConflict{item.Uid, SubjectOf(item), "the server's version kept"});
          break;
        case scpOursWins: {
          TSyncConflict conflict{item.Uid, SubjectOf(item), "our version kept"};
          writes.push_back({saUpload, std::move(item), std::move(conflict)});
          break;
        }
        case scpKeepBoth: KeepBoth(std::move(item), changes, writes); break;
      }
      break;
  }
}

void TSyncRun::Download(TSyncItemState& item, std::vector<TLocalChange>& changes,
                        std::optional<TSyncConflict> conflict) {
  const TSyncTheirs& theirs = *item.Theirs;
  try {
    int recordID = 0;
    if (item.Ours) {
      recordID = item.Ours->RecordID;
      Local_.Update(recordID, theirs.Text);
    } else {
      recordID = Local_.Create(theirs.Text);
    }
    changes.push_back({item.Uid,
                       recordID,
                       swsHere,
                       theirs.Digest.Hash,
                       false,
                       SyncedAsTheirs(item.Uid, theirs, recordID),
                       &TSyncSummary::Downloaded,
                       {},
                       std::move(conflict)});
  } catch (const std::exception& e) {
    Summary_.Skipped.push_back("The server's item " + theirs.Href + " cannot be taken here: " + e.what());
  }
}

void TSyncRun::KeepBoth(TSyncItemState&& item, std::vector<TLocalChange>& changes, std::vector<TServerWrite>& writes) {
  const TSyncTheirs& theirs = *item.Theirs;
  const std::string copyUid = ConflictCopyUid(item.Uid, theirs.Digest.Hash);
  TSyncConflict conflict{item.Uid, SubjectOf(item), "kept both: the server's version is a copy"};
  if (Here_.count(copyUid)) {
    // An interrupted sync made the copy already (it syncs as an item of its own): the server's
    // version is kept, and ours goes up over it.
    Status_.Set(SyncedAsTheirs(item.Uid, theirs, item.Ours->RecordID));
    Summary_.Conflicts.push_back(std::move(conflict));
    writes.push_back({saUpload, std::move(item)});
    return;
  }
  TSyncOurs copy{0, Codec_.ConflictCopy(theirs.Text, copyUid), {}};
  std::string error;
  if (!Codec_.Digest(copy.Text, copy.Digest, error)) {
    Summary_.Skipped.push_back("The conflict of " + item.Uid + " cannot be kept both ways: " + error);
    return;
  }
  try {
    copy.RecordID = Local_.Create(copy.Text);
  } catch (const std::exception& e) {
    Summary_.Skipped.push_back("The conflict of " + item.Uid + " cannot be kept both ways: " + e.what());
    return;
  }
  // Once the copy is written here, the server's version counts as synced, so that ours goes up
  // over it as an ordinary change, and the copy as a new item.
  TLocalChange change{item.Uid,
                      copy.RecordID,
                      swsCopyHere,
                      theirs.Digest.Hash,
                      false,
                      SyncedAsTheirs(item.Uid, theirs, item.Ours->RecordID),
                      &TSyncSummary::Downloaded,
                      {},
                      std::move(conflict)};
  change.Then.push_back({saCreateThere, {copyUid, std::move(copy), std::nullopt}});
  change.Then.push_back({saUpload, std::move(item)});
  changes.push_back(std::move(change));
}

void TSyncRun::Flush(std::vector<TLocalChange>& changes, std::vector<TServerWrite>& writes) {
  if (changes.empty()) return;
  for (const TLocalChange& change : changes)
    Status_.BeginWrite(Before(change.Uid, change.Record.Href, change.RecordID, change.Record.Kind), change.Side,
                       change.Writes);
  Status_.Save();
  const std::vector<int> left = Local_.Flush();
  const std::set<int> skipped(left.begin(), left.end());
  for (TLocalChange& change : changes) {
    if (skipped.count(change.RecordID)) {
      Status_.AbandonWrite(change.Uid);
      Summary_.Skipped.push_back("The record of " + change.Uid +
                                 " was changed by another program during the sync; it is synced next time.");
      continue;
    }
    if (change.Removes) Status_.Remove(change.Uid);
    else Status_.Set(change.Record);
    ++(Summary_.*change.Counter);
    if (change.Conflict) Summary_.Conflicts.push_back(std::move(*change.Conflict));
    for (TServerWrite& write : change.Then) writes.push_back(std::move(write));
  }
  changes.clear();
  Status_.Save();
}

TSyncStatusEntry TSyncRun::Before(const std::string& uid, const std::string& href, int recordID,
                                  TSyncItemKind kind) const {
  if (const TSyncStatusEntry* entry = Status_.Find(uid)) return *entry;
  return {uid, href, "", recordID, kind, "", "", swsNone, {}};
}

void TSyncRun::BeginWrite(const TServerWrite& write) {
  const TSyncItemState& item = write.Item;
  switch (write.Action) {
    case saUpload:
    case saCreateThere: {
      const std::string href = write.Action == saUpload ? item.Theirs->Href : Server_.HrefFor(item.Uid);
      Status_.BeginWrite(Before(item.Uid, href, item.Ours->RecordID, item.Ours->Digest.Kind), swsThere,
                         item.Ours->Digest.Hash);
      break;
    }
    case saDeleteThere:
      Status_.BeginWrite(Before(item.Uid, item.Theirs->Href, 0, item.Theirs->Digest.Kind), swsThere, "");
      break;
    default: break;
  }
}

bool TSyncRun::Write(const TServerWrite& write) {
  const TSyncItemState& item = write.Item;
  switch (write.Action) {
    case saUpload: {
      const std::string text = Codec_.Merge(item.Theirs->Text, item.Ours->Text);
      const TSyncWriteOutcome outcome = Server_.Update(item.Theirs->Href, text, item.Theirs->ETag);
      if (!outcome.Done) return false;
      Status_.Set(Synced(item.Uid, item.Theirs->Href, outcome.ETag, *item.Ours, item.Ours->Digest.Hash, text));
      ++Summary_.Uploaded;
      return true;
    }
    case saCreateThere: {
      const std::string href = Server_.HrefFor(item.Uid);
      const TSyncWriteOutcome outcome = Server_.Create(href, item.Ours->Text);
      if (!outcome.Done) return false;
      Status_.Set(Synced(item.Uid, href, outcome.ETag, *item.Ours, item.Ours->Digest.Hash, item.Ours->Text));
      ++Summary_.Uploaded;
      return true;
    }
    case saDeleteThere:
      if (!Server_.Remove(item.Theirs->Href, item.Theirs->ETag)) return false;
      Status_.Remove(item.Uid);
      ++Summary_.DeletedThere;
      return true;
    default: return true;
  }
}
