#include "tests/sync/fake_sync_side.h"

#include <algorithm>
#include <sstream>

std::string FakeItem(const std::string& uid, const std::string& summary, const std::string& other,
                     const std::string& kind) {
  return "UID:" + uid + "\nSUMMARY:" + summary + (other.empty() ? "" : "\nX-OTHER:" + other) +
         (kind.empty() ? "" : "\nKIND:" + kind);
}

std::string FakeField(std::string_view text, const std::string& name) {
  std::istringstream lines{std::string(text)};
  for (std::string line; std::getline(lines, line);)
    if (line.starts_with(name + ":")) return line.substr(name.size() + 1);
  return {};
}

bool TFakeSyncCodec::Digest(std::string_view text, TSyncItemDigest& digest, std::string& error) const {
  digest.Uid = FakeField(text, "UID");
  if (digest.Uid.empty()) {
    error = "no UID";
    return false;
  }
  digest.Subject = FakeField(text, "SUMMARY");
  digest.Hash = digest.Uid + "|" + digest.Subject;
  return true;
}

std::string TFakeSyncCodec::Merge(std::string_view serverText, std::string_view ourText) const {
  std::string merged = FakeItem(FakeField(ourText, "UID"), FakeField(ourText, "SUMMARY"));
  std::istringstream lines{std::string(serverText)};
  for (std::string line; std::getline(lines, line);)
    if (!line.starts_with("UID:") && !line.starts_with("SUMMARY:")) merged += "\n" + line;
  return merged;
}

std::string TFakeSyncCodec::ConflictCopy(std::string_view text, const std::string& newUid) const {
  return FakeItem(newUid, "(server) " + FakeField(text, "SUMMARY"), FakeField(text, "X-OTHER")) +
         "\nX-COPY-OF:" + FakeField(text, "UID");
}

void TFakeSyncLocal::Put(const std::string& text) {
  const auto same = std::find_if(Records.begin(), Records.end(), [&text](const auto& record) {
    return FakeField(record.second, "UID") == FakeField(text, "UID");
  });
  Records[same == Records.end() ? NextID_++ : same->first] = text;
}

void TFakeSyncLocal::Delete(const std::string& uid) {
  std::erase_if(Records, [&uid](const auto& record) { return FakeField(record.second, "UID") == uid; });
}

std::vector<TSyncLocalItem> TFakeSyncLocal::Items() {
  std::vector<TSyncLocalItem> items;
  for (const auto& [id, text] : Records)
    items.push_back({FakeField(text, "KIND") == "task" ? sikTask : sikEvent, id, FakeField(text, "UID"), text});
  return items;
}

int TFakeSyncLocal::Create(const std::string& text) {
  Pending_[NextID_] = text;
  return NextID_++;
}

void TFakeSyncLocal::Update(int recordID, const std::string& text) { Pending_[recordID] = text; }
void TFakeSyncLocal::Remove(int recordID) { Pending_[recordID].clear(); }

std::vector<int> TFakeSyncLocal::Flush() {
  if (Step) Step("flush");
  ++Flushes;
  std::vector<int> skipped;
  for (const auto& [id, text] : Pending_) {
    if (ChangedByOther.count(id)) skipped.push_back(id);
    else if (text.empty()) Records.erase(id);
    else Records[id] = text;
  }
  Pending_.clear();
  if (Step) Step("flushed");
  return skipped;
}
