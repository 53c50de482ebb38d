#include "platform/qt/qt_message_boxes.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>

#include "platform/error_text.h"
#include "platform/qt/qt_text.h"

namespace {

bool gClosedForExit = false;

// The answer of a box closed without a button: Escape or the close box.
TMessageResult Unanswered(TMessageButtons buttons) { return buttons == mbYesNo ? mrNo : mrCancel; }

}  // namespace

void TQtMessageBoxes::CloseAllForExit() {
  gClosedForExit = true;
  for (QWidget* window : QApplication::topLevelWidgets())
    if (auto* box = qobject_cast<QMessageBox*>(window); box != nullptr && box->isVisible())
      box->done(QMessageBox::Cancel);
}

TMessageResult TQtMessageBoxes::Show(const std::string& text, TMessageKind kind, TMessageButtons buttons) {
  if (kind == mkError) std::fprintf(stderr, "koret: %s\n", OneLine(text).c_str());
  if (gClosedForExit) return Unanswered(buttons);
  QMessageBox box(QApplication::activeWindow());
  box.setWindowTitle(QApplication::applicationName());
  box.setText(ToQt(text));
  switch (kind) {
    case mkInformation: box.setIcon(QMessageBox::Information); break;
    case mkWarning: box.setIcon(QMessageBox::Warning); break;
    case mkError: box.setIcon(QMessageBox::Critical); break;
    case mkConfirmation: box.setIcon(QMessageBox::Question); break;
  }
  switch (buttons) {
    case mbOK: box.setStandardButtons(QMessageBox::Ok); break;
    case mbOKCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case mbYesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case mbYesNoCancel: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel); break;
  }
  switch (box.exec()) {
    case QMessageBox::Ok: return mrOk;
    case QMessageBox::Yes: return mrYes;
    case QMessageBox::No: return mrNo;
    default: return Unanswered(buttons);
  }
}
