#pragma once

#include <array>
#include <string>

#include "interop/ical/ical_item.h"
#include "model/category_color_map.h"
#include "sync/sync_codec.h"

// Calendar items: one calendar object per text, a VCALENDAR with one event (VEVENT) or task
// (VTODO) and the VTIMEZONEs it names. The organizer keeps one record per item: a repeat is held
// by its rule when the planner can hold the rule (its extra dates, exceptions and changed
// occurrences are not held, and stay on the server), otherwise the record is the first occurrence
// alone (the rule stays on the server). The digest counts what the organizer maps, as local
// times of this machine; a task's creation moment is a stamp and does not count.
class TCalendarSyncCodec : public TSyncItemCodec {
 public:
  // The folder's event categories: a record holds a category by its number, found by name.
  explicit TCalendarSyncCodec(const TVpCategoryColorMap& categories);

  TSyncCollectionKind Collection() const override { return sckCalendar; }
  bool Digest(std::string_view text, TSyncItemDigest& digest, std::string& error) const override;
  // Changing the start or the repeat here drops the server's extra dates, exceptions and changed
  // occurrences, which named occurrences of the old repeat. Labelled lines the organizer added to
  // the notes (web page, attendees) stay properties of their own; a user who edited those lines
  // here has them in the notes only, and the properties go. The location is a part of its own.
  std::string Merge(std::string_view serverText, std::string_view ourText) const override;
  std::string ConflictCopy(std::string_view text, const std::string& newUid) const override;

 private:
  std::array<std::string, TVpCategoryColorMap::kCategoryCount> Categories_;
};

// Reads a calendar item as the organizer keeps it (one record per item, repeats not expanded):
// the content's first event, else its first task, is the item. False with the reason when the
// text cannot be read or holds neither.
bool ReadCalendarItem(std::string_view text, TIcalContent& content, std::string& error);
