#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "sync/sync_engine.h"
#include "tests/support/recording_file_writer.h"
#include "tests/support/temporary_folder.h"
#include "tests/sync/fake_sync_server.h"
#include "tests/sync/fake_sync_side.h"

// File replacements that skip flushing to disk: the many syncs of a test need no crash safety.
struct TUnflushedCalls : TFileSystemCalls {
  int Fsync(int) override { return 0; }
};

// Both sides of a collection, the status file in a temporary folder, and a sync between them.
struct TSyncFixture {
  TSyncFixture() { Writer.UseCalls(Calls); }

  TTemporaryFolder Folder;
  TUnflushedCalls Calls;
  TRecordingFileWriter Writer;
  TFakeSyncServer Server;
  TFakeSyncLocal Local;
  TFakeSyncCodec Codec;
  TSyncOptions Options;

  std::string StatusFile() const { return Folder.File("status.xml"); }
  TSyncSummary Sync() { return SyncCollection(Server, Local, Codec, StatusFile(), Writer, Options); }
  // An item made on the server by another client, at the href the engine would choose.
  void PutThere(const std::string& uid, const std::string& summary, const std::string& other = "") {
    Server.Put(Server.HrefFor(uid), FakeItem(uid, summary, other));
  }
  // Each side's items as "UID|SUMMARY", sorted.
  std::vector<std::string> Here() const { return Contents(Local.Records); }
  std::vector<std::string> There() const { return Contents(Server.Items); }

 private:
  template <class TMap>
  static std::vector<std::string> Contents(const TMap& items) {
    std::vector<std::string> contents;
    for (const auto& [key, item] : items) {
      const std::string& text = TextOf(item);
      contents.push_back(FakeField(text, "UID") + "|" + FakeField(text, "SUMMARY"));
    }
    std::sort(contents.begin(), contents.end());
    return contents;
  }
  static const std::string& TextOf(const std::string& text) { return text; }
  static const std::string& TextOf(const TFakeSyncServer::TItem& item) { return item.Text; }
};
