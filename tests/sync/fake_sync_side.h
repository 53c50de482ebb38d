#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "sync/sync_local.h"

// Item texts of lines "NAME:value" ("UID:x\nSUMMARY:y\nX-OTHER:z"): the content is the UID and
// the SUMMARY, a merge takes our SUMMARY into the server's text, and "BROKEN" is not readable. A
// conflict copy's SUMMARY starts "(server) ", and its X-COPY-OF names the item it copies.
class TFakeSyncCodec : public TSyncItemCodec {
 public:
  TSyncCollectionKind Collection() const override { return sckCalendar; }
  bool Digest(std::string_view text, TSyncItemDigest& digest, std::string& error) const override;
  std::string Merge(std::string_view serverText, std::string_view ourText) const override;
  std::string ConflictCopy(std::string_view text, const std::string& newUid) const override;
};

// kind "task": a task (the item's KIND line), else an event.
std::string FakeItem(const std::string& uid, const std::string& summary, const std::string& other = "",
                     const std::string& kind = "");
// The value of the text's first line with the name; empty when it has none.
std::string FakeField(std::string_view text, const std::string& name);

// The organizer's side in memory: records by RecordID, changes kept until Flush.
class TFakeSyncLocal : public TSyncLocal {
 public:
  std::map<int, std::string> Records;  // RecordID -> text, as flushed
  std::set<int> ChangedByOther;        // records Flush leaves, as changed by another writer
  int Flushes = 0;
  // Called at each step of a flush ("flush" before it, "flushed" once the records are written): a
  // test's way to fail or end the sync there.
  std::function<void(const char* step)> Step;

  void Put(const std::string& text);  // creates or replaces the record of the text's UID
  void Delete(const std::string& uid);
  // Forgets the changes not flushed, as a new process would.
  void Restart() { Pending_.clear(); }

  std::vector<TSyncLocalItem> Items() override;
  int Create(const std::string& text) override;
  void Update(int recordID, const std::string& text) override;
  void Remove(int recordID) override;
  std::vector<int> Flush() override;

 private:
  int NextID_ = 1;
  std::map<int, std::string> Pending_;  // RecordID -> text; empty: removed
};
