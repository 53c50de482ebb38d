#include "sync/sync_local_scan.h"

TSyncLocalScan ScanLocal(TSyncLocal& local, const TSyncItemCodec& codec) {
  TSyncLocalScan scan;
  for (TSyncLocalItem& item : local.Items()) {
    if (scan.LeftAlone.count(item.Uid)) continue;
    TSyncOurs ours{item.RecordID, std::move(item.Text), {}};
    std::string error = "it has no UID";
    if (item.Uid.empty() || !codec.Digest(ours.Text, ours.Digest, error)) {
      scan.Skipped.push_back("The record " + std::to_string(item.RecordID) + " (" + item.Uid +
                             ") cannot be synced: " + error);
      scan.LeftAlone.insert(item.Uid);
      continue;
    }
    ours.Digest.Kind = item.Kind;
    ours.Digest.Uid = item.Uid;
    if (scan.Items.try_emplace(item.Uid, std::move(ours)).second) continue;
    scan.Skipped.push_back("Two records have the UID " + item.Uid + "; neither is synced until one has another UID.");
    scan.LeftAlone.insert(item.Uid);
  }
  for (const std::string& uid : scan.LeftAlone) scan.Items.erase(uid);
  return scan;
}
