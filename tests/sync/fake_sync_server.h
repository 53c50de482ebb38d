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
    std::string Text;
    std::string ETag;
  };
  std::map<std::string, TItem> Items;  // by href

  bool GivesETags = true;
  bool NewETagOnEveryRead = false;
  bool KeepsTokens = true;
  bool RefusesTokens = false;
  int FailCall = 0;  // the call with this number (counted from 1) raises ESyncError once
  // Called with the href before a write checks its precondition: another client's chance to win.
  std::function<void(const std::string& href)> BeforeWrite;
  int Calls = 0;
  int Writes = 0;
  int Fetched = 0;  // items fetched

  // Changes made by another client.
  void Put(const std::string& href, const std::string& text);
  void Delete(const std::string& href);
  void Move(const std::string& from, const std::string& to);

  TSyncListing List(const std::string& token) override;
  std::vector<TSyncRemoteItem> Fetch(const std::vector<std::string>& hrefs) override;
  TSyncWriteOutcome Create(const std::string& href, const std::string& text) override;
  TSyncWriteOutcome Update(const std::string& href, const std::string& text, const std::string& etag) override;
  bool Remove(const std::string& href, const std::string& etag) override;
  std::string HrefFor(const std::string& uid) const override;

 private:
  void Call();
  std::string ETagRead(TItem& item);
  std::string ETagWritten(const std::string& href);

  int Version_ = 0;
  int NextETag_ = 0;
  std::map<std::string, int> Changed_;  // href -> version of its last change (also a removal)
};
