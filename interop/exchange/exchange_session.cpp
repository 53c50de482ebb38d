#include "interop/exchange/exchange_session.h"

#include "platform/ascii_text.h"

TVpResource* ResourceToWriteInto(TVpFlexDataStore& store,
                                 const std::function<TVpResource*(TVpFlexDataStore&)>& choose) {
  if (TVpResource* resource = choose(store)) return resource;
  TVpResource* resource = store.Resources().AddResource(store.GetNextID("Resources"));
  resource->SetDescription("KORET");
  store.SetActiveResource(resource);
  store.PostResources();
  return resource;
}

TVpExchangeSession::TVpExchangeSession(const TVpExchangeTarget& target, TFileWriter& writer)
    : Target_(target), Files_(target.Services, writer), Uids_(writer) {
  Files_.Store().SetEnableEventTimer(false);
  Files_.LoadEveryRecord();
  Files_.SetDataFolder(target.DataFolder);
  Files_.Connect();
  Uids_.Open(target.DataFolder);
}

TVpExchangeSession::~TVpExchangeSession() {
  try {
    Files_.Disconnect();
  } catch (...) {
    // Every change was written when it was made; closing writes nothing more.
  }
}

TVpResource* TVpExchangeSession::WhileWriting(bool creating, const std::function<void(TVpResource&)>& change) {
  TVpResource* chosen = nullptr;
  Files_.WhileWriting([&] {
    Store().ReloadChangedTables();
    Uids_.ReadAgainIfChanged();
    chosen = creating ? ResourceToWriteInto(Store(), Target_.ChooseResource) : Target_.ChooseResource(Store());
    if (chosen == nullptr) return;
    Store().SetActiveResource(chosen);
    change(*chosen);
  });
  return chosen;
}

int CategoryNamed(const TVpCategoryColorMap& categories, const std::string& name) {
  for (int i = 0; i < TVpCategoryColorMap::kCategoryCount; ++i)
    if (SameTextAscii(categories.Description(i), name)) return i;
  return -1;
}

TIcalEvent IcalEventOf(TVpExchangeSession& session, const TVpEvent& event) {
  TIcalEvent item = IcalEventFrom(event);
  // A changed occurrence travels with its series' UID.
  item.Uid = session.Uids().UidGivenTo(tkEvents, event.SeriesID() != 0 ? event.SeriesID() : event.RecordID());
  if (event.Category() != 0) item.CategoryName = session.Store().CategoryColorMap().Description(event.Category());
  return item;
}

TIcalTask IcalTaskOf(TVpExchangeSession& session, const TVpTask& task) {
  TIcalTask item = IcalTaskFrom(task);
  item.Uid = session.Uids().UidGivenTo(tkTasks, task.RecordID());
  if (task.Category() != 0) item.CategoryName = session.Store().CategoryColorMap().Description(task.Category());
  return item;
}
