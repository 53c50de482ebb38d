// What the user does in the contact grid: selecting cards, dragging the column bars, scrolling
// sideways, keys and the popup menu. Everything works on the tables of the last on-screen pass.

#include <algorithm>
#include <vector>

#include "model/contact.h"
#include "model/contacts.h"
#include "store/change_path.h"
#include "views/contacts/contact_grid.h"
#include "views/drawing/drawing_helpers.h"
#include "views/edit_dialogs.h"

namespace {

enum TMenuCommand { mcAddContact, mcEditContact, mcDeleteContact };

constexpr TPoint kKeyMenuPoint{10, 10};

int IndexWithin(const std::vector<TRect>& rects, int x, int y) {
  for (size_t i = 0; i < rects.size(); ++i)
    if (PointWithin({x, y}, rects[i])) return static_cast<int>(i);
  return -1;
}

}  // namespace

int TVpContactGrid::BarAt(int x, int y) const { return IndexWithin(Screen_.Bars, x, y); }

void TVpContactGrid::HitTest(int x, int y) {
  const TVpContacts* contacts = Contacts();
  const int index = IndexWithin(Screen_.Cards, x, y);
  SetActive(contacts != nullptr && index >= 0 && index < contacts->Count() ? contacts->Items(index) : nullptr);
  Invalidate();
}

void TVpContactGrid::MouseDown(TMouseButton button, TShiftState, int x, int y) {
  if (ReadOnly()) return;
  RequestFocus();
  if (button == mbRight) {
    HitTest(x, y);
    ShowPopupMenu({x, y});
    return;
  }
  if (button != mbLeft) return;
  DragBar_ = BarAt(x, y);
  if (DragBar_ >= 0) {
    Dragging_ = true;
    ProposedWidth_ = ColumnWidth_;
    Invalidate();
  } else {
    HitTest(x, y);
  }
}

void TVpContactGrid::DoubleClick(int x, int y) {
  if (ReadOnly() || !CheckResourceSelected() || Contacts() == nullptr) return;
  RequestFocus();
  HitTest(x, y);
  if (ActiveContact() != nullptr) EditActiveContact();
  else AddContact();
}

void TVpContactGrid::MouseMove(TShiftState, int x, int y) {
  // A drag always knows its bar from the press; the bar under the pointer may replace it.
  if (!Dragging_ || DragBar_ < 0) return;
  int bar = BarAt(x, y);
  if (bar < 0) bar = IndexWithin(Screen_.DragBars, x, y);
  if (bar >= 0) DragBar_ = bar;
  int width = x / (DragBar_ + 1) - (BarWidth_ + 4) / 2;
  if (width <= 50) width = 50;
  else if (width >= Width() - 50) width = Width() - 50;
  ProposedWidth_ = width;
  Invalidate();
}

void TVpContactGrid::MouseUp(TMouseButton button, TShiftState, int, int) {
  if (button != mbLeft || !Dragging_) return;
  Dragging_ = false;
  DragBar_ = -1;
  SetColumnWidth(ProposedWidth_);
  Invalidate();
}

void TVpContactGrid::Scroll(TVpScrollAction action, int position) {
  const TVpContacts* contacts = Contacts();
  const int count = contacts != nullptr ? contacts->Count() : 0;
  const int perColumn = ColumnStep();
  switch (action) {
    case saLineUp:
    case saPageUp:
      if (First_ > 0) First_ -= perColumn;
      break;
    case saLineDown:
    case saPageDown:
      if (Screen_.HiddenCount > 0) First_ += perColumn;
      break;
    case saTrack:
      if (position - 1 > First_ && Screen_.HiddenCount == 0) return;
      First_ = position - 1;
      break;
  }
  if (First_ >= count) First_ = count - perColumn;
  if (First_ < 0) First_ = 0;
  Invalidate();
}

bool TVpContactGrid::KeyDown(int key, TShiftState shift) {
  const TVpContacts* contacts = Contacts();
  const int count = contacts != nullptr ? contacts->Count() : 0;
  const int index = ActiveIndex();
  const int perColumn = ColumnStep();
  switch (key) {
    case VK_UP:
    case VK_HOME:
      if (index > 0) SelectByIndex(index - 1);
      return true;
    case VK_DOWN:
    case VK_END:
      if (index < count - 1) SelectByIndex(index + 1);
      return true;
    case VK_LEFT: SelectByIndex(std::max(index - perColumn, 0)); return true;
    case VK_RIGHT: SelectByIndex(std::min(index + perColumn, count - 1)); return true;
    case VK_DELETE:
      if (!ReadOnly()) DeleteActiveContact();
      return true;
    case VK_APPS: ShowPopupMenu(kKeyMenuPoint); return true;
    case VK_F10:
      if ((shift & ssShift) == 0) return false;
      ShowPopupMenu(kKeyMenuPoint);
      return true;
    default: return false;
  }
}

void TVpContactGrid::DeleteActiveContact() {
  TVpCustomDataStore* store = DataStore();
  const TVpContact* active = ActiveContact();
  if (store == nullptr || active == nullptr) return;
  const int recordID = active->RecordID();
  if (!store->Services().MessageBoxes.AskYesNo(ContactDeleteQuestion(*active))) return;
  // The question is modal: the contacts may have been reloaded meanwhile.
  TVpContact* confirmed = FindRecordAgain(store, active, recordID);
  SetActive(nullptr);
  if (confirmed != nullptr) store->Changes().Delete(*confirmed);
  Invalidate();
}

void TVpContactGrid::ShowPopupMenu(TPoint at) {
  if (ReadOnly()) return;
  const bool active = ActiveContact() != nullptr;
  const std::vector<TVpMenuItem> items = {{"Add Contact...", mcAddContact, true, {}},
                                          {"Edit Contact...", mcEditContact, active, {}},
                                          {"Delete Contact...", mcDeleteContact, active, {}}};
  switch (ShowMenu(items, {at, 0})) {
    case mcAddContact: AddContact(); break;
    case mcEditContact: EditActiveContact(); break;
    case mcDeleteContact: DeleteActiveContact(); break;
    default: break;
  }
}

// --- adding and editing ---

void TVpContactGrid::AddContact() {
  if (ReadOnly() || !CheckResourceSelected()) return;
  TVpCustomDataStore* store = DataStore();
  TVpContacts* contacts = Contacts();
  if (store == nullptr || contacts == nullptr) return;
  TVpContact* contact = contacts->AddContact(store->GetNextID("Contacts"));
  SetActive(contact);
  EditContact(*contact, true);
}

void TVpContactGrid::EditActiveContact() {
  TVpContact* contact = ActiveContact();
  if (ReadOnly() || contact == nullptr) return;
  EditContact(*contact, false);
}

void TVpContactGrid::EditContact(TVpContact& contact, bool isNew) {
  TVpCustomDataStore* store = DataStore();
  TVpEditDialogs* dialogs = EditDialogs();
  if (store == nullptr || dialogs == nullptr) return;
  const TVpEditOutcome outcome = store->Changes().Edit<TVpContact>(
      contact, isNew, [&](TVpContact& edited) { return dialogs->EditContact(*store, ControlLink(), edited); });
  if (outcome == eoRemoved) SetActive(nullptr);
  Invalidate();
}
