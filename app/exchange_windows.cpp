#include "app/exchange_windows.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QProgressDialog>
#include <ctime>

#include "interop/exchange/export_command.h"
#include "interop/exchange/import_command.h"
#include "model/day_number.h"
#include "platform/qt/qt_text.h"

namespace {

TVpExchangeTarget TargetFor(const std::string& dataFolder, TQtDesktop& desktop, const std::string& resource) {
  return {dataFolder, desktop.StoreServices(),
          [resource](TVpFlexDataStore& store) { return store.Resources().FindResourceByName(resource); }};
}

}  // namespace

std::string TExchangeWindows::Import(const std::string& resource, std::vector<TVpRowChange>& rows) {
  const QString file = QFileDialog::getOpenFileName(&Owner_, "Import", {},
                                                    "Calendar and Address Book Files (*.ics *.ifb *.vcf *.vcard);;"
                                                    "All Files (*)");
  if (file.isEmpty()) return "";
  QProgressDialog progress("Importing " + file + "...", {}, 0, 100, &Owner_);
  progress.setWindowTitle("Import");
  progress.setWindowModality(Qt::WindowModal);
  progress.setMinimumDuration(300);
  const TVpImportSummary summary = ImportFile(
      TargetFor(DataFolder_, Desktop_, resource), Desktop_.Writer, FromQt(file),
      [&progress](double fraction) {
        progress.setValue(static_cast<int>(fraction * 100));
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
      },
      &rows);
  progress.reset();
  // The counts in the box; what was changed or left out item by item in its details.
  QMessageBox box(QMessageBox::Information, "Import", ToQt(summary.CountsText()), QMessageBox::Ok, &Owner_);
  box.setDetailedText(ToQt(summary.NotesText()));
  box.exec();
  return "Import " + FromQt(QFileInfo(file).fileName());
}

void TExchangeWindows::Export(const std::string& resource) {
  const QStringList kinds{"Events and Tasks (iCalendar, .ics)", "Contacts (vCard, .vcf)"};
  bool chosen = false;
  const QString kind =
      QInputDialog::getItem(&Owner_, "Export", "Export of " + ToQt(resource) + ":", kinds, 0, false, &chosen);
  if (!chosen) return;
  const bool calendar = kind == kinds[0];
  const QString file = QFileDialog::getSaveFileName(&Owner_, "Export", ToQt(resource) + (calendar ? ".ics" : ".vcf"),
                                                    calendar ? "Calendar Files (*.ics)" : "Address Book Files (*.vcf)");
  if (file.isEmpty()) return;
  const TVpExchangeTarget target = TargetFor(DataFolder_, Desktop_, resource);
  const TVpExportSummary summary = calendar
                                       ? ExportIcalFile(target, Desktop_.Writer, FromQt(file), {}, std::time(nullptr))
                                       : ExportVCardFile(target, Desktop_.Writer, FromQt(file));
  const QString counts = calendar ? QString("%1 events and %2 tasks").arg(summary.Events).arg(summary.Tasks)
                                  : QString("%1 contacts").arg(summary.Contacts);
  QMessageBox::information(&Owner_, "Export", counts + " of " + ToQt(summary.Resource) + " written to " + file + ".");
}
