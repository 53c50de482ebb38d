#pragma once

#include <optional>
#include <string>

// One side of an item as a sync finds it: present with the hash of its normalised content, or
// absent.
struct TSyncSide {
  bool Present = false;
  std::string Hash;
};

// What a sync does with one item.
enum TSyncAction {
  saInSync,       // both sides hold the same content: only the status entry is brought up to date
  saUpload,       // changed here: the server's item is replaced by ours
  saCreateThere,  // only here (new, or changed here and deleted there): created on the server
  saDownload,     // changed there: our record is replaced by the server's
  saCreateHere,   // only there (new, or changed there and deleted here): created here
  saDeleteHere,   // deleted there and unchanged here
  saDeleteThere,  // deleted here and unchanged there
  saForget,       // deleted on both sides: the status entry goes
  saConflict      // changed differently on both sides: the conflict policy decides
};

// The three-way decision for one item: its status entry's hash from the last sync (none for an
// item never synced), ours and theirs. A change is a change of the hash; a change always beats a
// deletion, and an item on both sides without a status entry is paired by its UID.
TSyncAction DecideSync(const std::optional<std::string>& lastHash, const TSyncSide& ours, const TSyncSide& theirs);

struct TSyncItemState;
struct TSyncStatusEntry;
// The decision for an item as a sync found it on both sides, against its status entry (null for an
// item never synced).
TSyncAction DecideSync(const TSyncStatusEntry* entry, const TSyncItemState& item);
