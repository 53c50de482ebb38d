#pragma once

#include <QWidget>
#include <string>
#include <vector>

#include "app/desktop_services.h"
#include "store/row_change.h"

// File > "Import..." and File > "Export...": the file choosers, the progress and the summary around
// importing a calendar or address-book file into a resource of the program folder's data, and
// exporting a resource's events and tasks or contacts. Both work on the files as a second writer
// (under the folder's lock); the main window's store then takes the changed tables.
class TExchangeWindows {
 public:
  TExchangeWindows(QWidget& owner, TQtDesktop& desktop, std::string dataFolder)
      : Owner_(owner), Desktop_(desktop), DataFolder_(std::move(dataFolder)) {}

  // Asks for the file, imports it into the resource of that description with a progress window,
  // and shows the summary. Returns the name of the step the import is for the change history
  // ("Import dentist.ics"), with the rows it changed in rows; "" when no file was chosen. Failures
  // raise, naming the file.
  std::string Import(const std::string& resource, std::vector<TVpRowChange>& rows);
  // Asks what to export and where, writes the file and says what it holds.
  void Export(const std::string& resource);

 private:
  QWidget& Owner_;
  TQtDesktop& Desktop_;
  std::string DataFolder_;
};
