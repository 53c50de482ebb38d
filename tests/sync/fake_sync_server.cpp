#include "tests/sync/fake_sync_server.h"

void TFakeSyncServer::Put(const std::string& href, const std::string& text) {
  Items[href].Text = text;
  ETagWritten(href);
}

void TFakeSyncServer::Delete(const std::string& href) {
  Items.erase(href);
  Changed_[href] = ++Version_;
}

void TFakeSyncServer::Move(const std::string& from, const std::string& to) {
  Put(to, Items.at(from).Text);
  Delete(from);
}

void TFakeSyncServer::Call() {
  if (++Calls == FailCall) throw ESyncError("The server went away.");
}

std::string TFakeSyncServer::ETagRead(TItem& item) {
  if (NewETagOnEveryRead) item.ETag = "\"r" + std::to_string(++NextETag_) + "\"";
  return GivesETags ? item.ETag : std::string();
}

std::string TFakeSyncServer::ETagWritten(const std::string& href) {
  Changed_[href] = ++Version_;
  Items[href].ETag = "\"e" + std::to_string(++NextETag_) + "\"";
  return GivesETags ? Items[href].ETag : std::string();
}

TSyncListing TFakeSyncServer::List(const std::string& token) {
  Call();
  TSyncListing listing;
  listing.Token = KeepsTokens ? "v" + std::to_string(Version_) : "";
  const bool incremental = KeepsTokens && !RefusesTokens && token.size() > 1;
  const int since = incremental ? std::stoi(token.substr(1)) : 0;
  listing.Full = !incremental;
  for (auto& [href, item] : Items)
    if (!incremental || Changed_[href] > since) listing.Changed.push_back({href, ETagRead(item)});
  for (const auto& [href, version] : Changed_)
    if (incremental && version > since && !Items.count(href)) listing.Removed.push_back(href);
  return listing;
}

std::vector<TSyncRemoteItem> TFakeSyncServer::Fetch(const std::vector<std::string>& hrefs) {
  Call();
  std::vector<TSyncRemoteItem> found;
  for (const std::string& href : hrefs) {
    const auto item = Items.find(href);
    if (item != Items.end()) found.push_back({href, ETagRead(item->second), item->second.Text});
  }
  Fetched += static_cast<int>(found.size());
  return found;
}

TSyncWriteOutcome TFakeSyncServer::Create(const std::string& href, const std::string& text) {
  Call();
  if (BeforeWrite) BeforeWrite(href);
  if (Items.count(href)) return {};
  ++Writes;
  Items[href].Text = text;
  return {true, ETagWritten(href)};
}

TSyncWriteOutcome TFakeSyncServer::Update(const std::string& href, const std::string& text, const std::string& etag) {
  Call();
  if (BeforeWrite) BeforeWrite(href);
  const auto item = Items.find(href);
  if (item == Items.end() || (!etag.empty() && etag != item->second.ETag)) return {};
  ++Writes;
  item->second.Text = text;
  return {true, ETagWritten(href)};
}

bool TFakeSyncServer::Remove(const std::string& href, const std::string& etag) {
  Call();
  if (BeforeWrite) BeforeWrite(href);
  const auto item = Items.find(href);
  if (item != Items.end() && !etag.empty() && etag != item->second.ETag) return false;
  ++Writes;
  Delete(href);
  return true;
}

std::string TFakeSyncServer::HrefFor(const std::string& uid) const {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string href = "/cal/";
  for (const unsigned char c : uid) {
    const bool plain =
        (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '.';
    if (plain) href += static_cast<char>(c);
    else href += std::string("%") + kHex[c >> 4] + kHex[c & 15];
  }
  return href + ".ics";
}
