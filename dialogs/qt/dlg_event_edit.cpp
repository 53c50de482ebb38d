#include "dialogs/qt/dlg_event_edit.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "dialogs/qt/field_mark.h"
#include "dialogs/qt/named_widget.h"
#include "dialogs/qt/sound_dialog.h"
#include "dialogs/qt/window_placement.h"
#include "dialogs/qt/zone_choice.h"
#include "platform/qt/command_guard.h"
#include "platform/qt/qt_canvas.h"
#include "platform/qt/qt_text.h"
#include "views/qt/date_edit_widget.h"
#include "views/qt/spin_text_edit.h"

namespace {

constexpr const char* kFloatingZone = "Floating (same clock time everywhere)";

// Every control of the window that a rule can enable, show, mark or focus.
constexpr TVpEventControl kControls[] = {
    ecDescription, ecCategory,     ecAllDay,           ecStartDate,   ecStartTime,    ecEndTime,
    ecAlarmSet,    ecAlarmAdvance, ecAlarmAdvanceType, ecSound,       ecRepeat,       ecRepeatUntil,
    ecInterval,    ecNotes,        ecLocation,         ecRepeatRule,  ecTimeZone,     ecEndDate,
    ecRulePanel,   ecRuleInterval, ecRuleWeekdays,     ecRuleMonthly, ecRuleMonthDay, ecRuleMonthWeekday,
    ecRuleCount,   ecExceptions};

// The weekday numbers of the rules (1 Sunday to 7 Saturday) in the locale's week order.
std::vector<int> WeekdaysInLocaleOrder() {
  std::vector<int> weekdays;
  const int first = QLocale().firstDayOfWeek();  // 1 Monday to 7 Sunday
  for (int i = 0; i < 7; ++i) weekdays.push_back((first + i) % 7 + 1);
  return weekdays;
}

// The weekday number of the rules as Qt counts it.
Qt::DayOfWeek QtDayOf(int weekday) { return static_cast<Qt::DayOfWeek>(weekday == 1 ? 7 : weekday - 1); }

// Category swatches: 20 × 14 pixels of the category's colour outlined in black.
QIcon Swatch(TColor color) {
  QPixmap picture(20, 14);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setPen(Qt::black);
  painter.setBrush(TQtCanvas::QtColor(color));
  painter.drawRect(0, 0, picture.width() - 1, picture.height() - 1);
  return QIcon(picture);
}

QStringList QtTexts(const std::vector<std::string>& texts) {
  QStringList list;
  for (const std::string& text : texts) list << ToQt(text);
  return list;
}

// Replaces a list's entries when they differ from the texts.
void SetItems(QComboBox& box, const QStringList& texts) {
  QStringList current;
  for (int i = 0; i < box.count(); ++i) current << box.itemText(i);
  if (current == texts) return;
  box.clear();
  box.addItems(texts);
}

}  // namespace

TDlgEventEdit::TDlgEventEdit(TVpEventEditRules& form, QWidget* parent) : QDialog(parent), Form_(form) {
  setObjectName("DlgEventEdit");
  Build();
  ConnectControls();
  Refresh();
}

// --- building ---

void TDlgEventEdit::Build() {
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  layout->addWidget(BuildAppointment());
  auto* middle = new QHBoxLayout;
  middle->addWidget(BuildReminder());
  middle->addWidget(BuildRecurrence(), 1);
  layout->addLayout(middle);

  auto* notes = Named(new QGroupBox("Notes", this), "TeGroupBox1");
  auto* notesLayout = new QVBoxLayout(notes);
  NotesMemo_ = Named(new QPlainTextEdit(notes), "NotesMemo");
  NotesMemo_->setTabChangesFocus(true);
  NotesMemo_->setFixedHeight(90);
  notesLayout->addWidget(NotesMemo_);
  layout->addWidget(notes);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  OkBtn_ = Named(new QPushButton("OK", this), "OkBtn");
  OkBtn_->setDefault(true);
  CancelBtn_ = Named(new QPushButton("Cancel", this), "CancelBtn");
  // A click on them leaves the focus where it is, so that a date field being typed in is read by
  // OK (and marked when it cannot be) and Cancel is never held up by it.
  for (QPushButton* button : {OkBtn_, CancelBtn_}) {
    button->setFocusPolicy(Qt::TabFocus);
    buttons->addWidget(button);
  }
  layout->addLayout(buttons);
}

