#pragma once

#include <functional>
#include <string>

#include "interop/ical/ical_item.h"
#include "platform/file_writer.h"
#include "store/planner_files.h"
#include "store/uid_table.h"

// Where an import or export works: a program folder's data folder, the services its store needs,
// and which of the folder's resources is meant.
struct TVpExchangeTarget {
  std::string DataFolder;
  TVpStoreServices Services;
  // The resource among the store's to import into or export from; nullptr when the folder has none
  // (an import then makes "KORET", as the organizer's first start does). Raising refuses the work.
  std::function<TVpResource*(TVpFlexDataStore& store)> ChooseResource;
};

// How far an import has come, from 0 to 1, for a progress bar.
using TVpExchangeProgress = std::function<void(double fraction)>;

// The chosen resource (see TVpExchangeTarget); with none in the folder a new "KORET", posted.
TVpResource* ResourceToWriteInto(TVpFlexDataStore& store, const std::function<TVpResource*(TVpFlexDataStore&)>& choose);

// The planner files of the target's data folder with its UID table, connected, the store loading
// every event of the active resource (not just a window of days).
class TVpExchangeSession {
 public:
  TVpExchangeSession(const TVpExchangeTarget& target, TFileWriter& writer);
  ~TVpExchangeSession();
  TVpExchangeSession(const TVpExchangeSession&) = delete;
  TVpExchangeSession& operator=(const TVpExchangeSession&) = delete;

  // Runs the change holding the folder's write lock, with every table (the UIDs too) as the files
  // are now and the chosen resource active with all its records; creating: a folder without
  // resources gets "KORET", else nothing is done and the change is not run. Returns the resource.
  TVpResource* WhileWriting(bool creating, const std::function<void(TVpResource& resource)>& change);

  TVpPlannerFiles& Files() { return Files_; }
  TVpFlexDataStore& Store() { return Files_.Store(); }
  TVpUidTable& Uids() { return Uids_; }

 private:
  const TVpExchangeTarget& Target_;
  TVpPlannerFiles Files_;
  TVpUidTable Uids_;
};

// The number (0 to 9) of the event category with the name, letter case aside; -1 for none.
int CategoryNamed(const TVpCategoryColorMap& categories, const std::string& name);

// The event or task as calendar files carry it: with its UID (a new one stored when it had none;
// a changed occurrence's is its series') and the name of its category.
TIcalEvent IcalEventOf(TVpExchangeSession& session, const TVpEvent& event);
TIcalTask IcalTaskOf(TVpExchangeSession& session, const TVpTask& task);
