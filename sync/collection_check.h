#pragma once

#include <string>

#include "sync/sync_codec.h"
#include "sync/sync_server.h"

// What of the organizer's side a collection that passed the check takes.
struct TSyncCollectionFit {
  // A calendar whose server names the components it takes and leaves out tasks: the resource's
  // tasks stay out of the sync (events still sync).
  bool TakesTasks = true;
};

// Checks, before anything is listed, that the collection at the URL is the kind the sync needs:
// it exists, and it is a calendar that takes events (for the resource's events and tasks) or an
// address book (for its contacts). Otherwise raises ESyncError naming the URL and what is there
// instead ("https://dav.example.org/alice/ is not a calendar (it is a plain folder)."), so that a
// missing or wrong collection is never read as an empty one.
TSyncCollectionFit CheckSyncCollection(const TSyncCollectionInfo& info, const std::string& url,
                                       TSyncCollectionKind expected);