QGroupBox* TDlgEventEdit::BuildAppointment() {
  auto* group = Named(new QGroupBox("Appointment", this), "AppointmentGroupBox");
  auto* grid = new QGridLayout(group);
  DescriptionEdit_ = Named(new QLineEdit(group), "DescriptionEdit");
  DescriptionEdit_->setMaxLength(255);
  grid->addWidget(Named(new QLabel("Subject:", group), "DescriptionLbl"), 0, 0);
  grid->addWidget(DescriptionEdit_, 0, 1, 1, 5);
  LocationEdit_ = Named(new QLineEdit(group), "LocationEdit");
  LocationEdit_->setMaxLength(1024);
  auto* locationLabel = Named(new QLabel("&Location:", group), "LocationLbl");
  locationLabel->setBuddy(LocationEdit_);
  grid->addWidget(locationLabel, 1, 0);
  grid->addWidget(LocationEdit_, 1, 1, 1, 5);

  Category_ = Named(new QComboBox(group), "Category");
  Category_->setMaxVisibleItems(10);
  Category_->setIconSize(QSize(20, 14));
  CBAllDay_ = Named(new QCheckBox("&All Day Event", group), "CBAllDay");
  grid->addWidget(Named(new QLabel("Category:", group), "CategoryLbl"), 2, 0);
  grid->addWidget(Category_, 2, 1);
  grid->addWidget(CBAllDay_, 2, 2, 1, 4);

  StartTimeLbl_ = Named(new QLabel("Event Date:", group), "StartTimeLbl");
  StartDate_ = Named(new TVpDateEditWidget(Form_.StartDate(), group), "StartDate");
  LblFrom_ = Named(new QLabel("From:", group), "lblFrom");
  StartTime_ = Named(new QComboBox(group), "StartTime");
  StartTime_->setEditable(true);
  StartTime_->setInsertPolicy(QComboBox::NoInsert);
  LblTo_ = Named(new QLabel("To:", group), "lblTo");
  EndTime_ = Named(new QComboBox(group), "EndTime");
  EndTime_->setEditable(true);
  EndTime_->setInsertPolicy(QComboBox::NoInsert);
  grid->addWidget(StartTimeLbl_, 3, 0);
  grid->addWidget(StartDate_, 3, 1);
  grid->addWidget(LblFrom_, 3, 2);
  grid->addWidget(StartTime_, 3, 3);
  grid->addWidget(LblTo_, 3, 4);
  grid->addWidget(EndTime_, 3, 5);
  // An all-day event's last day takes the place of the times.
  EndDateLbl_ = Named(new QLabel("&To:", group), "EndDateLbl");
  EndDate_ = Named(new TVpDateEditWidget(Form_.EndDate(), group), "EndDate");
  EndDateLbl_->setBuddy(EndDate_);
  grid->addWidget(EndDateLbl_, 3, 2);
  grid->addWidget(EndDate_, 3, 3);

  // The zone's clock the times are on: floating, the desktop's zone, then every zone the system
  // knows; typing part of a name finds it.
  TimeZone_ = Named(new QComboBox(group), "TimeZone");
  FillZoneChoice(*TimeZone_, kFloatingZone);
  auto* zoneLabel = Named(new QLabel("Time &zone:", group), "TimeZoneLbl");
  zoneLabel->setBuddy(TimeZone_);
  grid->addWidget(zoneLabel, 4, 0);
  grid->addWidget(TimeZone_, 4, 1, 1, 5);
  return group;
}

