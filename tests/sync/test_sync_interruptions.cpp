#include <gtest/gtest.h>

#include <functional>
#include <iostream>
#include <map>
#include <optional>
#include <random>
#include <set>

#include "tests/sync/sync_fixture.h"

// Syncs failed or killed at every kind of step (a status write, a flush here, a write to the
// server before and after it is stored), then changes on both sides, then a complete sync: both
// sides must end as the three-way rule says from what the sides agreed on, with no deletion
// undone, no duplicate and no conflict copy without a conflict.

namespace {

// A kill: nothing after it reaches a file or the server. Not an exception of the program's, so
// nothing in the sync can take it for an error and go on.
struct TKilled {};

// The faults of one sync: its step with the number At fails once (an error the sync sees and
// reports), or kills the process there.
struct TFaults {
  int Steps = 0;
  int At = 0;  // 0: none
  bool Kill = false;
  bool Dead = false;
  bool Injected = false;

  void operator()(const char* step) {
    if (Dead) throw TKilled{};
    if (++Steps != At) return;
    Injected = true;
    Dead = Kill;
    if (Kill) throw TKilled{};
    throw ESyncError(std::string("Injected failure at the step \"") + step + "\".");
  }
};

// Status writes that meet the faults first.
class TFaultyWriter : public TFileWriter {
 public:
  TFaultyWriter(TFileWriter& real, TFaults& faults) : Real_(real), Faults_(faults) {}
  using TFileWriter::ReplaceFile;
  void ReplaceFile(const std::string& path, std::string_view contents, TFileAccess access) override {
    Faults_("status write");
    Real_.ReplaceFile(path, contents, access);
  }

 private:
  TFileWriter& Real_;
  TFaults& Faults_;
};

using TSide = std::map<std::string, std::string>;  // UID -> SUMMARY
using TItem = std::optional<std::string>;

TSide SideOf(const std::vector<std::string>& items) {
  TSide side;
  for (const std::string& item : items) side[item.substr(0, item.find('|'))] = item.substr(item.find('|') + 1);
  return side;
}

TItem At(const TSide& side, const std::string& uid) {
  const auto found = side.find(uid);
  return found == side.end() ? TItem() : TItem(found->second);
}

// The item's outcome of a sync from what both sides last agreed on and what each holds now: a
// change beats no change and a deletion; of two changes ours stays (the server's becomes a copy).
TItem ThreeWay(const TItem& agreed, const TItem& ours, const TItem& theirs) {
  if (ours == theirs || ours == agreed) return theirs;
  if (theirs == agreed || !theirs) return ours;
  return ours ? ours : theirs;
}

// Whether both sides changed the item differently since they agreed: its server version may come
// as a copy.
bool IsConflict(const TItem& agreed, const TItem& ours, const TItem& theirs) {
  return ours && theirs && ours != theirs && ours != agreed && theirs != agreed;
}

class TInterruptedSyncs {
 public:
  TInterruptedSyncs(unsigned seed, const std::function<void(TFakeSyncServer&)>& server) : Random_(seed) {
    server(Sync_.Server);
    Sync_.Options.ConfirmMassDeletion = [](const std::string&) { return true; };
    Sync_.Server.Step = [this](const char* step) { Faults_(step); };
    Sync_.Local.Step = [this](const char* step) { Faults_(step); };
  }

  // One round: changes on both sides, a sync that fails or is killed at a random step, changes
  // on both sides again (to items the failed sync did not write on that side), a complete sync.
  void Round(int round) {
    const TSide agreed = Here();
    EXPECT_EQ(agreed, There());
    Change(round, "a", {}, {});
    const TSide before[2] = {Here(), There()};
    Faults_ = {0, 1 + Pick(8), Pick(2) == 0};
    try {
      SyncCollection(Sync_.Server, Sync_.Local, Sync_.Codec, Sync_.StatusFile(), FaultyWriter_, Sync_.Options);
    } catch (const TKilled&) {
    } catch (const ESyncError&) {}
    Interruptions += Faults_.Injected ? 1 : 0;
    Faults_ = {};
    Sync_.Local.Restart();
    const TSide after[2] = {Here(), There()};
    // The server versions of conflicts the interrupted sync copied here, by the item they copy.
    TSide copied;
    for (const auto& [id, record] : Sync_.Local.Records)
      if (const std::string of = FakeField(record, "X-COPY-OF");
          !of.empty() && !before[0].count(FakeField(record, "UID")))
        copied[of] = FakeField(record, "SUMMARY").substr(std::string("(server) ").size());
    Change(round, "b", before, after);
    const TSide now[2] = {Here(), There()};
    Sync_.Sync();
    Check(agreed, before, after, copied, now);
  }

