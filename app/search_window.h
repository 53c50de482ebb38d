#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QTimer>
#include <QTreeWidget>
#include <functional>
#include <future>
#include <optional>
#include <string>
#include <vector>

#include "store/record_search.h"

class TLocale;

// Edit > Find: what is typed is searched for while typing, off the window's thread, and the
// records found listed by kind, nearest first. Enter (or a double click) goes to the record chosen
// (the first when the text field has the focus), Shift+Enter opens it in its dialog.
class TSearchWindow : public QDialog {
 public:
  // Runs on a thread of its own: the records whose texts hold the text.
  using TSearch = std::function<std::vector<TVpFound>(const std::string& text)>;
  TSearchWindow(TSearch search, const TLocale& locale, const QString& text, QWidget* parent);
  ~TSearchWindow() override;

  struct TChoice {
    TVpFound Found;
    bool InDialog = false;
  };
  // The record chosen; nothing on Cancel.
  std::optional<TChoice> Run();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void StartSearch();
  void TakeResults();
  void ShowResults(const std::vector<TVpFound>& found);
  void Choose(QTreeWidgetItem* item, bool inDialog);

  TSearch Search_;
  const TLocale& Locale_;
  QLineEdit* Query_;
  QTreeWidget* Results_;
  QTimer Typing_;  // a search starts once typing pauses
  QTimer Poll_;    // looks for the running search's end
  std::future<std::vector<TVpFound>> Running_;
  std::string RunningText_;
  std::vector<TVpFound> Shown_;
  std::optional<TChoice> Chosen_;
};