QGroupBox* TDlgEventEdit::BuildReminder() {
  AlarmSet_ = Named(new QGroupBox("&Reminder", this), "AlarmSet");
  AlarmSet_->setCheckable(true);
  auto* row = new QHBoxLayout(AlarmSet_);
  AlarmAdvance_ = Named(new TVpSpinTextEdit(AlarmSet_), "AlarmAdvance");
  AlarmAdvance_->SetTextReadOnly(true);
  AlarmAdvance_->setFixedWidth(60);
  AlarmAdvType_ = Named(new QComboBox(AlarmSet_), "AlarmAdvType");
  AlarmAdvType_->addItems(QtTexts(TVpEventEditRules::AlarmAdvanceTypeNames()));
  SpeedButton1_ = Named(new QToolButton(AlarmSet_), "SpeedButton1");
  SpeedButton1_->setIcon(style()->standardIcon(QStyle::SP_MediaVolume));
  row->addWidget(AlarmAdvance_);
  row->addWidget(AlarmAdvType_);
  row->addWidget(SpeedButton1_);
  return AlarmSet_;
}

QGroupBox* TDlgEventEdit::BuildRecurrence() {
  auto* group = Named(new QGroupBox("Appointment Recurrence", this), "RecurrenceGroupBox");
  auto* grid = new QGridLayout(group);
  RecurringType_ = Named(new QComboBox(group), "RecurringType");
  RecurringType_->addItems(QtTexts(TVpEventEditRules::RepeatNames()));
  RecurringType_->addItem(ToQt(TVpEventEditRules::RuleChoiceName()));
  RecurrenceEndsLbl_ = Named(new QLabel("Repeat Until:", group), "RecurrenceEndsLbl");
  RepeatUntil_ = Named(new TVpDateEditWidget(Form_.RepeatUntil(), group), "RepeatUntil");
  RepeatUntil_->setPlaceholderText("No end");  // an empty field repeats without end
  PnlInterval_ = Named(new QGroupBox("Interval(Days)", group), "pnlInterval");
  // Shown only for a custom repetition; the window keeps its room meanwhile.
  QSizePolicy keepRoom = PnlInterval_->sizePolicy();
  keepRoom.setRetainSizeWhenHidden(true);
  PnlInterval_->setSizePolicy(keepRoom);
  auto* intervalRow = new QHBoxLayout(PnlInterval_);
  IntervalEdit_ = Named(new TVpSpinTextEdit(PnlInterval_), "IntervalEdit");
  IntervalEdit_->SetMaxLength(5);
  IntervalEdit_->setAlignment(Qt::AlignRight);
  IntervalEdit_->setFixedWidth(65);
  intervalRow->addWidget(IntervalEdit_);
  grid->addWidget(RecurringType_, 0, 0, 1, 2);
  grid->addWidget(PnlInterval_, 0, 2, 2, 1);
  grid->addWidget(RecurrenceEndsLbl_, 1, 0);
  grid->addWidget(RepeatUntil_, 1, 1);
  // A rule the choices cannot say is shown in words and kept until a choice replaces it.
  RuleWords_ = Named(new QLabel(group), "RepeatRuleWords");
  RuleWords_->setWordWrap(true);
  RuleWords_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  grid->addWidget(RuleWords_, 2, 0, 1, 3);
  grid->addWidget(BuildRulePanel(group), 3, 0, 1, 3);
  grid->addWidget(BuildExceptions(group), 4, 0, 1, 3);
  return group;
}

