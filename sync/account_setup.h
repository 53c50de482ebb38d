#pragma once

#include <string>

#include "platform/file_writer.h"
#include "sync/sync_account.h"

// Stores the resource's account as set up or changed by the user. The status table of a
// collection the account no longer names (another URL, or none) is removed with it: it describes
// another collection, whose items the next sync would otherwise take for deleted on the server.
// Without a status table the next sync pairs the items of both sides by UID.
void StoreSyncAccountSetUp(const std::string& dataFolder, TFileWriter& writer, const TSyncAccount& account);
