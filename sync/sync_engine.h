#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/file_writer.h"
#include "sync/sync_codec.h"
#include "sync/sync_local.h"
#include "sync/sync_server.h"

// Which version stays when an item changed on both sides since the last sync.
enum TSyncConflictPolicy {
  scpKeepBoth,    // ours stays; the server's arrives as a second record, marked in its subject
  scpServerWins,  // the server's version replaces ours
  scpOursWins     // ours replaces the server's
};

// One conflict, for the summary.
struct TSyncConflict {
  std::string Uid;
  std::string Subject;     // the item's subject (summary or name) as ours has it
  std::string Resolution;  // what was done: "kept both", "the server's version kept", ...
};

// What one sync of one collection did.
struct TSyncSummary {
  int Uploaded = 0;    // created or changed on the server
  int Downloaded = 0;  // created or changed here
  int DeletedHere = 0;
  int DeletedThere = 0;
  int Unchanged = 0;
  std::vector<TSyncConflict> Conflicts;
  // Items left out, each with the reason (a text the organizer cannot read, ...).
  std::vector<std::string> Skipped;
  // The sync stopped before deleting everything on one side and the user said no.
  bool StoppedBeforeMassDeletion = false;
};

struct TSyncOptions {
  TSyncConflictPolicy Policy = scpKeepBoth;
  // Asked before a sync would delete every item on one side because the other side lost all of
  // its items since the last sync (an emptied folder, a wrong collection). The text says which
  // side and how many items; true goes on, false stops without deleting anything.
  std::function<bool(const std::string& question)> ConfirmMassDeletion;
  // How far the sync has come, from 0 to 1.
  std::function<void(double fraction)> Progress;
};

// Syncs one collection with the organizer's side, three ways against the status table kept in
// statusFile (a data-packet file in the data folder): per item its UID, href, ETag, RecordID, the
// hash of its content at the last sync and the server's last text, and the collection's sync
// token. Each outcome is written to the status table as the sync goes, so an interrupted sync
// resumes without duplicates or lost items; a sync right after a sync changes nothing. Raises
// ESyncError when the server fails (what was done until then stays recorded).
TSyncSummary SyncCollection(TSyncServer& server, TSyncLocal& local, const TSyncItemCodec& codec,
                            const std::string& statusFile, TFileWriter& writer, const TSyncOptions& options);