QWidget* TDlgEventEdit::BuildRulePanel(QWidget* parent) {
  RulePanel_ = Named(new QWidget(parent), "RulePanel");
  auto* grid = new QGridLayout(RulePanel_);
  grid->setContentsMargins(0, 0, 0, 0);
  RuleEveryLbl_ = Named(new QLabel("E&very", RulePanel_), "RuleEveryLbl");
  RuleInterval_ = Named(new TVpSpinTextEdit(RulePanel_), "RuleInterval");
  RuleInterval_->SetMaxLength(5);
  RuleInterval_->setAlignment(Qt::AlignRight);
  RuleInterval_->setFixedWidth(65);
  RuleEveryLbl_->setBuddy(RuleInterval_);
  RuleUnit_ = Named(new QComboBox(RulePanel_), "RuleUnit");
  RuleUnit_->addItems(QtTexts(TVpEventEditRules::RuleUnitNames()));
  auto* every = new QHBoxLayout;
  every->addWidget(RuleEveryLbl_);
  every->addWidget(RuleInterval_);
  every->addWidget(RuleUnit_);
  every->addStretch();
  grid->addLayout(every, 0, 0);

  // Weekly: a box per weekday, the week starting as the locale starts it.
  // A frame, so that a red mark colours the row and not each box.
  RuleWeekdays_ = Named(new QFrame(RulePanel_), "RuleWeekdays");
  auto* days = new QHBoxLayout(RuleWeekdays_);
  days->setContentsMargins(0, 0, 0, 0);
  days->setSpacing(2);
  for (const int weekday : WeekdaysInLocaleOrder()) {
    auto* box = Named(new QCheckBox(QLocale().dayName(QtDayOf(weekday), QLocale::ShortFormat), RuleWeekdays_),
                      ("RuleWeekday" + std::to_string(weekday)).c_str());
    box->setToolTip(QLocale().dayName(QtDayOf(weekday)));
    box->setProperty("weekday", weekday);
    RuleWeekdayBoxes_.push_back(box);
    days->addWidget(box);
  }
  days->addStretch();
  grid->addWidget(RuleWeekdays_, 1, 0);

  // Monthly: on a day of the month, or on the n-th or last weekday.
  auto* monthly = new QHBoxLayout;
  RuleMonthly_ = Named(new QComboBox(RulePanel_), "RuleMonthly");
  RuleMonthly_->addItems(QtTexts(TVpEventEditRules::RuleMonthlyNames()));
  RuleMonthDay_ = Named(new QComboBox(RulePanel_), "RuleMonthDay");
  for (int day = 1; day <= 31; ++day) RuleMonthDay_->addItem(QString::number(day));
  RulePosition_ = Named(new QComboBox(RulePanel_), "RulePosition");
  RulePosition_->addItems(QtTexts(TVpEventEditRules::RulePositionNames()));
  RuleWeekday_ = Named(new QComboBox(RulePanel_), "RuleWeekday");
  for (const int weekday : WeekdaysInLocaleOrder()) RuleWeekday_->addItem(QLocale().dayName(QtDayOf(weekday)), weekday);
  for (QWidget* widget : std::initializer_list<QWidget*>{RuleMonthly_, RuleMonthDay_, RulePosition_, RuleWeekday_})
    monthly->addWidget(widget);
  monthly->addStretch();
  grid->addLayout(monthly, 2, 0);

  // The end: Repeat Until, or after a number of occurrences.
  auto* count = new QHBoxLayout;
  RuleCountLbl_ = Named(new QLabel("Ends a&fter", RulePanel_), "RuleCountLbl");
  RuleCount_ = Named(new TVpSpinTextEdit(RulePanel_), "RuleCount");
  RuleCount_->SetMaxLength(5);
  RuleCount_->setAlignment(Qt::AlignRight);
  RuleCount_->setFixedWidth(65);
  RuleCount_->setToolTip("Empty: the rule ends with Repeat Until");
  RuleCountLbl_->setBuddy(RuleCount_);
  RuleTimesLbl_ = Named(new QLabel("times", RulePanel_), "RuleTimesLbl");
  count->addWidget(RuleCountLbl_);
  count->addWidget(RuleCount_);
  count->addWidget(RuleTimesLbl_);
  count->addStretch();
  grid->addLayout(count, 3, 0);
  return RulePanel_;
}

