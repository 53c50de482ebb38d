#include "print/qt/print_preview_window.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "model/day_number.h"
#include "platform/qt/command_guard.h"
#include "platform/qt/qt_text.h"
#include "platform/scoped_value.h"
#include "print/qt/print_preview_widget.h"
#include "views/qt/date_edit_widget.h"

TfrmPrintPreview::TfrmPrintPreview(TVpPrinter& printer, TVpPageRenderer& renderer, const TClock& clock,
                                   const TLocale& locale, TMessageBoxes& messages, QWidget* parent)
    : QDialog(parent),
      Printer_(printer),
      Locale_(locale),
      Messages_(messages),
      Preview_(printer, renderer, MakePreviewBitmap, clock.Now()),
      StartEdit_(clock, locale),
      EndEdit_(clock, locale) {
  setObjectName("frmPrintPreview");
  setWindowTitle("Print Preview");
  StartEdit_.UseProgramFieldSetUp();
  EndEdit_.UseProgramFieldSetUp();
  // The layout keeps the window at least as wide as its band of controls.
  resize(900, 640);

  auto* band = new QHBoxLayout;
  band->addWidget(new QLabel("Format:", this));
  Formats_ = new QComboBox(this);
  Formats_->setObjectName("VpPrintFormatComboBox1");
  band->addWidget(Formats_, 1);
  band->addWidget(new QLabel("Zoom:", this));
  Zoom_ = new QComboBox(this);
  Zoom_->setObjectName("cboxZoom");
  Zoom_->addItems({"Fit to window", "Actual size", "25%", "33%", "50%", "67%", "75%"});
  Zoom_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  band->addWidget(Zoom_);
  Skin_ = new QCheckBox("Use Skin", this);
  Skin_->setObjectName("cbSkin");
  band->addWidget(Skin_);
  band->addWidget(new QLabel("Start Date:", this));
  auto* start = new TVpDateEditWidget(StartEdit_, this);
  start->setObjectName("deStartDate");
  band->addWidget(start);
  band->addWidget(new QLabel("End Date:", this));
  auto* end = new TVpDateEditWidget(EndEdit_, this);
  end->setObjectName("deEndDate");
  band->addWidget(end);
  // Wide enough for a whole date and the drop-down button, however crowded the band.
  const int dateWidth = fontMetrics().horizontalAdvance("30 Sep 0000") + 32;
  start->setMinimumWidth(dateWidth);
  end->setMinimumWidth(dateWidth);

  QAction* print = AddAction("actPrint", "&Print", "Print", QKeySequence("Ctrl+P"), [this] {
    // A date still being typed counts; one that does not read stops the printing with its error.
    if (!TakeStart(StartEdit_.Date()) || !TakeEnd(EndEdit_.Date())) return;
    Choice_ = {Range_.Start, Range_.End, FromQt(Formats_->currentText())};
    accept();
  });
  QAction* cancel = AddAction("actCancel", "Cancel", "Cancel preview", QKeySequence("Alt+C"), [this] { reject(); });
  for (QAction* action : {print, cancel}) {
    auto* button = new QPushButton(action->text(), this);
    button->setObjectName(action == print ? "btnPrint" : "btnCancel");
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, action, &QAction::trigger);
    band->addWidget(button);
  }

  auto* pages = new QToolBar(this);
  pages->setObjectName("ToolBar1");
  const struct {
    const char* Name;
    const char* Caption;
    const char* Hint;
    const char* Shortcut;
    QStyle::StandardPixmap Picture;
    TVpPageCommand Command;
  } pageActions[] = {
      {"actFirstPage", "&First page", "First page", "Ctrl+F", QStyle::SP_MediaSkipBackward, pcFirstPage},
      {"actPrevPage", "Pre&vious page", "Previous page", "Ctrl+V", QStyle::SP_MediaSeekBackward, pcPrevPage},
      {"actNextPage", "&Next page", "Next page", "Ctrl+N", QStyle::SP_MediaSeekForward, pcNextPage},
      {"actLastPage", "&Last page", "Last page", "Ctrl+L", QStyle::SP_MediaSkipForward, pcLastPage}};
  for (int i = 0; i < 4; ++i) {
    const auto& a = pageActions[i];
    const TVpPageCommand command = a.Command;
    PageActions_[i] = AddAction(a.Name, a.Caption, a.Hint, QKeySequence(a.Shortcut), [this, command] {
      Preview_.Run(command);
      UpdatePageActions();
    });
    PageActions_[i]->setIcon(style()->standardIcon(a.Picture));
    PageActions_[i]->setEnabled(false);  // until the preview has its pages
    pages->addAction(PageActions_[i]);
  }
  PageNumber_ = new QLabel(pages);
  PageNumber_->setObjectName("lblPage");
  PageNumber_->setContentsMargins(8, 0, 8, 0);
  pages->addWidget(PageNumber_);

  PreviewWidget_ = new TVpPrintPreviewWidget(Preview_, this);
  PreviewWidget_->setObjectName("VpPrintPreview1");
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(band);
  layout->addWidget(pages);
  layout->addWidget(PreviewWidget_, 1);

  Preview_.OnPageChange = [this](int) { UpdatePageActions(); };
  connect(Formats_, &QComboBox::textActivated, this,
          [this](const QString& text) { GuardedCall([&] { PickFormat(Printer_, FromQt(text)); }); });
  connect(Zoom_, &QComboBox::activated, this,
          [this](int index) { Preview_.SetZoomFactor(static_cast<TVpPPZoomFactor>(index)); });
  connect(Skin_, &QCheckBox::toggled, this, [this](bool on) { GuardedCall([&] { Printer_.SetSkinnedPrinting(on); }); });
  StartEdit_.OnExit = [this](TVpDateEdit& edit) { TakeStart(edit.Date()); };
  EndEdit_.OnExit = [this](TVpDateEdit& edit) { TakeEnd(edit.Date()); };
  StartEdit_.OnSetDate = [this](TVpDateEdit& edit) {
    if (!ShowingRange_) TakeStart(edit.Date());
  };
  EndEdit_.OnSetDate = [this](TVpDateEdit& edit) {
    if (!ShowingRange_) TakeEnd(edit.Date());
  };
  // Enter takes the text as leaving the field does.
  connect(start, &QLineEdit::returnPressed, this, [this] { GuardedCall([this] { StartEdit_.Exit(); }); });
  connect(end, &QLineEdit::returnPressed, this, [this] { GuardedCall([this] { EndEdit_.Exit(); }); });
  Printer_.RegisterFormatWindow(*this);
  FillFormatList();
}

