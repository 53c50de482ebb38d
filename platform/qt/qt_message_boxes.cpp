#include "platform/qt/qt_message_boxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

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

int TQtMessageBoxes::Choose(const std::string& text, const std::vector<std::string>& choices) {
  if (gClosedForExit) return -1;
  QMessageBox box(QApplication::activeWindow());
  box.setWindowTitle(QApplication::applicationName());
  box.setText(ToQt(text));
  box.setIcon(QMessageBox::Question);
  std::vector<QAbstractButton*> buttons;
  for (const std::string& choice : choices)
    buttons.push_back(box.addButton("&" + ToQt(choice), QMessageBox::AcceptRole));
  box.setEscapeButton(box.addButton(QMessageBox::Cancel));
  if (!buttons.empty()) box.setDefaultButton(qobject_cast<QPushButton*>(buttons.front()));
  box.exec();
  for (size_t i = 0; i < buttons.size(); ++i)
    if (box.clickedButton() == buttons[i]) return static_cast<int>(i);
  return -1;
}