  int Interruptions = 0;

 private:
  int Pick(int n) { return static_cast<int>(Random_() % static_cast<unsigned>(n)); }
  TSide Here() const { return SideOf(Sync_.Here()); }
  TSide There() const { return SideOf(Sync_.There()); }

  std::string HrefOf(const std::string& uid) const {
    for (const auto& [href, item] : Sync_.Server.Items)
      if (FakeField(item.Text, "UID") == uid) return href;
    return {};
  }

  // A few creates, edits and deletes on either side. With before and after given, only items the
  // interrupted sync left as they were on that side are changed: a change to an item on the very
  // side an interrupted write touched cannot be told from that write never having happened.
  void Change(int round, const std::string& phase, const TSide* before, const TSide* after) {
    for (int n = Pick(5); n > 0; --n) {
      const int side = Pick(2);
      const std::string summary = "r" + std::to_string(round) + phase + std::to_string(n);
      std::vector<std::string> candidates;
      for (const auto& [uid, text] : side == 0 ? Here() : There())
        if (!after || At(before[side], uid) == At(after[side], uid)) candidates.push_back(uid);
      const int action = Pick(3);
      if (action == 0 || candidates.empty()) {
        const std::string uid = "u" + summary;
        if (side == 0) Sync_.Local.Put(FakeItem(uid, summary));
        else Sync_.PutThere(uid, summary);
        continue;
      }
      const std::string uid = candidates[static_cast<size_t>(Pick(static_cast<int>(candidates.size())))];
      if (action == 1 && side == 0) Sync_.Local.Put(FakeItem(uid, summary));
      if (action == 1 && side == 1) Sync_.Server.Put(HrefOf(uid), FakeItem(uid, summary));
      if (action == 2 && side == 0) Sync_.Local.Delete(uid);
      if (action == 2 && side == 1) Sync_.Server.Delete(HrefOf(uid));
    }
  }

  // What both sides agreed on for the item once the interrupted sync ended: what they both hold;
  // the server version it copied here where it made a copy of a conflict; else what they agreed
  // on before.
  static TItem AgreedAfter(const std::string& uid, const TSide& agreed, const TSide* after, const TSide& copied) {
    if (At(after[0], uid) == At(after[1], uid)) return At(after[0], uid);
    if (const TItem copy = At(copied, uid)) return copy;
    return At(agreed, uid);
  }

  void Check(const TSide& agreed, const TSide* before, const TSide* after, const TSide& copied, const TSide* now) {
    const TSide final = Here();
    ASSERT_EQ(final, There());
    std::set<std::string> uids, copies;
    for (const TSide* side : {&agreed, &before[0], &before[1], &after[0], &after[1], &now[0], &now[1]})
      for (const auto& [uid, text] : *side) uids.insert(uid);
    for (const std::string& uid : uids) {
      const TItem base = AgreedAfter(uid, agreed, after, copied);
      EXPECT_EQ(At(final, uid), ThreeWay(base, At(now[0], uid), At(now[1], uid)))
          << uid << " agreed " << base.value_or("-") << ", here " << At(now[0], uid).value_or("-") << ", there "
          << At(now[1], uid).value_or("-");
      if (IsConflict(At(agreed, uid), At(before[0], uid), At(before[1], uid)))
        copies.insert("(server) " + *At(before[1], uid));
      if (IsConflict(base, At(now[0], uid), At(now[1], uid))) copies.insert("(server) " + *At(now[1], uid));
    }
    for (const auto& [uid, text] : final)
      EXPECT_TRUE(uids.count(uid) || copies.count(text)) << "a copy without a conflict: " << uid << " " << text;
  }

  std::mt19937 Random_;
  TSyncFixture Sync_;
  TFaults Faults_;
  TFaultyWriter FaultyWriter_{Sync_.Writer, Faults_};
};

TEST(SyncEngine, SyncsInterruptedAtAnyStepResumeWithNothingLostDoubledOrBroughtBack) {
  int interruptions = 0;
  for (unsigned seed = 0; seed < FakeServerKinds().size(); ++seed) {
    SCOPED_TRACE(seed);
    TInterruptedSyncs syncs(seed, FakeServerKinds()[seed]);
    for (int round = 0; round < 120 && !testing::Test::HasFailure(); ++round) {
      SCOPED_TRACE(round);
      syncs.Round(round);
    }
    interruptions += syncs.Interruptions;
  }
  std::cout << interruptions << " syncs failed or killed on the way\n";
  EXPECT_GT(interruptions, 300);
}

}  // namespace
