#include "app/secondary_windows.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

#include "app/program.h"
#include "build_id.h"

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
  setObjectName("AboutBox");
  setWindowTitle(QString("About ") + kProgramTitle);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QString("<b>") + kProgramTitle + "</b>", this));
  layout->addWidget(new QLabel(QString("Version ") + kProgramVersion + ", build " + kProgramBuild, this));
  layout->addWidget(new QLabel("Calendar, tasks and contacts, kept in plain files of your own.", this));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  layout->addWidget(buttons);
}
