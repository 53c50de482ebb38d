#pragma once

#include <string>
#include <vector>

#include "sync/sync_codec.h"

// The bodies of the WebDAV requests the transport sends (PROPFIND and REPORT), UTF-8 XML.

// PROPFIND (Depth 0): the user's principal.
std::string DavPrincipalRequest();
// PROPFIND (Depth 0) on the principal: its calendar and address-book homes.
std::string DavHomesRequest();
// PROPFIND (Depth 1) on a home: its collections with their kind, name and the components a
// calendar takes.
std::string DavCollectionsRequest();
// PROPFIND (Depth 1) on a collection: the ETag of every member.
std::string DavETagsRequest();
// REPORT sync-collection (Depth 0 as the report defines): the members changed or removed since
// the token (all of them for an empty token) with their ETags.
std::string DavSyncCollectionRequest(const std::string& token);
// REPORT calendar-multiget or addressbook-multiget (after the kind): the texts and ETags of the
// members at the hrefs (paths from the host).
std::string DavMultigetRequest(TSyncItemKind kind, const std::vector<std::string>& hrefs);
