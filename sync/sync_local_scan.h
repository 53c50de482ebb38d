#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "sync/sync_local.h"
#include "sync/sync_sides.h"

// What the organizer's side holds of a collection, by UID.
struct TSyncLocalScan {
  std::map<std::string, TSyncOurs> Items;
  // UIDs left alone this time: their record's text cannot be read, or two records have the UID.
  std::set<std::string> LeftAlone;
  std::vector<std::string> Skipped;  // each with the reason
};

TSyncLocalScan ScanLocal(TSyncLocal& local, const TSyncItemCodec& codec);
