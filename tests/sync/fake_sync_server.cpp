#include "tests/sync/fake_sync_server.h"

void TFakeSyncServer::Put(const std::string& href, const std::string& text) {
  Items[href] = {text, "\"e" + std::to_string(++NextETag_) + "\""};
  Changed_[href] = ++Version_;
}

void TFakeSyncServer::Delete(const std::string& href) {
  Items.erase(href);
  Changed_[href] = ++Version_;
}

void TFakeSyncServer::Move(const std::string& from, const std::string& to) {
  Put(to, Items.at(from).Text);
  Delete(from);
}

std::string TFakeSyncServer::ETagRead(TItem& item) {
  if (NewETagOnEveryRead) item.ETag = "\"r" + std::to_string(++NextETag_) + "\"";
  return GivesETags ? item.ETag : std::string();
}

TSyncListing TFakeSyncServer::List(const std::string& token) {
  if (++Calls == FailCall) throw ESyncError("The server went away.");
  TSyncListing listing;
  listing.Token = KeepsTokens ? "v" + std::to_string(Version_) : "";
  listing.Full = !KeepsTokens || RefusesTokens || token.empty();
  const int since = listing.Full ? 0 : std::stoi(token.substr(1));
  for (auto& [href, item] : Items)
    if (Changed_[href] > since) listing.Changed.push_back({href, ETagRead(item)});
  for (const auto& [href, version] : Changed_)
    if (!listing.Full && version > since && !Items.count(href)) listing.Removed.push_back(href);
  return listing;
}

std::vector<TSyncRemoteItem> TFakeSyncServer::Fetch(const std::vector<std::string>& hrefs) {
  if (++Calls == FailCall) throw ESyncError("The server went away.");
  std::vector<TSyncRemoteItem> found;
  for (const std::string& href : hrefs)
    if (Items.count(href)) found.push_back({href, ETagRead(Items[href]), Items[href].Text});
  return found;
}

bool TFakeSyncServer::Writable(const std::string& href, const std::string& etag, bool creates) {
  if (++Calls == FailCall) throw ESyncError("The server went away.");
  if (Step) Step("server write");
  if (BeforeWrite) BeforeWrite(href);
  const auto item = Items.find(href);
  if (creates ? item != Items.end() : item == Items.end() || (!etag.empty() && etag != item->second.ETag)) return false;
  ++Writes;
  return true;
}

TSyncWriteOutcome TFakeSyncServer::Create(const std::string& href, const std::string& text) {
  if (!Writable(href, "", true)) return {};
  Put(href, text);
  if (Step) Step("server written");
  return {true, GivesETags ? Items[href].ETag : ""};
}

TSyncWriteOutcome TFakeSyncServer::Update(const std::string& href, const std::string& text, const std::string& etag) {
  if (!Writable(href, etag, false)) return {};
  Put(href, text);
  if (Step) Step("server written");
  return {true, GivesETags ? Items[href].ETag : ""};
}

bool TFakeSyncServer::Remove(const std::string& href, const std::string& etag) {
  if (!Writable(href, etag, false)) return !Items.count(href);  // an item already gone counts as removed
  Delete(href);
  if (Step) Step("server written");
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
