#include "print/qt/format_designer_window.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/qt/command_guard.h"
#include "platform/qt/qt_text.h"
#include "print/qt/element_edit_window.h"
#include "print/qt/format_edit_window.h"
#include "print/qt/print_preview_widget.h"

namespace {

constexpr const char* kFilter = "Filter Files (*.xml);;All Files (*)";

// The list shows the entries with the one selected (-1 for none); it is filled again only when
// its entries changed, so that it can be shown from its own selection signal.
void ShowList(QListWidget& list, const std::vector<std::string>& entries, int selected) {
  const QSignalBlocker quiet(list);
  bool same = list.count() == static_cast<int>(entries.size());
  for (int i = 0; same && i < list.count(); ++i) same = list.item(i)->text() == ToQt(entries[static_cast<size_t>(i)]);
  if (!same) {
    list.clear();
    for (const std::string& entry : entries) list.addItem(ToQt(entry));
  }
  list.setCurrentRow(selected);
  if (selected < 0) list.clearSelection();
}

std::optional<std::string> ChosenFile(QFileDialog& dialog) {
  dialog.setDefaultSuffix("xml");
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return FromQt(dialog.selectedFiles().constFirst());
}

}  // namespace

TfrmPrnFormat::TfrmPrnFormat(TVpPrinter& printer, TVpPageRenderer& renderer, TMessageBoxes& messages, double now,
                             const TVpPrintTarget* device, QWidget* parent)
    : QDialog(parent),
      Messages_(messages),
      Designer_(printer, messages, *this),
      Preview_(printer, renderer, MakePreviewBitmap, now) {
  setObjectName("frmPrnFormat");
  setWindowTitle("Print Format Designer");
  setMinimumSize(640, 480);
  if (device != nullptr) Preview_.SetPrinterDevice(device->PageRect(), device->DotsPerInchX(), device->DotsPerInchY());
  Preview_.SetStartDate(now);
  Preview_.SetEndDate(now);
  Preview_.SetZoomFactor(zfActualSize);

  auto* formats = new QGroupBox("Formats", this);
  auto* formatsLayout = new QVBoxLayout(formats);
  Formats_ = new QListWidget(formats);
  Formats_->setObjectName("lbFormats");
  formatsLayout->addWidget(Formats_);
  auto* formatButtons = new QHBoxLayout;
  AddButton(*formatButtons, "&New", "btnNewFormat", [this] { Designer_.NewFormat(); });
  FormatEdit_ = AddButton(*formatButtons, "&Edit", "btnEditFormat", [this] { Designer_.EditFormat(); });
  FormatDelete_ = AddButton(*formatButtons, "&Delete", "btnDeleteFormat", [this] { Designer_.DeleteFormat(); });
  formatsLayout->addLayout(formatButtons);

  auto* elements = new QGroupBox("Elements", this);
  auto* elementsLayout = new QVBoxLayout(elements);
  auto* elementsRow = new QHBoxLayout;
  Elements_ = new QListWidget(elements);
  Elements_->setObjectName("lbElements");
  elementsRow->addWidget(Elements_, 1);
  auto* order = new QGroupBox("Print Order", elements);
  auto* orderLayout = new QVBoxLayout(order);
  for (const bool up : {true, false}) {
    auto* button = new QToolButton(order);
    button->setObjectName(up ? "btnMoveElementUp" : "btnMoveElementDown");
    button->setArrowType(up ? Qt::UpArrow : Qt::DownArrow);
    button->setToolTip(up ? "Move up (Ctrl+Up)" : "Move down (Ctrl+Down)");
    button->setShortcut(QKeySequence(up ? "Ctrl+Up" : "Ctrl+Down"));
    connect(button, &QToolButton::clicked, this,
            [this, up] { Run([this, up] { Designer_.MoveElement(up ? -1 : 1); }); });
    orderLayout->addWidget(button);
    (up ? Up_ : Down_) = button;
  }
  orderLayout->addStretch();
  elementsRow->addWidget(order);
  elementsLayout->addLayout(elementsRow);
  auto* elementButtons = new QHBoxLayout;
  ElementNew_ = AddButton(*elementButtons, "Ne&w", "btnNewElement", [this] { Designer_.NewElement(); });
  ElementEdit_ = AddButton(*elementButtons, "Edi&t", "btnEditElement", [this] { Designer_.EditElement(); });
  ElementDelete_ = AddButton(*elementButtons, "De&lete", "btnDeleteElement", [this] { Designer_.DeleteElement(); });
  elementsLayout->addLayout(elementButtons);

  auto* left = new QVBoxLayout;
  left->addWidget(formats, 1);
  left->addWidget(elements, 1);
  auto* preview = new QGroupBox("Preview", this);
  auto* previewLayout = new QVBoxLayout(preview);
  PreviewWidget_ = new TVpPrintPreviewWidget(Preview_, preview);
  PreviewWidget_->setObjectName("ppPreview");
  previewLayout->addWidget(PreviewWidget_);
  auto* panes = new QHBoxLayout;
  panes->addLayout(left, 2);
  panes->addWidget(preview, 3);

  auto* bottom = new QHBoxLayout;
  AddButton(*bottom, "New &File", "btnNewFile", [this] {
    Designer_.NewFile();
    ShowCaption();
  });
  AddButton(*bottom, "L&oad File...", "btnLoadFile", [this] {
    Designer_.LoadFile();
    ShowCaption();
  });
  AddButton(*bottom, "&Save File...", "btnSaveFile", [this] {
    if (Designer_.SaveFile()) ShowCaption();
  });
  bottom->addStretch();
  QPushButton* ok = AddButton(*bottom, "OK", "btnOk", [this] { accept(); });
  ok->setDefault(true);
  AddButton(*bottom, "Cancel", "btnCancel", [this] { reject(); });
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(panes, 1);
  layout->addLayout(bottom);

  connect(Formats_, &QListWidget::currentRowChanged, this,
          [this](int row) { Run([this, row] { Designer_.SelectFormatEntry(row); }); });
  connect(Elements_, &QListWidget::currentRowChanged, this,
          [this](int row) { Run([this, row] { Designer_.SelectElement(row); }); });
  connect(Formats_, &QListWidget::itemDoubleClicked, this, [this] { Run([this] { Designer_.EditFormat(); }); });
  connect(Elements_, &QListWidget::itemDoubleClicked, this, [this] { Run([this] { Designer_.EditElement(); }); });

  if (printer.PrintFormats().empty()) ShowCaption();
  ShowState();
  Formats_->setFocus();
}