QWidget* TDlgEventEdit::BuildExceptions(QWidget* parent) {
  ExceptionsPanel_ = Named(new QWidget(parent), "ExceptionsPanel");
  auto* grid = new QGridLayout(ExceptionsPanel_);
  grid->setContentsMargins(0, 0, 0, 0);
  ExceptionList_ = Named(new QListWidget(ExceptionsPanel_), "ExceptionList");
  ExceptionList_->setFixedHeight(3 * ExceptionList_->fontMetrics().height() + 8);
  ExceptionList_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);  // a long entry is elided
  auto* label = Named(new QLabel("E&xceptions:", ExceptionsPanel_), "ExceptionsLbl");
  label->setBuddy(ExceptionList_);
  RemoveExceptionBtn_ = Named(new QPushButton("Re&move", ExceptionsPanel_), "RemoveExceptionBtn");
  RemoveExceptionBtn_->setAutoDefault(false);
  grid->addWidget(label, 0, 0, Qt::AlignTop);
  grid->addWidget(ExceptionList_, 0, 1, 2, 1);
  grid->addWidget(RemoveExceptionBtn_, 0, 2, Qt::AlignTop);
  return ExceptionsPanel_;
}

void TDlgEventEdit::ConnectControls() {
  connect(DescriptionEdit_, &QLineEdit::textEdited, this,
          [this](const QString& text) { Act([&] { Form_.SetDescription(FromQt(text)); }); });
  connect(LocationEdit_, &QLineEdit::textEdited, this,
          [this](const QString& text) { Act([&] { Form_.SetLocation(FromQt(text)); }); });
  connect(Category_, &QComboBox::currentIndexChanged, this,
          [this](int index) { Act([&] { Form_.SelectCategory(index); }); });
  connect(CBAllDay_, &QCheckBox::toggled, this, [this](bool on) { Act([&] { Form_.SetAllDay(on); }); });
  connect(StartTime_, &QComboBox::currentIndexChanged, this,
          [this](int index) { Act([&] { Form_.SelectStartTime(index); }); });
  connect(EndTime_, &QComboBox::currentIndexChanged, this,
          [this](int index) { Act([&] { Form_.SelectEndTime(index); }); });
  connect(TimeZone_, &QComboBox::activated, this,
          [this](int index) { Act([&] { Form_.SetZone(FromQt(TimeZone_->itemData(index).toString())); }); });
  // Any time can be typed (09:15), not only the list's half hours.
  connect(StartTime_->lineEdit(), &QLineEdit::editingFinished, this,
          [this] { Act([&] { Form_.TypeStartTime(FromQt(StartTime_->currentText())); }); });
  connect(EndTime_->lineEdit(), &QLineEdit::editingFinished, this,
          [this] { Act([&] { Form_.TypeEndTime(FromQt(EndTime_->currentText())); }); });
  connect(StartDate_, &TVpDateEditWidget::Edited, this, &TDlgEventEdit::Refresh);
  connect(RepeatUntil_, &TVpDateEditWidget::Edited, this, &TDlgEventEdit::Refresh);
  connect(AlarmSet_, &QGroupBox::toggled, this, [this](bool on) { Act([&] { Form_.SetAlarmSet(on); }); });
  connect(AlarmAdvance_, &TVpSpinTextEdit::Stepped, this,
          [this](int steps) { Act([&] { Form_.StepAlarmAdvance(steps); }); });
  connect(AlarmAdvance_, &TVpSpinTextEdit::TextEdited, this,
          [this](const QString& text) { Act([&] { Form_.SetAlarmAdvanceText(FromQt(text)); }); });
  connect(AlarmAdvType_, &QComboBox::currentIndexChanged, this,
          [this](int index) { Act([&] { Form_.SelectAlarmAdvanceType(index); }); });
  connect(SpeedButton1_, &QToolButton::clicked, this, &TDlgEventEdit::ChooseSoundFile);
  connect(RecurringType_, &QComboBox::currentIndexChanged, this,
          [this](int index) { Act([&] { Form_.SelectRepeat(index); }); });
  connect(IntervalEdit_, &TVpSpinTextEdit::Stepped, this,
          [this](int steps) { Act([&] { Form_.StepInterval(steps); }); });
  connect(IntervalEdit_, &TVpSpinTextEdit::TextEdited, this,
          [this](const QString& text) { Act([&] { Form_.SetIntervalText(FromQt(text)); }); });
  connect(EndDate_, &TVpDateEditWidget::Edited, this, &TDlgEventEdit::Refresh);
  connect(RuleInterval_, &TVpSpinTextEdit::Stepped, this,
          [this](int steps) { Act([&] { Form_.StepRuleInterval(steps); }); });
  connect(RuleInterval_, &TVpSpinTextEdit::TextEdited, this,
          [this](const QString& text) { Act([&] { Form_.SetRuleIntervalText(FromQt(text)); }); });
  connect(RuleUnit_, &QComboBox::currentIndexChanged, this,
          [this](int index) { Act([&] { Form_.SelectRuleFrequency(index); }); });
  for (QCheckBox* box : RuleWeekdayBoxes_)
    connect(box, &QCheckBox::toggled, this,
            [this, box](bool on) { Act([&] { Form_.SetRuleWeekday(box->property("weekday").toInt(), on); }); });
  connect(RuleMonthly_, &QComboBox::currentIndexChanged, this,
          [this](int index) { Act([&] { Form_.SelectRuleMonthly(index); }); });
  connect(RuleMonthDay_, &QComboBox::currentIndexChanged, this,
          [this](int index) { Act([&] { Form_.SelectRuleMonthDay(index + 1); }); });
  connect(RulePosition_, &QComboBox::currentIndexChanged, this,
          [this](int index) { Act([&] { Form_.SelectRulePosition(index); }); });
  connect(RuleWeekday_, &QComboBox::currentIndexChanged, this,
          [this](int index) { Act([&] { Form_.SelectRuleWeekday(RuleWeekday_->itemData(index).toInt()); }); });
  connect(RuleCount_, &TVpSpinTextEdit::Stepped, this, [this](int steps) { Act([&] { Form_.StepRuleCount(steps); }); });
  connect(RuleCount_, &TVpSpinTextEdit::TextEdited, this,
          [this](const QString& text) { Act([&] { Form_.SetRuleCountText(FromQt(text)); }); });
  connect(ExceptionList_, &QListWidget::currentRowChanged, this, [this] { RefreshExceptions(); });
  connect(RemoveExceptionBtn_, &QPushButton::clicked, this,
          [this] { Act([this] { Form_.RemoveException(ExceptionList_->currentRow()); }); });
  connect(NotesMemo_, &QPlainTextEdit::textChanged, this,
          [this] { Act([this] { Form_.SetNotes(FromQt(NotesMemo_->toPlainText())); }); });
  connect(OkBtn_, &QPushButton::clicked, this, &TDlgEventEdit::Confirm);
  connect(CancelBtn_, &QPushButton::clicked, this, &QDialog::reject);
}

