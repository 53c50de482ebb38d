#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "sync/sync_decision.h"
#include "sync/sync_engine.h"
#include "sync/sync_sides.h"
#include "sync/sync_status_table.h"

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

  // Decides each item and carries the decisions out: first the changes here, flushed in groups
  // (each group recorded and the status table saved once it is written), then the writes to the
  // server, each recorded as it succeeds and the table saved every group. A conflict kept both
  // ways makes the server's version a record here before ours goes up, so that an interruption
  // never loses it. progress goes from 0 to 1. Returns the raced items.
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
    bool Removes = false;     // the item's status entry goes
    TSyncStatusEntry Record;  // else its status entry then
    int TSyncSummary::*Counter = nullptr;
    std::vector<TServerWrite> Then;
    std::optional<TSyncConflict> Conflict = std::nullopt;  // listed once the change is written
  };

  void Decide(TSyncItemState&& item, std::vector<TLocalChange>& changes, std::vector<TServerWrite>& writes);
  void Download(TSyncItemState& item, std::vector<TLocalChange>& changes,
                std::optional<TSyncConflict> conflict = std::nullopt);
  void KeepBoth(TSyncItemState&& item, std::vector<TLocalChange>& changes);
  void Flush(std::vector<TLocalChange>& changes, std::vector<TServerWrite>& writes);
  // False when the server's item changed meanwhile.
  bool Write(const TServerWrite& write);

  TSyncServer& Server_;
  TSyncLocal& Local_;
  const TSyncItemCodec& Codec_;
  TSyncStatusTable& Status_;
  TSyncConflictPolicy Policy_;
  TSyncSummary& Summary_;
  size_t Group_ = 32;
};
