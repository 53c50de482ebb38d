#pragma once

#include <string>
#include <vector>

#include "app/core/settings/program_settings.h"
#include "model/enumerations.h"
#include "platform/geometry.h"

class TVpControlLink;

// The main window as the program's life cycle sees it: what start-up, the close request and
// exit read from it and do to it. The desktop window implements it; tests use a fake.
class TMainWindowShell {
 public:
  virtual ~TMainWindowShell() = default;

  // The desktop and its screens (their usable areas), for placing the window.
  virtual TPoint DesktopSize() const = 0;
  virtual std::vector<TRect> Screens() const = 0;

  // Left, top, right and bottom of the main window, frame included; while it is maximised, the
  // place it goes back to.
  virtual TRect Geometry() const = 0;
  virtual void SetGeometry(const TRect& rect) = 0;
  // Whether the window is maximised, also while it is hidden in the notification area or
  // minimised. Set before the window shows, it shows maximised.
  virtual bool Maximized() const = 0;
  virtual void SetMaximized(bool maximized) = 0;
  virtual int ActiveTab() const = 0;
  virtual void SetActiveTab(int index) = 0;
  virtual int ContactColumnWidth() const = 0;
  virtual void SetContactColumnWidth(int width) = 0;
  virtual bool WeekViewShown() const = 0;
  virtual int WeekViewWidth() const = 0;
  virtual void SetWeekView(bool shown, int width) = 0;
  virtual TRect CalendarGeometry() const = 0;
  virtual void SetCalendarGeometry(const TRect& rect) = 0;
  // The looks and options read at start, for the views and the other windows.
  virtual void ApplySettings(const TProgramSettings& settings) = 0;
  virtual void SetDayViewGranularity(TVpGranularity granularity) = 0;
  // The Resources menu: one entry per resource, the one at `checked` (or none, -1) checked.
  virtual void SetResourcesMenu(const std::vector<std::string>& descriptions, int checked) = 0;

  // The control link of the main window's views, which holds the localization tables.
  virtual TVpControlLink& ControlLink() = 0;

  // Whether the desktop has a notification area to hide the window in.
  virtual bool NotificationAreaAvailable() const = 0;
  virtual void SetTrayIconVisible(bool visible) = 0;
  virtual void ShowMainWindow() = 0;
  // Hides the window and its taskbar button; only the notification-area icon stays.
  virtual void HideMainWindow() = 0;
  virtual void MinimizeMainWindow() = 0;
  // Closes the window for good, which ends the program.
  virtual void CloseMainWindow() = 0;
  virtual void StopClock() = 0;

  // The general error handler: shows the message (with its causes) in a message box.
  virtual void ShowError(const std::string& message) = 0;
};
