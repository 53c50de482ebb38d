#include "app/search_window.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

#include "model/date_format.h"
#include "model/day_number.h"

namespace {

constexpr int kFoundIndex = Qt::UserRole;

const char* KindCaption(TVpFoundKind kind) {
  return kind == fkEvent ? "Events" : kind == fkTask ? "Tasks" : "Contacts";
}

// The date and time the list shows for a record found.
std::string WhenText(const TVpFound& found, const TLocale& locale) {
  if (found.Kind == fkContact || found.When <= 0) return "";
  std::string text = FormatShortDate(found.When, locale);
  if (found.Kind == fkEvent && !found.AllDay) text += " " + FormatDateTime("hh:nn", found.When, locale);
  if (found.Series && found.Previous > 0) text += " (before: " + FormatShortDate(found.Previous, locale) + ")";
  return text;
}

}  // namespace

TSearchWindow::TSearchWindow(TSearch search, const TLocale& locale, const QString& text, QWidget* parent)
    : QDialog(parent), Search_(std::move(search)), Locale_(locale) {
  setObjectName("SearchWindow");
  setWindowTitle("Find");
  resize(640, 420);
  Query_ = new QLineEdit(text, this);
  Query_->setObjectName("SearchText");
  Query_->setClearButtonEnabled(true);
  auto* caption = new QLabel("&Find:", this);
  caption->setBuddy(Query_);
  Results_ = new QTreeWidget(this);
  Results_->setObjectName("SearchResults");
  Results_->setColumnCount(3);
  Results_->setHeaderLabels({"When", "Title", "Text"});
  Results_->setRootIsDecorated(false);
  Results_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  Results_->header()->setStretchLastSection(true);
  auto* hint = new QLabel("Enter goes to the record, Shift+Enter opens it.", this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(caption);
  layout->addWidget(Query_);
  layout->addWidget(Results_, 1);
  layout->addWidget(hint);
  Typing_.setSingleShot(true);
  Typing_.setInterval(120);
  Poll_.setInterval(15);
  connect(Query_, &QLineEdit::textChanged, this, [this] { Typing_.start(); });
  connect(&Typing_, &QTimer::timeout, this, [this] { StartSearch(); });
  connect(&Poll_, &QTimer::timeout, this, [this] { TakeResults(); });
  connect(Results_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
    Choose(item, (QApplication::keyboardModifiers() & Qt::ShiftModifier) != 0);
  });
  if (!text.isEmpty()) StartSearch();
}

TSearchWindow::~TSearchWindow() {
  // A search still running reads only its own copy of the files; it is waited for.
  if (Running_.valid()) Running_.wait();
}

std::optional<TSearchWindow::TChoice> TSearchWindow::Run() {
  Query_->setFocus();
  exec();
  return Chosen_;
}

void TSearchWindow::StartSearch() {
  if (Running_.valid()) {
    Typing_.start();  // the text is searched once the search before it ended
    return;
  }
  RunningText_ = Query_->text().trimmed().toStdString();
  if (RunningText_.empty()) {
    ShowResults({});
    return;
  }
  Running_ = std::async(std::launch::async, [search = Search_, text = RunningText_] { return search(text); });
  Poll_.start();
}

void TSearchWindow::TakeResults() {
  if (!Running_.valid() || Running_.wait_for(std::chrono::seconds(0)) != std::future_status::ready) return;
  Poll_.stop();
  std::vector<TVpFound> found;
  try {
    found = Running_.get();
  } catch (const std::exception& e) {
    Results_->clear();
    auto* item =
        new QTreeWidgetItem(Results_, {"", QString::fromStdString(std::string("The search failed: ") + e.what())});
    item->setFlags(Qt::ItemIsEnabled);
    return;
  }
  if (RunningText_ == Query_->text().trimmed().toStdString()) ShowResults(found);
}

void TSearchWindow::ShowResults(const std::vector<TVpFound>& found) {
  Shown_ = found;
  Results_->clear();
  QTreeWidgetItem* group = nullptr;
  for (size_t i = 0; i < Shown_.size(); ++i) {
    const TVpFound& item = Shown_[i];
    if (group == nullptr || group->data(0, kFoundIndex).toInt() != item.Kind) {
      group = new QTreeWidgetItem(Results_, {KindCaption(item.Kind)});
      group->setData(0, kFoundIndex, item.Kind);
      group->setFlags(Qt::ItemIsEnabled);
      QFont bold = group->font(0);
      bold.setBold(true);
      group->setFont(0, bold);
    }
    auto* row =
        new QTreeWidgetItem(Results_, {QString::fromStdString(WhenText(item, Locale_)),
                                       QString::fromStdString(item.Title), QString::fromStdString(item.Snippet)});
    row->setData(1, kFoundIndex, static_cast<qulonglong>(i));
  }
  if (Shown_.empty() && !RunningText_.empty() && !Query_->text().trimmed().isEmpty()) {
    auto* none = new QTreeWidgetItem(Results_, {"", "Nothing found"});
    none->setFlags(Qt::ItemIsEnabled);
  }
}

void TSearchWindow::Choose(QTreeWidgetItem* item, bool inDialog) {
  if (item == nullptr || !item->data(1, kFoundIndex).isValid()) return;
  const size_t index = item->data(1, kFoundIndex).toULongLong();
  if (index >= Shown_.size()) return;
  Chosen_ = TChoice{Shown_[index], inDialog};
  accept();
}

void TSearchWindow::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (enter) {
    QTreeWidgetItem* item = Results_->hasFocus() ? Results_->currentItem() : nullptr;
    // From the text field: the first record listed.
    for (int i = 0; item == nullptr && i < Results_->topLevelItemCount(); ++i)
      if (Results_->topLevelItem(i)->data(1, kFoundIndex).isValid()) item = Results_->topLevelItem(i);
    Choose(item, (event->modifiers() & Qt::ShiftModifier) != 0);
    return;
  }
  if (event->key() == Qt::Key_Down && Query_->hasFocus() && Results_->topLevelItemCount() > 0) {
    Results_->setFocus();
    for (int i = 0; i < Results_->topLevelItemCount(); ++i)
      if (Results_->topLevelItem(i)->data(1, kFoundIndex).isValid()) {
        Results_->setCurrentItem(Results_->topLevelItem(i));
        break;
      }
    return;
  }
  QDialog::keyPressEvent(event);
}
