#pragma once

#include "model/enumerations.h"
#include "platform/message_queue.h"
#include "views/contacts/contact_grid_layout.h"
#include "views/drawing/vp_font.h"
#include "views/linkable_control.h"

class TVpContact;
class TVpContacts;

// The name box of a contact card.
class TVpContactHeadAttr {
 public:
  explicit TVpContactHeadAttr(std::function<void()> onChange) : OnChange_(onChange), Font_(std::move(onChange)) {}
  TVpFont& Font() { return Font_; }
  const TVpFont& Font() const { return Font_; }
  TColor Color() const { return Color_; }
  void SetColor(TColor value) { Store(Color_, value); }
  bool Bordered() const { return Bordered_; }
  void SetBordered(bool value) { Store(Bordered_, value); }

 private:
  template <class T>
  void Store(T& field, T value) {
    if (AssignIfChanged(field, value) && OnChange_) OnChange_();
  }
  std::function<void()> OnChange_;
  TVpFont Font_;
  TColor Color_ = clSilver;
  bool Bordered_ = true;
};

// The contact grid: the active resource's contacts as cards in columns separated by bars, like
// the pages of an address book. Dragging a bar sets the width of every column; the grid scrolls
// sideways a column at a time. It draws itself only through RenderIntoRect; an on-screen pass
// leaves behind the card and bar tables that clicks are tested against.
class TVpContactGrid : public TVpLinkableControl, public TMessageTarget {
 public:
  explicit TVpContactGrid(const void* owner = nullptr);
  ~TVpContactGrid() override;

  // --- properties; every change repaints ---
  int ColumnWidth() const { return ColumnWidth_; }
  // Widths below 50 are ignored; widths above kMaxColumnWidth become it.
  void SetColumnWidth(int value);
  static constexpr int kMaxColumnWidth = 4000;
  // Values of 0 or less are ignored.
  int BarWidth() const { return BarWidth_; }
  void SetBarWidth(int value) {
    if (value > 0) Store(BarWidth_, value);
  }
  TColor BarColor() const { return BarColor_; }
  void SetBarColor(TColor value) { Store(BarColor_, value); }
  TColor Color() const { return Color_; }
  void SetColor(TColor value) { Store(Color_, value); }
  TVpDrawingStyle DrawingStyle() const { return DrawingStyle_; }
  void SetDrawingStyle(TVpDrawingStyle value) { Store(DrawingStyle_, value); }
  TVpFont& Font() { return Font_; }
  const TVpFont& Font() const { return Font_; }
  TVpContactHeadAttr& ContactHeadAttributes() { return HeadAttributes_; }
  const TVpContactHeadAttr& ContactHeadAttributes() const { return HeadAttributes_; }
  int PrintNumColumns() const { return PrintNumColumns_; }
  void SetPrintNumColumns(int value) { PrintNumColumns_ = value; }
  // A new order re-sorts the contacts and clears the active contact.
  TVpContactSort SortBy() const { return SortBy_; }
  void SetSortBy(TVpContactSort value);

  // The active contact while it is still loaded; nullptr when none is or it is gone.
  TVpContact* ActiveContact() const;
  // Its index in the collection, -1 when none.
  int ActiveIndex() const;
  // The contact at the index becomes active (none outside the collection), without scrolling.
  void SelectByIndex(int index);
  // The first contact whose last name begins with the text (case ignored) becomes active and is
  // scrolled into view; false, changing nothing, when there is none.
  bool SelectByName(std::string_view text);
  // The contact becomes active and is scrolled into view.
  void ShowContact(TVpContact& contact);

  int FirstContact() const { return First_; }
  // The tables of the last on-screen pass.
  const TVpContactGridLayout& ScreenLayout() const { return Screen_; }

  bool Dragging() const { return Dragging_; }
  int ProposedWidth() const { return ProposedWidth_; }

  // --- TVpLinkableControl ---
  TVpItemType GetItemType() const override { return itContacts; }
  // Uses the canvas, the rectangle, the angle, the start line (-1: the first contact; -2: no
  // cards) and displayOnly. A print pass leaves NextPrintLine behind.
  void RenderIntoRect(TCanvas* canvas, const TRect& rect, TVpRotationAngle angle, double scale, double renderDate,
                      int startLine, int stopLine, TVpGranularity granularity, bool displayOnly) override;
  void HandleLinkNotification(TVpLinkableControl* sender, TVpNotificationKind kind, double value) override;
  void SetDataStore(TVpCustomDataStore* store) override;
  void Paint(TCanvas& canvas, const TRect& clientRect) override;
  void Resize(int width, int height) override;
  // The sideways scroll bar, always shown: from 1 to the number of contacts, the page the
  // visible cards, at the first card while some are hidden, else at the end.
  TVpScrollBarInfo ScrollBar() const override { return ScrollBar_; }
  // The store changed: re-sorts the contacts.
  void HandleMessage(int message) override;

  // --- what the user does (contact_grid_interaction.cpp) ---
  // A left press on a bar starts a column drag, elsewhere selects the card under it; a right
  // press selects and opens the popup menu.
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  bool KeyDown(int key, TShiftState shift) override;
  // Sideways scrolling: line and page up scroll left, down right, track to a contact.
  void Scroll(TVpScrollAction action, int position) override;
  // Selects the card under the point and edits it, or adds a contact when there is none.
  void DoubleClick(int x, int y) override;
  // A new contact of the active resource in the contact dialog; removed again on Cancel.
  void AddContact();
  // The active contact in the contact dialog; nothing without one.
  void EditActiveContact();
  // Asks, then deletes the active contact; nothing without one.
  void DeleteActiveContact();

 private:
  TVpContacts* Contacts() const;
  // How many contacts a sideways step moves: the cards of the first column, or, once the contacts
  // from the first shown on fit in one column, those of the last full one; 0 with every contact
  // in the first column.
  int ColumnStep() const {
    return Screen_.ContactsPerColumn > 0 ? Screen_.ContactsPerColumn : First_ > 0 ? ColumnStep_ : 0;
  }

  void SortContacts();
  void HitTest(int x, int y);
  int BarAt(int x, int y) const;
  void SetActive(TVpContact* contact);
  void ShowPopupMenu(TPoint at);
  void EditContact(TVpContact& contact, bool isNew);

  int ColumnWidth_ = 145;
  int BarWidth_ = 3;
  TColor BarColor_ = clSilver;
  TColor Color_ = clWindow;
  TVpDrawingStyle DrawingStyle_ = ds3d;
  TVpFont Font_;
  TVpContactHeadAttr HeadAttributes_;
  int PrintNumColumns_ = 3;
  TVpContactSort SortBy_ = csLastFirst;

  int ActiveID_ = -1;
  int First_ = 0;
  TVpContactGridLayout Screen_;
  TVpScrollBarInfo ScrollBar_{.Visible = true, .Min = 1, .Max = 1, .Horizontal = true};
  // The cards of a full column, from the last pass that broke into columns: the step of sideways
  // scrolling also once the contacts from the first shown on fit in one column.
  int ColumnStep_ = 0;

  bool Dragging_ = false;
  int DragBar_ = -1;
  int ProposedWidth_ = 0;
};
