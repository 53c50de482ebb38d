#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "sync/sync_server.h"
#include "sync/sync_sides.h"
#include "sync/sync_status_table.h"

// What the server holds of a collection, by UID.
struct TSyncRemoteScan {
  TSyncListing Listing;
  std::map<std::string, TSyncTheirs> Items;
  // Items synced before that are left alone this time: their text can no longer be read.
  std::set<std::string> LeftAlone;
  // The items left out, each with the reason.
  std::vector<std::string> Skipped;
};

// Lists the collection since the status table's token and fetches, in batches, every item that is
// new or whose ETag changed (every listed item when the server gives no ETags); an item listed
// with the ETag it was synced with is taken from the status table unfetched, as is an item an
// incremental listing does not name. An item found at another href than its status entry's has
// moved there. progress goes from 0 to 1.
TSyncRemoteScan ScanServer(TSyncServer& server, const TSyncItemCodec& codec, const TSyncStatusTable& status,
                           const std::function<void(double)>& progress);

// Fetches the items at the hrefs into the scan's Items (by UID), for items whose write found them
// changed meanwhile.
void FetchInto(TSyncRemoteScan& scan, TSyncServer& server, const TSyncItemCodec& codec, const TSyncStatusTable& status,
               const std::vector<std::string>& hrefs);