TfrmPrnFormat::~TfrmPrnFormat() {
  // The controls go first: the preview they show is a member.
  qDeleteAll(findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
}

QPushButton* TfrmPrnFormat::AddButton(QLayout& row, const QString& caption, const char* name,
                                      std::function<void()> command) {
  auto* button = new QPushButton(caption, this);
  button->setObjectName(name);
  button->setAutoDefault(false);
  connect(button, &QPushButton::clicked, this, [this, command = std::move(command)] { Run(command); });
  row.addWidget(button);
  return button;
}

void TfrmPrnFormat::Run(const std::function<void()>& command) {
  GuardedCall(command);
  ShowState();
}

void TfrmPrnFormat::ShowState() {
  ShowList(*Formats_, Designer_.FormatEntries(), Designer_.SelectedFormatEntry());
  ShowList(*Elements_, Designer_.ElementEntries(), Designer_.SelectedElement());
  const TVpDesignerButtons buttons = Designer_.Buttons();
  FormatEdit_->setEnabled(buttons.FormatEdit);
  FormatDelete_->setEnabled(buttons.FormatDelete);
  ElementNew_->setEnabled(buttons.ElementNew);
  ElementEdit_->setEnabled(buttons.ElementEdit);
  ElementDelete_->setEnabled(buttons.ElementDelete);
  Up_->setEnabled(buttons.MoveUp);
  Down_->setEnabled(buttons.MoveDown);
  // The preview shows the selected format, and nothing while none is selected.
  PreviewWidget_->setVisible(Designer_.SelectedFormatEntry() >= 0);
}

void TfrmPrnFormat::ShowCaption() { setWindowTitle(ToQt(Designer_.Caption())); }

void TfrmPrnFormat::CloseWith(int result) {
  bool settled = false;
  GuardedCall([&] { settled = Designer_.Close(); });
  if (settled) done(result);
}

void TfrmPrnFormat::accept() { CloseWith(Accepted); }

void TfrmPrnFormat::reject() { CloseWith(Rejected); }

bool TfrmPrnFormat::EditFormat(TVpFormatEditForm& form) {
  TfrmEditFormat window(form, this);
  return window.exec() == Accepted;
}

bool TfrmPrnFormat::EditElement(TVpElementEditForm& form) {
  TfrmEditElement window(form, Messages_, this);
  return window.exec() == Accepted;
}

std::optional<std::string> TfrmPrnFormat::ChooseFileToOpen() {
  QFileDialog dialog(this, "Open filter file", QCoreApplication::applicationDirPath(), kFilter);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  return ChosenFile(dialog);
}

std::optional<std::string> TfrmPrnFormat::ChooseFileToSave(const std::string& proposed) {
  QFileDialog dialog(this, "Save formats as", QCoreApplication::applicationDirPath(), kFilter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);  // it asks before it overwrites
  dialog.selectFile(ToQt(proposed));
  return ChosenFile(dialog);
}
