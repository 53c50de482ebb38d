#include "dialogs/qt/alarm_notify_form.h"

#include <algorithm>

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "dialogs/qt/named_widget.h"
#include "dialogs/qt/window_placement.h"
#include "platform/qt/command_guard.h"
#include "platform/qt/desktop_notifications.h"
#include "platform/qt/qt_canvas.h"
#include "platform/qt/qt_text.h"

namespace {

void Paint(QWidget& widget, TColor color) {
  QPalette palette = widget.palette();
  palette.setColor(QPalette::Window, TQtCanvas::QtColor(color));
  widget.setPalette(palette);
  widget.setAutoFillBackground(true);
}

}  // namespace

TAlarmNotifyForm::TAlarmNotifyForm(TVpNotificationRules& form, QWidget* parent) : QDialog(parent), Form_(form) {
  setObjectName("AlarmNotifyForm");
  setWindowTitle(ToQt(Form_.Caption()));
  setWindowFlag(Qt::WindowStaysOnTopHint, true);
  Paint(*this, Form_.BackgroundColor());
  Build();
  BlinkTimer_ = new QTimer(this);
  connect(BlinkTimer_, &QTimer::timeout, this, &TAlarmNotifyForm::Blink);
  BlinkTimer_->start(TVpNotificationRules::kBlinkMs);
}

void TAlarmNotifyForm::Build() {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 8);
  PnlClr_ = Named(new QWidget(this), "pnlClr");
  PnlClr_->setFixedHeight(9);
  Paint(*PnlClr_, Form_.StripColor());
  layout->addWidget(PnlClr_);

  auto* grid = new QGridLayout;
  grid->setContentsMargins(8, 4, 8, 0);
  auto* subject = Named(new QLineEdit(ToQt(Form_.Subject()), this), "SubjectEdit");
  subject->setReadOnly(true);
  auto* subjectCaption = Named(new QLabel("Subject:", this), "SubjectCaption");
  grid->addWidget(subjectCaption, 0, 0);
  grid->addWidget(subject, 0, 1);
  // The event's day and times, which the caption may not show whole.
  auto* when = Named(new QLabel(ToQt(Form_.When()), this), "WhenText");
  when->setWordWrap(true);
  when->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* whenCaption = Named(new QLabel("When:", this), "WhenCaption");
  grid->addWidget(whenCaption, 1, 0, Qt::AlignTop);
  grid->addWidget(when, 1, 1);
  auto* notes = Named(new QPlainTextEdit(ToQt(Form_.Notes()), this), "NotesMemo");
  notes->setReadOnly(true);
  notes->setTabChangesFocus(true);
  grid->addWidget(Named(new QLabel("Notes:", this), "NotesCaption"), 2, 0, Qt::AlignTop);
  grid->addWidget(notes, 2, 1);
  layout->addLayout(grid, 1);

  auto* snooze = new QVBoxLayout;
  snooze->setContentsMargins(8, 0, 8, 0);
  auto* caption = Named(new QLabel("Click &Snooze to be reminded again in:", this), "SnoozeCaption");
  snooze->addWidget(caption);
  SnoozeCombo_ = Named(new QComboBox(this), "SnoozeCombo");
  caption->setBuddy(SnoozeCombo_);
  for (const TVpSnoozeDelay& delay : TVpNotificationRules::SnoozeDelays()) SnoozeCombo_->addItem(delay.Text);
  SnoozeCombo_->setCurrentIndex(Form_.SnoozeIndex());
  connect(SnoozeCombo_, &QComboBox::currentIndexChanged, this,
          [this](int index) { GuardedCall([&] { Form_.SelectSnooze(index); }); });
  snooze->addWidget(SnoozeCombo_);
  layout->addLayout(snooze);

  auto* buttons = new QHBoxLayout;
  buttons->setContentsMargins(8, 0, 8, 0);
  const struct {
    const char* Caption;
    const char* Name;
    TVpReminderAnswer Answer;
  } answers[] = {{"&Dismiss", "DismissBtn", raDismiss},
                 {"&Snooze", "SnoozeBtn", raSnooze},
                 {"&Open Item", "OpenItemBtn", raOpenItem}};
  for (const auto& answer : answers) {
    auto* button = Named(new QPushButton(answer.Caption, this), answer.Name);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, a = answer.Answer] { Give(a); });
    buttons->addWidget(button);
    if (answer.Answer == raOpenItem) button->setFocus();
  }
  layout->addLayout(buttons);
  // The designed size, taller by what the day and times need at the desktop's font.
  constexpr int kWidth = 292, kHeight = 236;
  const int captions = std::max(subjectCaption->sizeHint().width(), whenCaption->sizeHint().width());
  const int whenWidth = kWidth - 16 - std::max(grid->horizontalSpacing(), 0) - captions;
  setFixedSize(kWidth, kHeight + when->heightForWidth(std::max(whenWidth, 1)) + std::max(grid->verticalSpacing(), 0));
}

void TAlarmNotifyForm::Blink() {
  if (Form_.AnsweredElsewhere && Form_.AnsweredElsewhere()) return Give(raClosed);
  Form_.Blink();
  Paint(*PnlClr_, Form_.StripColor());
}

void TAlarmNotifyForm::AnswerFromNotification(const QString& actionKey) {
  if (actionKey == "snooze") {
    SnoozeCombo_->setCurrentIndex(0);  // "5 Minutes"
    Give(raSnooze);
  } else if (actionKey == "dismiss") {
    Give(raDismiss);
  } else if (actionKey == "default") {
    Give(raOpenItem);
  }
}

void TAlarmNotifyForm::Give(TVpReminderAnswer answer) {
  Answer_ = answer;
  accept();
}

void TAlarmNotifyForm::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    Give(raSnooze);
    return;
  }
  QDialog::keyPressEvent(event);
}

TVpReminderAnswer TQtReminderWindow::Show(TVpNotificationRules& form, const TVpDialogPlacement& placement) {
  TAlarmNotifyForm window(form);
  ApplyPlacement(window, placement, 0);
  window.setWindowModality(Qt::ApplicationModal);
  window.show();
  window.raise();
  window.activateWindow();
  quint64 notice = 0;
  if (Notifications_ != nullptr) {
    const std::string body = form.When() + (form.Location().empty() ? "" : "\n" + form.Location());
    notice = Notifications_->Show({ToQt(form.Subject().empty() ? form.Caption() : form.Subject()),
                                   ToQt(body),
                                   "koret",
                                   {"snooze", "Snooze 5 minutes", "dismiss", "Dismiss", "default", "Open"},
                                   form.Overdue()},
                                  [&window](const QString& key) { window.AnswerFromNotification(key); });
  }
  window.exec();
  if (notice != 0) Notifications_->Close(notice);
  return window.Answer();
}
