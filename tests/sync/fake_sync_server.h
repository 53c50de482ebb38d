#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "sync/sync_server.h"

// A collection on a server, in memory: items by href with ETags, sync tokens over a change log,
// and switches for the ways real servers differ and fail.
class TFakeSyncServer : public TSyncServer {
 public:
  struct TItem {
    std::string Text, ETag;
  };
  std::map<std::string, TItem> Items;  // by href
  bool GivesETags = true, NewETagOnEveryRead = false, KeepsTokens = true, RefusesTokens = false;
  int FailCall = 0;          // the call with this number (counted from 1) raises ESyncError
  TSyncCollectionInfo Info;  // what Describe says the collection is
  // Called with the href before a write checks its precondition: another client's chance to win.
  std::function<void(const std::string& href)> BeforeWrite;
  // Called at each step of a write ("server write" before it, "server written" once the item is
  // stored, before the answer): a test's way to fail or end the sync there.
  std::function<void(const char* step)> Step;
  int Calls = 0, Writes = 0;

  // Changes made by another client.
  void Put(const std::string& href, const std::string& text);
  void Delete(const std::string& href);
  void Move(const std::string& from, const std::string& to);

  std::string Url() const override { return "https://dav.test/cal/"; }
  TSyncCollectionInfo Describe() override { return Info; }
  TSyncListing List(const std::string& token) override;
  std::vector<TSyncRemoteItem> Fetch(const std::vector<std::string>& hrefs) override;
  TSyncWriteOutcome Create(const std::string& href, const std::string& text) override;
  TSyncWriteOutcome Update(const std::string& href, const std::string& text, const std::string& etag) override;
  bool Remove(const std::string& href, const std::string& etag) override;
  std::string HrefFor(const std::string& uid) const override;

 private:
  // Counts the call and tells whether a write to the href may go ahead against the etag.
  bool Writable(const std::string& href, const std::string& etag, bool creates);
  std::string ETagRead(TItem& item);

  int Version_ = 0, NextETag_ = 0;
  std::map<std::string, int> Changed_;  // href -> version of its last change (also a removal)
};

// The kinds of server the fake plays: as it is, without ETags, with a new ETag on every read,
// without sync tokens, and refusing every token.
inline const std::vector<std::function<void(TFakeSyncServer&)>>& FakeServerKinds() {
  static const std::vector<std::function<void(TFakeSyncServer&)>> kinds = {
      [](TFakeSyncServer&) {},
      [](TFakeSyncServer& s) { s.GivesETags = false; },
      [](TFakeSyncServer& s) { s.NewETagOnEveryRead = true; },
      [](TFakeSyncServer& s) { s.KeepsTokens = false; },
      [](TFakeSyncServer& s) { s.RefusesTokens = true; },
  };
  return kinds;
}