// --- acting ---

void TDlgEventEdit::Act(const std::function<void()>& rule) {
  GuardedCall(rule);
  Refresh();
}

void TDlgEventEdit::Confirm() {
  bool valid = false;
  GuardedCall([&] { valid = Form_.Validate(); });
  Refresh();
  if (valid) accept();
}

void TDlgEventEdit::done(int result) {
  // Closing closes an open date drop-down first.
  GuardedCall([this] {
    Form_.StartDate().CloseDropDown();
    Form_.EndDate().CloseDropDown();
    Form_.RepeatUntil().CloseDropDown();
  });
  QDialog::done(result);
}

void TDlgEventEdit::ChooseSoundFile() {
  Act([this] {
    if (!ChooseSound) return;
    if (const std::optional<std::string> chosen = ChooseSound(Form_.SoundFile())) Form_.SetSoundFile(*chosen);
  });
}

// --- showing the form ---

void TDlgEventEdit::Refresh() {
  const QSignalBlocker blockers[] = {
      QSignalBlocker(DescriptionEdit_), QSignalBlocker(LocationEdit_), QSignalBlocker(Category_),
      QSignalBlocker(CBAllDay_),        QSignalBlocker(StartTime_),    QSignalBlocker(EndTime_),
      QSignalBlocker(AlarmSet_),        QSignalBlocker(AlarmAdvType_), QSignalBlocker(RecurringType_),
      QSignalBlocker(NotesMemo_),       QSignalBlocker(RuleUnit_),     QSignalBlocker(RuleMonthly_),
      QSignalBlocker(RuleMonthDay_),    QSignalBlocker(RulePosition_), QSignalBlocker(RuleWeekday_),
      QSignalBlocker(ExceptionList_)};
  if (FromQt(DescriptionEdit_->text()) != Form_.Description()) DescriptionEdit_->setText(ToQt(Form_.Description()));
  if (FromQt(LocationEdit_->text()) != Form_.Location()) LocationEdit_->setText(ToQt(Form_.Location()));

  if (Category_->count() != static_cast<int>(Form_.Categories().size())) {
    Category_->clear();
    for (const TVpCategoryEntry& entry : Form_.Categories())
      Category_->addItem(Swatch(entry.Color), ToQt(entry.Description));
  }
  Category_->setCurrentIndex(Form_.CategoryIndex());
  CBAllDay_->setChecked(Form_.AllDay());

  SetItems(*StartTime_, QtTexts(Form_.StartTimes().Texts()));
  StartTime_->setCurrentIndex(Form_.StartTimes().Selected());
  SetItems(*EndTime_, QtTexts(Form_.EndTimes().Texts()));
  EndTime_->setCurrentIndex(Form_.EndTimes().Selected());

  AlarmSet_->setChecked(Form_.AlarmSet());
  AlarmAdvance_->SetText(ToQt(Form_.AlarmAdvanceText()));
  AlarmAdvType_->setCurrentIndex(Form_.AlarmAdvanceTypeIndex());

  RecurringType_->setCurrentIndex(Form_.RepeatIndex());
  RuleWords_->setText(ToQt(Form_.RepeatRuleText()));
  const int zone = TimeZone_->findData(ToQt(Form_.Zone()));
  if (zone >= 0) TimeZone_->setCurrentIndex(zone);
  IntervalEdit_->SetText(ToQt(Form_.IntervalText()));
  RefreshRule();
  RefreshExceptions();
  if (FromQt(NotesMemo_->toPlainText()) != Form_.Notes()) NotesMemo_->setPlainText(ToQt(Form_.Notes()));

  for (TVpEventControl control : kControls)
    for (QWidget* widget : WidgetsOf(control)) {
      widget->setEnabled(Form_.Enabled(control));
      widget->setVisible(Form_.Visible(control));
    }
  ShowMarks();
  if (!Form_.Marked(ecSound))
    SpeedButton1_->setToolTip(Form_.SoundFile().empty() ? QString("Default sound") : ToQt(Form_.SoundFile()));
  if (const std::optional<TVpEventControl> focus = Form_.TakeFocusRequest()) WidgetsOf(*focus).front()->setFocus();
}

