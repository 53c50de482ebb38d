#pragma once

#include <optional>
#include <string>

#include "sync/sync_codec.h"

// Our side of an item: the organizer's record and its text.
struct TSyncOurs {
  int RecordID = 0;
  std::string Text;
  TSyncItemDigest Digest;
};

// The server's side of an item: where it is and its text.
struct TSyncTheirs {
  std::string Href;
  std::string ETag;  // empty when the server gave none
  std::string Text;
  TSyncItemDigest Digest;
};

// An item of the collection by its UID, as a sync found it on both sides (a side without it is
// empty).
struct TSyncItemState {
  std::string Uid;
  std::optional<TSyncOurs> Ours;
  std::optional<TSyncTheirs> Theirs;
};
