#include "sync/sync_decision.h"

#include "sync/sync_sides.h"
#include "sync/sync_status_table.h"

TSyncAction DecideSync(const std::optional<std::string>& lastHash, const TSyncSide& ours, const TSyncSide& theirs) {
  if (ours.Present && theirs.Present) {
    if (ours.Hash == theirs.Hash) return saInSync;
    if (!lastHash) return saConflict;
    const bool oursChanged = ours.Hash != *lastHash;
    const bool theirsChanged = theirs.Hash != *lastHash;
    if (oursChanged && theirsChanged) return saConflict;
    return oursChanged ? saUpload : saDownload;
  }
  if (ours.Present) return !lastHash || ours.Hash != *lastHash ? saCreateThere : saDeleteHere;
  if (theirs.Present) return !lastHash || theirs.Hash != *lastHash ? saCreateHere : saDeleteThere;
  return saForget;
}

TSyncAction DecideSync(const TSyncStatusEntry* entry, const TSyncItemState& item) {
  const auto side = [](const auto& present) { return present ? TSyncSide{true, present->Digest.Hash} : TSyncSide{}; };
  return DecideSync(entry ? std::optional(entry->Hash) : std::nullopt, side(item.Ours), side(item.Theirs));
}
