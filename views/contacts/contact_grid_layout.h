#pragma once

#include <string>
#include <vector>

#include "platform/geometry.h"
#include "views/day/day_view_tables.h"

class TVpContact;

// What one drawing pass of a contact grid laid out: the card of each contact of the collection
// (kUndrawnRect when it was not drawn), the column bars, and how the contacts fell into view.
struct TVpContactGridLayout {
  std::vector<TRect> Cards;
  std::vector<TRect> Bars;
  // The dashed bars of a column drag.
  std::vector<TRect> DragBars;
  int VisibleCount = 0;
  int HiddenCount = 0;
  // Cards of the first column; 0 when every card fitted in one column.
  int ContactsPerColumn = 0;
  // The first contact that did not fit a printed page, or -2 when every remaining one did.
  int NextPrintLine = -2;
};

// The bars are drawn up to this many; the bar table holds one more.
constexpr int kMaxContactGridBars = 99;

// The name on a contact's card: "Last, First" (last first) or "First Last", the last name alone
// without a first name.
std::string ContactDisplayName(const TVpContact& contact, bool firstLast);
// City, ", " and state, then " " and zip, each part only after a non-empty one.
std::string ContactCityLine(const TVpContact& contact);
// The question before a contact is deleted.
std::string ContactDeleteQuestion(const TVpContact& contact);
