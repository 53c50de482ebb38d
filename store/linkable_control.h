#pragma once

#include <functional>

#include "model/enumerations.h"
#include "platform/canvas.h"
#include "platform/input.h"

class TVpCustomDataStore;
class TVpControlLink;

// The kind of a view, as print formats name the things they print.
enum TVpItemType {
  itDayView = 0,
  itWeekView = 1,
  itMonthView = 2,
  itCalendar = 3,  // the date-picker calendar
  itShape = 4,     // print formats only
  itCaption = 5,   // print formats only
  itTasks = 6,
  itContacts = 7,
};

// What the views of one control link tell each other.
enum TVpNotificationKind {
  nkDateChanged = 0,   // the value is the new date
  nkRepaint = 2,       // repaint (the date-picker calendar ignores it)
  nkRepaintAll = 3,    // repaint, every view
};

// The base of every view that shows planner data: it reads its records through a data store and
// keeps its date in step with the other views through a control link. A view belongs to a window
// (its owner); the store repaints the views of its own window when its data changes.
class TVpLinkableControl {
 public:
  explicit TVpLinkableControl(const void* owner = nullptr) : Owner_(owner) {}
  // Leaves its link and its store.
  virtual ~TVpLinkableControl();
  TVpLinkableControl(const TVpLinkableControl&) = delete;
  TVpLinkableControl& operator=(const TVpLinkableControl&) = delete;

  const void* Owner() const { return Owner_; }

  TVpCustomDataStore* DataStore() const { return DataStore_; }
  // Stores the store (or none) and repaints.
  virtual void SetDataStore(TVpCustomDataStore* store);

  bool ReadOnly() const { return ReadOnly_; }
  void SetReadOnly(bool value) { ReadOnly_ = value; }

  TVpControlLink* ControlLink() const { return ControlLink_; }
  // Leaves the old link (clearing its own reference first) and joins the new one.
  void SetControlLink(TVpControlLink* link);

  // Where printing continues on the next page; -1 until a list view renders for printing.
  int NextPrintLine() const { return NextPrintLine_; }
  void SetNextPrintLine(int value) { NextPrintLine_ = value; }

  virtual TVpItemType GetItemType() const = 0;
  // Draws the whole view into the rectangle of the canvas: for the screen with displayOnly false,
  // for printing with it true.
  virtual void RenderIntoRect(TCanvas* canvas, const TRect& rect, TVpRotationAngle angle, double scale,
                              double renderDate, int startLine, int stopLine, TVpGranularity granularity,
                              bool displayOnly) = 0;
  // A notification from another view of the control link.
  virtual void HandleLinkNotification(TVpLinkableControl* sender, TVpNotificationKind kind, double value) = 0;

  // Whether a resource is active, offering to add or choose one when none is. Views call it before
  // adding or editing a record.
  bool CheckResourceSelected();

  // Asks the window hosting the view to repaint it.
  void Invalidate();
  // The host tells the view that it gained or lost the keyboard focus; both repaint.
  void FocusChanged(bool focused);

  // Set by the hosting window: how a repaint is requested.
  std::function<void()> OnInvalidate;
  std::function<void(TVpLinkableControl& sender)> AfterEnter;
  std::function<void(TVpLinkableControl& sender)> AfterExit;
  std::function<void(TVpLinkableControl& sender, TShiftState shift, int delta, int x, int y)> OnMouseWheel;

 private:
  friend class TVpControlLink;
  friend class TVpCustomDataStore;

  const void* Owner_;
  TVpCustomDataStore* DataStore_ = nullptr;
  TVpControlLink* ControlLink_ = nullptr;
  bool ReadOnly_ = false;
  int NextPrintLine_ = -1;
};
