#pragma once

#include <QDialog>
#include <QWidget>
#include <functional>

// The preferences window ("Koret Preferences"): created at start, filled by its own issue.
class TfrmOpt : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmOpt(QWidget* parent = nullptr);
};

// The calendar window: a separate window with a month view, shown and hidden by the main window.
// Closing it only hides it.
class TfrmCalendar : public QWidget {
  Q_OBJECT

 public:
  explicit TfrmCalendar(QWidget* parent = nullptr);
  // Runs when the window closes (the main window releases its Calendar button).
  std::function<void()> OnClosed;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
};

// The about box: the program's name and version, and OK.
class TAboutBox : public QDialog {
  Q_OBJECT

 public:
  explicit TAboutBox(QWidget* parent = nullptr);
};
