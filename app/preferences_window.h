#pragma once

#include <QDialog>
#include <memory>
#include <vector>

#include "app/core/windows/preferences.h"
#include "app/desktop_services.h"
#include "platform/log_on_entry.h"
#include "views/contacts/contact_grid.h"
#include "views/day/day_view.h"
#include "views/month/month_view.h"
#include "views/tasks/task_list.h"
#include "views/week/week_view.h"

class QCheckBox;
class QColorDialog;
class QComboBox;
class QFontDialog;
class QTabWidget;
class TVpControlLink;
class TVpCustomDataStore;
class TVpViewWidget;
class TSyncPage;

// The preferences window ("Koret Preferences"): start-up options and the time format, the skin,
// and the fonts and colours of the five views, each look page with a read-only sample view on
// which a choice shows at once. OK writes the settings and hands the samples' looks to the live
// views; Cancel (or Escape, or the close box) leaves both alone. Created once, shown modally.
class TfrmOpt : public QDialog {
  Q_OBJECT

 public:
  // The samples belong to the owner's window, as the live views do.
  TfrmOpt(TQtDesktop& desktop, const void* owner, QWidget* parent = nullptr);
  ~TfrmOpt() override;

  // The live views and what the samples share with them: given once the calendar window exists.
  void Connect(TPreferenceViews live, TVpCustomDataStore& store, TVpControlLink& link, TSettingsStore& settings);
  // The Skin page and its logic, which replace the empty page.
  void SetSkinPage(QWidget* page, TPreferencesSkinPage& logic);
  // The Sync page, the last one.
  void SetSyncPage(TSyncPage* page);
  // Start-up sets the start options, the time format, the granularity and "Don't use skin".
  void ApplyStartSettings(const TProgramSettings& settings);
  // Shows the window modally on the page.
  void ExecOnPage(TPreferencesPage page);
  // Whether new events keep the desktop's zone, as the window last confirmed or was started with.
  bool NewEventsZoned() const { return Logic_ != nullptr && Logic_->NewEventsZoned(); }
  bool DesktopNotifications() const { return Logic_ == nullptr || Logic_->DesktopNotifications(); }

 protected:
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  QWidget* BuildGeneralPage();
  // A look page: its buttons in one column, the sample view in the "Preview:" group at the right.
  QWidget* BuildLookPage(TPreferencesPage page, TVpLinkableControl& sample, const char* sampleName);
  void AddTaskBoxes(QWidget& page);
  void AddGranularityList(QWidget& page);
  void AddSecondZoneChoice(QWidget& page);
  void ChooseFont(const TLookButton& button);
  void ChooseColor(const TLookButton& button);
  // The controls show the logic's state.
  void ShowState();
  void Confirm();
  // The window keeps its size while it is open: its designed size, or larger where its pages and
  // the tabs' whole captions need more at the desktop's font and with the skin's style.
  void FitToPages();

  TQtDesktop& Desktop_;
  TVpTaskList TLOpt_;
  TVpDayView DVOpt_;
  TVpWeekView WVOpt_;
  TVpMonthView CVOpt_;
  TVpContactGrid CGOpt_;
  TAutostartEntry Autostart_;
  std::unique_ptr<TPreferences> Logic_;
  TPreferencesSkinPage* SkinLogic_ = nullptr;
  TSyncPage* SyncPage_ = nullptr;
  QTabWidget* Pages_ = nullptr;
  QCheckBox* cbStartup_ = nullptr;
  QCheckBox* cbZoned_ = nullptr;
  QCheckBox* cbNotifications_ = nullptr;
  QCheckBox* cbMinimized_ = nullptr;
  QComboBox* cbTime_ = nullptr;
  QComboBox* cbGran_ = nullptr;
  QComboBox* cbSecondZone_ = nullptr;
  QCheckBox* ShowAll_ = nullptr;
  QCheckBox* ShowCompleted_ = nullptr;
  QCheckBox* ShowDue_ = nullptr;
  QFontDialog* FontDialog_ = nullptr;
  QColorDialog* ColorDialog_ = nullptr;
  std::vector<TVpViewWidget*> SampleHosts_;
};
