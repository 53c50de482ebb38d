#include "sync/sync_remote_scan.h"

#include <algorithm>

namespace {

// Fetch calls take this many hrefs at most, so that the progress moves and an answer stays small.
constexpr size_t kFetchBatch = 100;

TSyncTheirs FromStatus(const TSyncStatusEntry& entry) {
  return {entry.Href, entry.ETag, entry.ServerText, {entry.Kind, entry.Uid, entry.Hash, {}}};
}

std::map<std::string, std::string> UidsByHref(const TSyncStatusTable& status) {
  std::map<std::string, std::string> uids;
  for (const auto& [uid, entry] : status.Entries()) uids.emplace(entry.Href, uid);
  return uids;
}

// Takes the fetched items by UID. An item the codec cannot read is skipped (and the item synced
// before at its href left alone); of two items with one UID the one at the UID's status href stays.
void TakeFetched(TSyncRemoteScan& scan, const TSyncItemCodec& codec, const TSyncStatusTable& status,
                 const std::map<std::string, std::string>& uidsByHref, std::vector<TSyncRemoteItem>&& fetched,
                 const std::map<std::string, std::string>& listedETags) {
  for (TSyncRemoteItem& item : fetched) {
    TSyncTheirs theirs{item.Href, std::move(item.ETag), std::move(item.Text), {}};
    if (theirs.ETag.empty()) {
      const auto listed = listedETags.find(theirs.Href);
      if (listed != listedETags.end()) theirs.ETag = listed->second;
    }
    std::string error;
    if (!codec.Digest(theirs.Text, theirs.Digest, error)) {
      scan.Skipped.push_back("The server's item " + theirs.Href + " cannot be read: " + error);
      const auto synced = uidsByHref.find(theirs.Href);
      if (synced != uidsByHref.end()) scan.LeftAlone.insert(synced->second);
      continue;
    }
    const std::string uid = theirs.Digest.Uid;
    auto [at, added] = scan.Items.try_emplace(uid, std::move(theirs));  // left as is when not added
    if (added) continue;
    const TSyncStatusEntry* entry = status.Find(uid);
    const bool newAtHome = entry && entry->Href == theirs.Href;
    const std::string other = newAtHome ? at->second.Href : theirs.Href;
    if (newAtHome) at->second = std::move(theirs);
    scan.Skipped.push_back("The server holds the item " + uid + " twice; the one at " + other + " is left alone.");
  }
}

void FetchInBatches(TSyncRemoteScan& scan, TSyncServer& server, const TSyncItemCodec& codec,
                    const TSyncStatusTable& status, const std::vector<std::string>& hrefs,
                    const std::map<std::string, std::string>& listedETags,
                    const std::function<void(double)>& progress) {
  const std::map<std::string, std::string> uidsByHref = UidsByHref(status);
  for (size_t from = 0; from < hrefs.size(); from += kFetchBatch) {
    const size_t to = std::min(hrefs.size(), from + kFetchBatch);
    TakeFetched(scan, codec, status, uidsByHref,
                server.Fetch(std::vector<std::string>(hrefs.begin() + static_cast<std::ptrdiff_t>(from),
                                                      hrefs.begin() + static_cast<std::ptrdiff_t>(to))),
                listedETags);
    if (progress) progress(static_cast<double>(to) / static_cast<double>(hrefs.size()));
  }
}

}  // namespace

TSyncRemoteScan ScanServer(TSyncServer& server, const TSyncItemCodec& codec, const TSyncStatusTable& status,
                           const std::function<void(double)>& progress) {
  TSyncRemoteScan scan;
  scan.Listing = server.List(status.Token());
  if (progress) progress(0.1);
  const std::map<std::string, std::string> uidsByHref = UidsByHref(status);
  std::vector<std::string> toFetch;
  std::map<std::string, std::string> listedETags;
  for (const TSyncRemoteEntry& listed : scan.Listing.Changed) {
    const auto synced = uidsByHref.find(listed.Href);
    if (synced != uidsByHref.end() && !listed.ETag.empty()) {
      const TSyncStatusEntry& entry = *status.Find(synced->second);
      if (entry.ETag == listed.ETag && !entry.Hash.empty()) {
        scan.Items.emplace(entry.Uid, FromStatus(entry));
        continue;
      }
    }
    toFetch.push_back(listed.Href);
    listedETags[listed.Href] = listed.ETag;
  }
  FetchInBatches(scan, server, codec, status, toFetch, listedETags, [&progress](double done) {
    if (progress) progress(0.1 + 0.9 * done);
  });
  if (scan.Listing.Full) return scan;
  // An incremental listing names only what changed: the other items are as the last sync left
  // them.
  const std::set<std::string> named(scan.Listing.Removed.begin(), scan.Listing.Removed.end());
  for (const auto& [uid, entry] : status.Entries()) {
    // An entry that was never synced (a write under way left it) says nothing of the server.
    if (entry.Hash.empty() || named.count(entry.Href) || listedETags.count(entry.Href) || scan.LeftAlone.count(uid))
      continue;
    scan.Items.try_emplace(uid, FromStatus(entry));
  }
  return scan;
}

void FetchInto(TSyncRemoteScan& scan, TSyncServer& server, const TSyncItemCodec& codec, const TSyncStatusTable& status,
               const std::vector<std::string>& hrefs) {
  const std::set<std::string> fetched(hrefs.begin(), hrefs.end());
  std::erase_if(scan.Items, [&fetched](const auto& item) { return fetched.count(item.second.Href) > 0; });
  FetchInBatches(scan, server, codec, status, hrefs, {}, {});
}
