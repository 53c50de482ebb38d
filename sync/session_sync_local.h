#pragma once

#include <ctime>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "interop/exchange/exchange_session.h"
#include "sync/sync_local.h"

// The organizer's side of one collection over an exchange session's program folder: the
// session's resource's events and tasks, or its contacts, as item texts written by the calendar
// and card writers. Events and tasks are counted apart, so in a calendar a task's RecordID is
// given negated (-7 for task 7) and taken back so; events and contacts keep theirs.
class TSessionSyncLocal : public TSyncLocal {
 public:
  // stamp: the moment the texts are written at (their DTSTAMP).
  TSessionSyncLocal(TVpExchangeSession& session, TSyncCollectionKind kind, std::time_t stamp = std::time(nullptr));

  // Reads the tables as the files are now, holding the folder's lock; records without a UID are
  // given one, stored in one write.
  std::vector<TSyncLocalItem> Items() override;
  // The new record's ID is counted out at once (IDs are taken a few at a time, one write of the
  // counters each); the record is written by Flush.
  int Create(const std::string& text) override;
  void Update(int recordID, const std::string& text) override;
  void Remove(int recordID) override;
  // Writes the changes in one turn holding the folder's lock: the tables as they are now, the new
  // records' UIDs, then each table once. A record whose text differs from the one Items() gave
  // (another writer changed it), and one removed meanwhile, are left alone and returned.
  std::vector<int> Flush() override;

 private:
  enum TChangeKind { ckCreate, ckUpdate, ckRemove };
  struct TChange {
    TChangeKind Change = ckCreate;
    TSyncItemKind Kind = sikEvent;
    int RecordID = 0;  // the record's own ID
    std::string Text;
  };
  using TKey = std::pair<int, int>;  // (TSyncItemKind, RecordID)

  int LocalID(TSyncItemKind kind, int recordID) const { return kind == sikTask ? -recordID : recordID; }
  TSyncItemKind KindOfLocalID(int localID) const;
  int NewRecordID(TSyncItemKind kind);

  TVpExchangeSession& Session_;
  TSyncCollectionKind Collection_;
  std::time_t Stamp_;
  std::vector<TChange> Changes_;
  std::map<TKey, std::string> Given_;        // the texts Items() gave and Flush wrote
  std::map<int, std::vector<int>> FreeIDs_;  // counted out, not yet used, by TSyncItemKind
  int IDBlock_ = 1;
};
