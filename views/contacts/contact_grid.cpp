#include "views/contacts/contact_grid.h"

#include <algorithm>

#include "model/contact.h"
#include "model/contacts.h"
#include "model/resource.h"
#include "store/data_store.h"
#include "views/contacts/contact_grid_pass.h"
#include "views/drawing/canvas_error.h"

namespace {

constexpr int kInitialWidth = 225;
constexpr int kInitialHeight = 299;

}  // namespace

TVpContactGrid::TVpContactGrid(const void* owner)
    : TVpLinkableControl(owner), Font_([this] { Invalidate(); }), HeadAttributes_([this] { Invalidate(); }) {
  HeadAttributes_.Font().Assign(Font_.Font());
  TVpLinkableControl::Resize(kInitialWidth, kInitialHeight);
}

TVpContactGrid::~TVpContactGrid() {
  if (DataStore() != nullptr) DataStore()->RemoveWatcher(this);
}

void TVpContactGrid::SetColumnWidth(int value) {
  if (value >= 50) Store(ColumnWidth_, std::min(value, kMaxColumnWidth));
}

TVpContacts* TVpContactGrid::Contacts() const {
  const TVpCustomDataStore* store = DataStore();
  if (store == nullptr || store->ActiveResource() == nullptr) return nullptr;
  return &store->ActiveResource()->Contacts();
}

void TVpContactGrid::SortContacts() {
  if (TVpContacts* contacts = Contacts()) {
    contacts->SetContactSort(SortBy_);
    contacts->Sort();
  }
}

void TVpContactGrid::SetSortBy(TVpContactSort value) {
  if (!AssignIfChanged(SortBy_, value)) return;
  SortContacts();
  SetActive(nullptr);
  Invalidate();
}

void TVpContactGrid::SetDataStore(TVpCustomDataStore* store) {
  // A store that went away has already dropped the grid (DataStore() is then none).
  if (DataStore() != nullptr) DataStore()->RemoveWatcher(this);
  if (store != nullptr) store->AddWatcher(this);
  TVpLinkableControl::SetDataStore(store);
  SortContacts();
}

void TVpContactGrid::HandleMessage(int message) {
  if (message == StoreChanged) SortContacts();
}

TVpContact* TVpContactGrid::ActiveContact() const {
  const TVpContacts* contacts = Contacts();
  if (contacts == nullptr || ActiveID_ < 0) return nullptr;
  // Looked up by its record ID: a reload replaces the contacts.
  return contacts->FindByRecordID(ActiveID_);
}

int TVpContactGrid::ActiveIndex() const {
  const TVpContact* active = ActiveContact();
  return active != nullptr ? active->ListIndex() : -1;
}

void TVpContactGrid::SetActive(TVpContact* contact) { ActiveID_ = contact != nullptr ? contact->RecordID() : -1; }

void TVpContactGrid::SelectByIndex(int index) {
  const TVpContacts* contacts = Contacts();
  SetActive(contacts != nullptr && index >= 0 && index < contacts->Count() ? contacts->Items(index) : nullptr);
  Invalidate();
}

bool TVpContactGrid::SelectByName(std::string_view text) {
  TVpContacts* contacts = Contacts();
  TVpContact* found = contacts != nullptr ? contacts->FindContactByName(text, true) : nullptr;
  if (found == nullptr) return false;
  ShowContact(*found);
  return true;
}

void TVpContactGrid::ShowContact(TVpContact& contact) {
  SortContacts();
  SetActive(&contact);
  const int index = contact.ListIndex();
  // The first contact after the visible ones is out of view too.
  if (index >= First_ + Screen_.VisibleCount || index <= First_) First_ = std::max(index - 1, 0);
  Invalidate();
}

void TVpContactGrid::RenderIntoRect(TCanvas* canvas, const TRect& rect, TVpRotationAngle angle, double, double,
                                    int startLine, int, TVpGranularity, bool displayOnly) {
  if (canvas == nullptr) throw EVpCanvasError("TCanvas not assigned");
  SortContacts();
  const int first = startLine == -1 ? First_ : startLine;
  TVpContactGridLayout layout = TVpContactGridPass(*this, Contacts(), *canvas, rect, angle, first, displayOnly).Draw();
  if (displayOnly) {
    SetNextPrintLine(layout.NextPrintLine);
    return;
  }
  Screen_ = std::move(layout);
  const TVpContacts* contacts = Contacts();
  const int count = contacts != nullptr ? contacts->Count() : 0;
  if (Screen_.ContactsPerColumn > 0) ColumnStep_ = Screen_.ContactsPerColumn;
  // Position p shows contact p - 1 first; the bar reaches as far as the first contact that shows
  // the last one, so that with every contact in view its thumb cannot move.
  ScrollBar_.Max = std::max(1, count - Screen_.VisibleCount + 1);
  ScrollBar_.PageSize = std::max(1, Screen_.VisibleCount);
  ScrollBar_.Position = First_ + 1;
}

void TVpContactGrid::Paint(TCanvas& canvas, const TRect& clientRect) {
  RenderIntoRect(&canvas, clientRect, ra0, 1.0, 0, -1, -1, gr30Min, false);
}

void TVpContactGrid::Resize(int width, int height) {
  First_ = 0;
  Screen_.HiddenCount = 0;
  TVpLinkableControl::Resize(width, height);
}

void TVpContactGrid::HandleLinkNotification(TVpLinkableControl*, TVpNotificationKind kind, double) {
  if (kind == nkRepaint || kind == nkRepaintAll) Invalidate();
}
