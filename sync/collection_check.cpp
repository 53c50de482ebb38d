#include "sync/collection_check.h"

#include <algorithm>

namespace {

bool Takes(const TSyncCollectionInfo& info, const char* component) {
  return !info.HasComponentSet ||
         std::find(info.Components.begin(), info.Components.end(), component) != info.Components.end();
}

// What is at the address, as the second half of "... is not a calendar (...)".
std::string WhatItIs(const TSyncCollectionInfo& info) {
  switch (info.Type) {
    case sctMissing: return "there is nothing at that address: the collection was removed, or the address is wrong";
    case sctItem: return "it is a single item, not a folder";
    case sctPlainFolder: return "it is a plain folder";
    case sctCalendar:
      if (!Takes(info, "VEVENT"))
        return Takes(info, "VTODO") ? "it holds tasks only" : "it holds neither events nor tasks";
      return "it is a calendar";
    case sctAddressBook: return "it is an address book";
  }
  return "";
}

}  // namespace

TSyncCollectionFit CheckSyncCollection(const TSyncCollectionInfo& info, const std::string& url,
                                       TSyncCollectionKind expected) {
  if (expected == sckAddressBook) {
    if (info.Type != sctAddressBook)
      throw ESyncError(url + " is not an address book (" + WhatItIs(info) + "); nothing was changed.");
    return {};
  }
  if (info.Type != sctCalendar || !Takes(info, "VEVENT")) {
    const char* what = info.Type == sctCalendar ? " is not a calendar of events (" : " is not a calendar (";
    throw ESyncError(url + what + WhatItIs(info) + "); nothing was changed.");
  }
  return {Takes(info, "VTODO")};
}
