#include "app/secondary_windows.h"

#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

#include "app/program.h"

TfrmOpt::TfrmOpt(QWidget* parent) : QDialog(parent) {
  setObjectName("frmOpt");
  setWindowTitle("Koret Preferences");
}

TfrmCalendar::TfrmCalendar(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("frmCalendar");
  setWindowTitle("Calendar");
  setMinimumSize(290, 320);
  resize(290, 320);
}

void TfrmCalendar::showEvent(QShowEvent* event) {
  // Shown, the calendar stays above the other windows.
  setWindowFlag(Qt::WindowStaysOnTopHint, true);
  QWidget::showEvent(event);
}

void TfrmCalendar::closeEvent(QCloseEvent* event) {
  event->accept();
  if (OnClosed) OnClosed();
}

void TfrmCalendar::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) close();
  else QWidget::keyPressEvent(event);
}

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
  setObjectName("AboutBox");
  setWindowTitle(QString("About ") + kProgramTitle);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QString("<b>") + kProgramTitle + "</b>", this));
  layout->addWidget(new QLabel(QString("Version ") + kProgramVersion, this));
  layout->addWidget(new QLabel("Calendar, tasks and contacts, kept in plain files of your own.", this));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  layout->addWidget(buttons);
}
