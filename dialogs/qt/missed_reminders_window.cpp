#include "dialogs/qt/missed_reminders_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/qt/named_widget.h"
#include "dialogs/reminder/notification_rules.h"
#include "model/event.h"
#include "model/reminder.h"
#include "model/resource.h"
#include "model/schedule.h"
#include "platform/qt/command_guard.h"
#include "platform/qt/qt_text.h"
#include "store/data_store.h"

TMissedRemindersWindow::TMissedRemindersWindow(TVpCustomDataStore& store, std::vector<int> recordIDs,
                                               const TLocale& locale, bool twelveHour, QWidget* parent)
    : QDialog(parent), Store_(store), RecordIDs_(std::move(recordIDs)), Locale_(locale), TwelveHour_(twelveHour) {
  setObjectName("MissedRemindersForm");
  setWindowFlag(Qt::WindowStaysOnTopHint, true);
  auto* layout = new QVBoxLayout(this);
  List_ = Named(new QListWidget(this), "MissedList");
  auto* caption = Named(new QLabel("&Reminders that fell due:", this), "MissedCaption");
  caption->setBuddy(List_);
  layout->addWidget(caption);
  layout->addWidget(List_, 1);
  auto* buttons = new QHBoxLayout;
  const struct {
    const char* Caption;
    const char* Name;
    std::function<void()> Action;
  } actions[] = {{"&Open", "OpenBtn", [this] { OpenChosen(); }},
                 {"S&nooze All", "SnoozeAllBtn", [this] { AnswerAll(false); }},
                 {"&Dismiss All", "DismissAllBtn", [this] { AnswerAll(true); }},
                 {"&Close", "CloseBtn", [this] { reject(); }}};
  for (const auto& action : actions) {
    auto* button = Named(new QPushButton(action.Caption, this), action.Name);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [run = action.Action] { GuardedCall(run); });
    buttons->addWidget(button);
  }
  layout->addLayout(buttons);
  connect(List_, &QListWidget::itemActivated, this, [this] { GuardedCall([this] { OpenChosen(); }); });
  resize(420, 300);
  Fill();
  List_->setCurrentRow(0);
  List_->setFocus();
}

TVpEvent* TMissedRemindersWindow::Find(int recordID) const {
  TVpResource* resource = Store_.ActiveResource();
  if (resource == nullptr) return nullptr;
  for (int i = 0; i < resource->Schedule().Count(); ++i)
    if (resource->Schedule().Items(i)->RecordID() == recordID) return resource->Schedule().Items(i);
  return nullptr;
}

void TMissedRemindersWindow::Fill() {
  const double now = Store_.Services().Clock.Now();
  std::erase_if(RecordIDs_, [&](int id) {
    const TVpEvent* event = Find(id);
    return event == nullptr || !IsAlarmDue(*event, now);
  });
  if (RecordIDs_.empty()) return accept();
  const int row = std::max(List_->currentRow(), 0);
  List_->clear();
  for (int id : RecordIDs_) {
    const TVpNotificationRules rules(Store_.Services().Clock, Locale_, *Find(id), clInfoBk, TwelveHour_);
    List_->addItem(ToQt(rules.Subject() + "  \u2014  " + rules.Caption()));
  }
  List_->setCurrentRow(std::min(row, List_->count() - 1));
  setWindowTitle(QString("%1 reminders were missed").arg(RecordIDs_.size()));
}

void TMissedRemindersWindow::OpenChosen() {
  const int row = List_->currentRow();
  if (row < 0 || row >= static_cast<int>(RecordIDs_.size())) return;
  if (TVpEvent* event = Find(RecordIDs_[static_cast<size_t>(row)])) Store_.ShowAlarm(*event);
  Fill();
}

void TMissedRemindersWindow::AnswerAll(bool dismiss) {
  for (int id : RecordIDs_) {
    TVpEvent* event = Find(id);
    if (event == nullptr) continue;
    const TVpNotificationRules rules(Store_.Services().Clock, Locale_, *event, clInfoBk, TwelveHour_);
    rules.Apply(dismiss ? raDismiss : raSnooze, *event);  // snoozed by the first delay, five minutes
  }
  Store_.PostEvents();
  Fill();
}