void TDlgEventEdit::RefreshRule() {
  const TVpRuleShape& rule = Form_.Rule();
  RuleInterval_->SetText(ToQt(Form_.RuleIntervalText()));
  RuleUnit_->setCurrentIndex(rule.Frequency);
  for (QCheckBox* box : RuleWeekdayBoxes_) {
    const QSignalBlocker blocker(box);
    box->setChecked((rule.Weekdays & WeekdayBit(box->property("weekday").toInt())) != 0);
  }
  RuleMonthly_->setCurrentIndex(rule.ByWeekday ? 1 : 0);
  RuleMonthDay_->setCurrentIndex(rule.MonthDay - 1);
  RulePosition_->setCurrentIndex(rule.WeekdayPosition < 0 ? 4 : rule.WeekdayPosition - 1);
  RuleWeekday_->setCurrentIndex(RuleWeekday_->findData(rule.Weekday));
  RuleCount_->SetText(ToQt(Form_.RuleCountText()));
}

void TDlgEventEdit::RefreshExceptions() {
  const std::vector<TVpExceptionEntry> entries = Form_.Exceptions();
  const QSignalBlocker blocker(ExceptionList_);
  const int row = ExceptionList_->currentRow();
  QStringList texts;
  for (const TVpExceptionEntry& entry : entries) texts << ToQt(entry.Text);
  QStringList shown;
  for (int i = 0; i < ExceptionList_->count(); ++i) shown << ExceptionList_->item(i)->text();
  if (shown != texts) {
    ExceptionList_->clear();
    ExceptionList_->addItems(texts);
    for (int i = 0; i < ExceptionList_->count(); ++i) ExceptionList_->item(i)->setToolTip(texts[i]);
    ExceptionList_->setCurrentRow(std::min(row, ExceptionList_->count() - 1));
  }
  // A changed occurrence's exception stays: it is shown, but Remove does not take it.
  const int current = ExceptionList_->currentRow();
  RemoveExceptionBtn_->setEnabled(current >= 0 && current < static_cast<int>(entries.size()) &&
                                  entries[static_cast<size_t>(current)].Removable);
}

