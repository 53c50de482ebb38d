#pragma once

#include <QWidget>
#include <optional>
#include <string>

#include "app/core/windows/sync_page_logic.h"
#include "app/worker_thread.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class TSyncDesktop;
class TMessageBoxes;
class TFileWriter;

// The "Sync" page of the preferences window: the active resource's server account (address,
// user name, password in the keyring), "Test connection", which lists the server's calendars and
// address books, the two collections, the interval, the sync at start and the conflict policy.
class TSyncPage : public QWidget {
  Q_OBJECT

 public:
  TSyncPage(TSyncDesktop& sync, TMessageBoxes& messageBoxes, TFileWriter& writer, QWidget* parent = nullptr);

  // The window is about to show: the fields take the stored account.
  void Showing();
  // OK, before anything is written: false (with a message) when the fields cannot be stored.
  bool Check();
  // OK: stores the account (or removes it when the server's address is empty) and the password.
  void Ok();

 private:
  // The fields show the logic's state.
  void ShowState();
  // The logic takes the fields.
  void TakeFields();
  void TestConnection();
  // Stores the changed account (none: removes it); the status tables of changed collections go.
  void StoreAccount(std::optional<TSyncAccount> account);

  TSyncDesktop& Sync_;
  TMessageBoxes& MessageBoxes_;
  TFileWriter& Writer_;
  TSyncPageLogic Logic_;
  int ResourceID_ = 0;
  std::optional<std::string> LoadedPassword_;
  TWorkerThread Tester_;
  QLineEdit* Server_;
  QLineEdit* User_;
  QLineEdit* Password_;
  QPushButton* Test_;
  QLabel* TestResult_;
  QComboBox* Calendar_;
  QComboBox* AddressBook_;
  QSpinBox* Interval_;
  QCheckBox* AtStart_;
  QComboBox* Policy_;
};
