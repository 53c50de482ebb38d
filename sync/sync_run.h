#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "sync/sync_decision.h"
#include "sync/sync_engine.h"
#include "sync/sync_sides.h"
#include "sync/sync_status_table.h"

// The UID of the copy of a conflict's server version (its hash): the same for the same item and
// version, so that a conflict decided again after an interrupted sync finds the copy that sync
// made.
std::string ConflictCopyUid(const std::string& uid, const std::string& theirsHash);

// An item whose write found the server's item changed meanwhile (412): fetch it at Href and decide
// again.
struct TSyncRaced {
  TSyncItemState Item;
  std::string Href;
};

// Carries out the decisions of a sync on both sides and records each outcome in the status table.
class TSyncRun {
 public:
  TSyncRun(TSyncServer& server, TSyncLocal& local, const TSyncItemCodec& codec, TSyncStatusTable& status,
           TSyncConflictPolicy policy, TSyncSummary& summary);

  // Decides each item and carries the decisions out: first the changes here, flushed in groups,
  // then the writes to the server. Every write is recorded ahead in the status table (saved before
  // the group of writes is made) and its outcome once it is done (saved every group). A conflict
  // kept both ways makes the server's version a record here before ours goes up, so that an
  // interruption never loses it; the copy's UID follows from the item and the server's version,
  // so a conflict decided again after an interruption finds its copy instead of making another.
  // progress goes from 0 to 1. Returns the raced items.
  std::vector<TSyncRaced> Carry(std::vector<TSyncItemState> items, const std::function<void(double)>& progress);

 private:
  // A write to the server: saUpload, saCreateThere or saDeleteThere.
  struct TServerWrite {
    TSyncAction Action;
    TSyncItemState Item;
    std::optional<TSyncConflict> Conflict = std::nullopt;  // listed once the write is done
  };
  // A change here waiting for the flush, and what follows once it is written.
  struct TLocalChange {
    std::string Uid;
    int RecordID = 0;
    // What the change writes, recorded ahead: the item's record (swsHere) with the hash it then
    // holds (empty: the record is removed), or the copy of the server's version of a conflict
    // (swsCopyHere) with that version's hash.
    TSyncWriteSide Side = swsHere;
    std::string Writes;
    bool Removes = false;     // the item's status entry goes
    TSyncStatusEntry Record;  // else its status entry then
    int TSyncSummary::*Counter = nullptr;
    std::vector<TServerWrite> Then;
    std::optional<TSyncConflict> Conflict = std::nullopt;  // listed once the change is written
  };

  void Decide(TSyncItemState&& item, std::vector<TLocalChange>& changes, std::vector<TServerWrite>& writes);
  void Download(TSyncItemState& item, std::vector<TLocalChange>& changes,
                std::optional<TSyncConflict> conflict = std::nullopt);
  void KeepBoth(TSyncItemState&& item, std::vector<TLocalChange>& changes, std::vector<TServerWrite>& writes);
  void Flush(std::vector<TLocalChange>& changes, std::vector<TServerWrite>& writes);
  // Records the write ahead in the status table.
  void BeginWrite(const TServerWrite& write);
  // False when the server's item changed meanwhile.
  bool Write(const TServerWrite& write);
  // The status entry a write to the item starts from: as the last sync left it, or a new one that
  // says the item was never synced.
  TSyncStatusEntry Before(const std::string& uid, const std::string& href, int recordID, TSyncItemKind kind) const;

  TSyncServer& Server_;
  TSyncLocal& Local_;
  const TSyncItemCodec& Codec_;
  TSyncStatusTable& Status_;
  TSyncConflictPolicy Policy_;
  TSyncSummary& Summary_;
  size_t Group_ = 32;
  std::map<std::string, int> Here_;  // the RecordIDs of the items here, by UID
};