std::vector<QWidget*> TDlgEventEdit::WidgetsOf(TVpEventControl control) const {
  switch (control) {
    case ecDescription: return {DescriptionEdit_};
    case ecLocation: return {LocationEdit_};
    case ecCategory: return {Category_};
    case ecAllDay: return {CBAllDay_};
    case ecStartDate: return {StartDate_, StartTimeLbl_};
    case ecStartTime: return {StartTime_, LblFrom_};
    case ecEndTime: return {EndTime_, LblTo_};
    case ecAlarmSet: return {AlarmSet_};
    case ecAlarmAdvance: return {AlarmAdvance_};
    case ecAlarmAdvanceType: return {AlarmAdvType_};
    case ecSound: return {SpeedButton1_};
    case ecRepeat: return {RecurringType_};
    case ecRepeatUntil: return {RepeatUntil_, RecurrenceEndsLbl_};
    case ecInterval: return {PnlInterval_};
    case ecRepeatRule: return {RuleWords_};
    case ecTimeZone: return {TimeZone_};
    case ecNotes: return {NotesMemo_};
    case ecEndDate: return {EndDate_, EndDateLbl_};
    case ecRulePanel: return {RulePanel_};
    case ecRuleInterval: return {RuleInterval_, RuleEveryLbl_, RuleUnit_};
    case ecRuleWeekdays: return {RuleWeekdays_};
    case ecRuleMonthly: return {RuleMonthly_};
    case ecRuleMonthDay: return {RuleMonthDay_};
    case ecRuleMonthWeekday: return {RulePosition_, RuleWeekday_};
    case ecRuleCount: return {RuleCount_, RuleCountLbl_, RuleTimesLbl_};
    case ecExceptions: return {ExceptionsPanel_};
  }
  return {};
}

void TDlgEventEdit::ShowMarks() {
  for (TVpEventControl control : kControls) {
    ShowFieldMark(*WidgetsOf(control).front(), Form_.Marked(control), Form_.MarkText(control));
  }
}

bool TQtEventWindow::Show(TVpEventEditRules& rules, const std::string& caption, const TVpDialogPlacement& placement,
                          TVpDialogOptions options) {
  TDlgEventEdit window(rules, QApplication::activeWindow());
  window.ChooseSound = [this, &window](const std::string& current) {
    return ChooseSoundFile(Sound_, Timers_, current, &window);
  };
  window.setWindowTitle(ToQt(caption));
  ApplyPlacement(window, placement, options);
  return window.exec() == QDialog::Accepted;
}
