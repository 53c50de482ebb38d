#pragma once

#include <string>
#include <string_view>

#include "sync/sync_server.h"

// What the answer to a PROPFIND (Depth 0) of a collection's resource type and component set
// (DavCollectionsRequest) says is at the URL: nothing (404 or 410, also as the status of the
// URL's own response inside a multistatus), a single item, a plain folder, a calendar with the
// components it takes, or an address book. False when the answer says none of that (another
// status, or a multistatus that does not describe the URL): the caller reports the answer as it
// is.
bool ReadDavCollectionInfo(int status, std::string_view body, const std::string& url, TSyncCollectionInfo& info);
