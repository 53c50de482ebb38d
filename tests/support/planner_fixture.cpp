#include "tests/support/planner_fixture.h"

#include <filesystem>

#include "store/table_schemas.h"

void TFakeDialogs::ShowReminder(TVpCustomDataStore& store, TVpEvent& event) {
  Reminders.push_back(event.Description());
  if (RunReminder) return RunReminder(store, event);
  event.SetAlertDisplayed(true);
  if (WhileShown) WhileShown(store, event);
}

bool TFakeDialogs::EditEvent(TVpCustomDataStore&, TVpEvent& event, bool twelveHour) {
  EditedEvents.push_back(event.Description());
  return EditEventAnswer ? EditEventAnswer(event, twelveHour) : false;
}

TPlannerFixture::TPlannerFixture() {
  Clock.Set(At(2024, 5, 10, 9, 0));
  std::filesystem::create_directory(DataFolder());
  Files = std::make_unique<TVpPlannerFiles>(TVpStoreServices{Clock, Timers, Sound, Poster, MessageBoxes, Dialogs},
                                            Writer, &Window);
  Files->SetDataFolder(DataFolder());
}

void TPlannerFixture::CreateTables() {
  TAtomicFileWriter writer;
  CreateMissingTables(DataFolder(), writer);
}

void TPlannerFixture::WriteRows(const std::string& tableName, const char* file, const std::vector<std::string>& rows) {
  std::string text = EmptyTableText(tableName);
  std::string rowText;
  for (const std::string& row : rows) rowText += "<ROW " + row + "/>";
  const std::string marker = "<ROWDATA>";
  const auto at = text.find(marker) + marker.size();
  // An empty counters table has a row of zeros; rows given replace it.
  const auto end = text.find("</ROWDATA>");
  text.replace(at, end - at, rowText);
  TTemporaryFolder::Write(TableFile(file), text);
}

TVpFlexDataStore& TPlannerFixture::Connect() {
  Files->Connect();
  return Files->Store();
}

TVpResource& TPlannerFixture::AddActiveResource(const std::string& description) {
  TVpFlexDataStore& store = Store();
  TVpResource* resource = store.Resources().AddResource(store.GetNextID("Resources"));
  resource->SetDescription(description);
  store.SetActiveResource(resource);
  store.PostResources();
  return *resource;
}
