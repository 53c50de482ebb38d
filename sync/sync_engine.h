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
  // What else the user should know of this sync (a calendar that takes no tasks, ...).
  std::vector<std::string> Notes;
  // The sync stopped before deleting many items on one side and the user said no; nothing was
  // changed.
  bool StoppedBeforeMassDeletion = false;
};

struct TSyncOptions {
  TSyncConflictPolicy Policy = scpKeepBoth;
  // Asked before a sync would delete many items on one side because the other side lost them since
  // the last sync: all of them (an emptied folder), or more than half of the side's items and more
  // than a handful. The text says which side and how many items; true goes on, false stops
  // without changing anything.
  std::function<bool(const std::string& question)> ConfirmMassDeletion;
  // Restores the server from here: an item here that the server lost since the last sync goes up
  // again as a new item instead of being deleted here (the way back after a mass deletion was
  // refused).
  bool RestoreServer = false;
  // How far the sync has come, from 0 to 1.
  std::function<void(double fraction)> Progress;
};

// Syncs one collection with the organizer's side, three ways against the status table kept in
// statusFile (a data-packet file in the data folder): per item its UID, href, ETag, RecordID, the
// hash of its content at the last sync and the server's last text, and the collection's sync
// token. First the collection is checked to be the kind the codec reads (a missing or wrong one
// raises ESyncError and nothing changes). Every write to either side is recorded in the status
// table before it is made and its outcome after, so a sync interrupted at any point resumes
// without duplicates, lost items or deletions undone; a sync right after a sync changes nothing.
// Raises ESyncError when the server fails (what was done until then stays recorded).
TSyncSummary SyncCollection(TSyncServer& server, TSyncLocal& local, const TSyncItemCodec& codec,
                            const std::string& statusFile, TFileWriter& writer, const TSyncOptions& options);
