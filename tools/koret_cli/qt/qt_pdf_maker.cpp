#include <QGuiApplication>
#include <memory>
#include <string>

#include "platform/qt/qt_locale.h"
#include "print/qt/qt_print_target.h"
#include "tools/koret_cli/pdf_maker.h"

namespace {

// Qt's fonts and PDF writer need a GUI application. koret-cli makes one only when it prints, on
// the off-screen platform unless the caller chose one, so that printing works without a desktop.
class TGuiForPrinting {
 public:
  TGuiForPrinting() {
    if (QGuiApplication::instance() != nullptr) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    Application_ = std::make_unique<QGuiApplication>(Argc_, Argv_);
  }

 private:
  int Argc_ = 1;
  char Name_[10] = "koret-cli";
  char* Argv_[2] = {Name_, nullptr};
  std::unique_ptr<QGuiApplication> Application_;
};

}  // namespace

TPdfMaker DesktopPdfMaker() {
  auto gui = std::make_shared<std::unique_ptr<TGuiForPrinting>>();
  return [gui](const TPdfJob& job) {
    if (!*gui) *gui = std::make_unique<TGuiForPrinting>();
    TQtPdfTarget target;
    const TQtLocale locale;
    job(target, locale);
    const QByteArray& document = target.Document();
    return std::string(document.constData(), static_cast<size_t>(document.size()));
  };
}