TfrmPrintPreview::~TfrmPrintPreview() {
  Printer_.UnregisterFormatWindow(*this);
  // The controls go first: they show the preview and the date edits, which are members.
  qDeleteAll(findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
}

QAction* TfrmPrintPreview::AddAction(const char* name, const QString& caption, const QString& hint,
                                     const QKeySequence& shortcut, std::function<void()> run) {
  auto* action = new QAction(caption, this);
  action->setObjectName(name);
  action->setToolTip(hint);
  action->setShortcut(shortcut);
  addAction(action);  // the window's shortcuts come before the focused control's keys
  connect(action, &QAction::triggered, this, [run = std::move(run)] { GuardedCall(run); });
  return action;
}

void TfrmPrintPreview::SetDates(double start, double end) {
  Range_ = {start, end};
  Preview_.SetStartDate(start);
  Preview_.SetEndDate(end);
  ShowRange();
  UpdatePageActions();
}

void TfrmPrintPreview::ShowRange() {
  const TScopedValue showing(ShowingRange_, true);
  StartEdit_.SetDate(Range_.Start);
  EndEdit_.SetDate(Range_.End);
}

// A field shows a day: it changes the range only when it holds another day (an emptied field
// keeps its date), so that a range that came with a time of day keeps it.
bool TfrmPrintPreview::TakeStart(double date) {
  TVpPreviewRange range = Range_;
  if (date != 0 && DayNumberOf(date) != DayNumberOf(Range_.Start)) range.SetStart(date);
  return TakeRange(range);
}

bool TfrmPrintPreview::TakeEnd(double date) {
  TVpPreviewRange range = Range_;
  if (date != 0 && DayNumberOf(date) != DayNumberOf(Range_.End)) range.SetEnd(date);
  return TakeRange(range);
}

bool TfrmPrintPreview::TakeRange(const TVpPreviewRange& range) {
  const std::string question = range == Range_ ? std::string() : ManyPagesQuestion(Printer_, range, Locale_);
  const bool taken = question.empty() || Messages_.AskYesNo(question);
  if (taken) Range_ = range;
  ShowRange();
  Preview_.SetEndDate(Range_.End);
  Preview_.SetStartDate(Range_.Start);
  UpdatePageActions();
  return taken;
}

void TfrmPrintPreview::SetZoomFactor(TVpPPZoomFactor zoom) {
  Preview_.SetZoomFactor(zoom);
  Zoom_->setCurrentIndex(zoom);
}

void TfrmPrintPreview::HandleMessage(int message) {
  if (message == PrintFormatsChanged) FillFormatList();
}

void TfrmPrintPreview::FillFormatList() {
  const TVpFormatList list = FormatListOf(Printer_);
  Formats_->clear();
  for (const std::string& entry : list.Entries) Formats_->addItem(ToQt(entry));
  Formats_->setCurrentIndex(list.Selected);
  UpdatePageActions();
}

void TfrmPrintPreview::UpdatePageActions() {
  const bool first = Preview_.IsFirstPage(), last = Preview_.IsLastPage();
  PageActions_[0]->setEnabled(!first);
  PageActions_[1]->setEnabled(!first);
  PageActions_[2]->setEnabled(!last);
  PageActions_[3]->setEnabled(!last);
  const int count = Preview_.PageCount();
  QString page = count > 0 ? QString("Page %1 of %2").arg(std::min(Preview_.CurPage() + 1, count)).arg(count) : "";
  // What the pages leave out is told beside them, before anything is printed.
  if (!Preview_.ListNote().empty()) page += "   " + ToQt(Preview_.ListNote());
  PageNumber_->setText(page);
}

std::optional<TReportDataRec> ExecutePrintPreview(TVpPrinter& printer, TVpPageRenderer& renderer, const TClock& clock,
                                                  const TLocale& locale, TMessageBoxes& messages, double start,
                                                  double end, TVpPPZoomFactor zoom, const TVpPrintTarget* device,
                                                  QWidget* parent) {
  TfrmPrintPreview window(printer, renderer, clock, locale, messages, parent);
  if (device != nullptr)
    window.Preview().SetPrinterDevice(device->PageRect(), device->DotsPerInchX(), device->DotsPerInchY());
  window.SetDates(start, end);
  window.SetZoomFactor(zoom);
  window.Preview().FirstPage();
  if (window.exec() != QDialog::Accepted) return std::nullopt;
  return window.Choice();
}
