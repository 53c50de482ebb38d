#pragma once

#include <functional>
#include <string>
#include <vector>

#include "model/enumerations.h"
#include "platform/assign_if_changed.h"
#include "platform/canvas.h"
#include "platform/input.h"
#include "store/link_listener.h"

class TVpCustomDataStore;
class TVpControlLink;
class TVpEditDialogs;

// One entry of a view's popup menu: choosing it answers its Command; an entry with Items opens
// them as a submenu.
struct TVpMenuItem {
  std::string Caption;
  int Command = -1;
  bool Enabled = true;
  std::vector<TVpMenuItem> Items;
};

// Where a menu opens: its top-left corner at At (in the view's pixels), raised by RaiseByItems
// times the height of one menu entry.
struct TVpMenuPlacement {
  TPoint At;
  double RaiseByItems = 0;
};

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

// A scroll bar a view wants along its right edge (or bottom edge). The hosting window shows it with the desktop's
// own width and passes the user's scrolling back to the view's Scroll.
struct TVpScrollBarInfo {
  bool Visible = false;
  int Top = 0;  // client coordinates of its top and bottom edges
  int Bottom = 0;
  int RightMargin = 0;  // pixels between its right edge and the view's
  int Min = 0;          // the positions it can take
  int Max = 0;
  int PageSize = 1;
  int Position = 0;
  // A sideways bar lies along the bottom edge across the whole width, below the view's client
  // area; Top, Bottom and RightMargin then do not apply.
  bool Horizontal = false;
  friend bool operator==(const TVpScrollBarInfo&, const TVpScrollBarInfo&) = default;
};

// What the user did to a scroll bar.
enum TVpScrollAction {
  saLineUp,
  saLineDown,
  saPageUp,
  saPageDown,
  saTrack,  // the thumb was dragged to a position
};

// The base of every view that shows planner data: it reads its records through a data store and
// keeps its date in step with the other views through a control link. A view belongs to a window
// (its owner); the store repaints the views of its own window when its data changes.
class TVpLinkableControl : public TVpLinkListener {
 public:
  explicit TVpLinkableControl(const void* owner = nullptr) : Owner_(owner) {}
  // Leaves its link and its store.
  virtual ~TVpLinkableControl();
  TVpLinkableControl(const TVpLinkableControl&) = delete;
  TVpLinkableControl& operator=(const TVpLinkableControl&) = delete;

  const void* Owner() const override { return Owner_; }

  TVpCustomDataStore* DataStore() const override { return DataStore_; }
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

  // The edit windows the view opens, set by its hosting window; a view without them adds and edits
  // nothing.
  TVpEditDialogs* EditDialogs() const { return EditDialogs_; }
  void SetEditDialogs(TVpEditDialogs* dialogs) { EditDialogs_ = dialogs; }

  // Whether the view can add or edit a record: it has a store and edit windows, and a resource is
  // active, offering to add or choose one when none is. Views call it before adding or editing a
  // record. A store that is not connected says instead which data file could not be opened.
  bool CheckResourceSelected();

  // Asks the window hosting the view to repaint it.
  void Invalidate() override;
  // The host tells the view that it gained or lost the keyboard focus; both repaint.
  virtual void FocusChanged(bool focused);
  bool Focused() const { return Focused_; }

  // Entry points of the hosting window. Coordinates are client pixels of the view.
  //
  // Paints the view on screen into its client rectangle. Views override it to pass their own
  // date, first line and granularity; by default the view draws the store's date.
  virtual void Paint(TCanvas& canvas, const TRect& clientRect);
  // The view's client size changed; it repaints.
  virtual void Resize(int width, int height);
  int Width() const { return Width_; }
  int Height() const { return Height_; }
  virtual void MouseDown(TMouseButton /*button*/, TShiftState /*shift*/, int /*x*/, int /*y*/) {}
  virtual void MouseUp(TMouseButton /*button*/, TShiftState /*shift*/, int /*x*/, int /*y*/) {}
  virtual void MouseMove(TShiftState /*shift*/, int /*x*/, int /*y*/) {}
  virtual void DoubleClick(int /*x*/, int /*y*/) {}
  // The pointer's shape over the point, the button up.
  virtual TPointerShape PointerShapeAt(int /*x*/, int /*y*/) const { return psArrow; }
  // A key (TKeyCode) went down; true when the view used it (the host passes other keys on).
  virtual bool KeyDown(int /*key*/, TShiftState /*shift*/) { return false; }
  // A character was typed (after KeyDown left its key unused); true when the view used it.
  virtual bool KeyPress(char32_t /*character*/) { return false; }
  // The wheel turned by delta (120 per notch, positive away from the user); raises OnMouseWheel.
  // True when the view used it.
  virtual bool MouseWheel(TShiftState shift, int delta, int x, int y);
  // The view's scroll bar, if it has one, as the last paint left it; its actions come to Scroll.
  virtual TVpScrollBarInfo ScrollBar() const { return {}; }
  virtual void Scroll(TVpScrollAction /*action*/, int /*position*/) {}

  // Set by the hosting window: how a repaint is requested.
  std::function<void()> OnInvalidate;
  std::function<void(TVpLinkableControl& sender)> AfterEnter;
  std::function<void(TVpLinkableControl& sender)> AfterExit;
  std::function<void(TVpLinkableControl& sender, TShiftState shift, int delta, int x, int y)> OnMouseWheel;
  // Set by the hosting window: shows the menu modally and returns the Command of the chosen entry,
  // or -1 when none was chosen.
  std::function<int(const std::vector<TVpMenuItem>& items, TVpMenuPlacement placement)> OnShowMenu;
  // Set by the hosting window: gives the view's window the keyboard focus (which then calls
  // FocusChanged). Without it the view counts as focused at once.
  std::function<void()> OnRequestFocus;

 protected:
  // Stores a differing value of a property and repaints.
  template <class T>
  void Store(T& field, T value) {
    if (AssignIfChanged(field, std::move(value))) Invalidate();
  }
  // Shows a menu through the host; -1 without one.
  int ShowMenu(const std::vector<TVpMenuItem>& items, TVpMenuPlacement placement);
  // Takes the keyboard focus unless the view has it.
  void RequestFocus();

 private:
  // The store's and the link's side: a notification reaches HandleLinkNotification.
  void LinkNotified(TVpLinkListener* sender, TVpNotificationKind kind, double value) override;
  void DataStoreReleased(const TVpCustomDataStore* store) override;
  void ControlLinkReleased(const TVpControlLink* link) override;

  const void* Owner_;
  TVpCustomDataStore* DataStore_ = nullptr;
  TVpControlLink* ControlLink_ = nullptr;
  TVpEditDialogs* EditDialogs_ = nullptr;
  bool ReadOnly_ = false;
  int NextPrintLine_ = -1;
  bool Focused_ = false;
  int Width_ = 0;
  int Height_ = 0;
};
