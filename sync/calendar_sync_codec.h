#pragma once

#include <array>
#include <string>

#include "interop/ical/ical_item.h"
#include "model/category_color_map.h"
#include "sync/sync_codec.h"

// Calendar items: one calendar object per text, a VCALENDAR with one event (VEVENT) or task
// (VTODO) and the VTIMEZONEs it names. The organizer keeps one record per item, and for an event's
// changed occurrences (RECURRENCE-ID, same UID) one linked record each: a repeat keeps its rule,
// exception and extra dates, and what the organizer has no field for travels with the record. The
// digest counts what the organizer maps, as local times of this machine; a task's creation moment
// is a stamp and does not count.
class TCalendarSyncCodec : public TSyncItemCodec {
 public:
  // The folder's event categories: a record holds a category by its number, found by name.
  explicit TCalendarSyncCodec(const TVpCategoryColorMap& categories);

  TSyncCollectionKind Collection() const override { return sckCalendar; }
  bool Digest(std::string_view text, TSyncItemDigest& digest, std::string& error) const override;
  // The server's item with the parts the organizer maps that differ replaced by ours; what the
  // organizer does not map stays as the server has it. The changed occurrences are replaced as a
  // whole when any differs. Labelled lines the organizer added to a task's notes (web page,
  // attendees) stay properties of their own; a user who edited those lines here has them in the
  // notes only, and the properties go. The location is a part of its own.
  std::string Merge(std::string_view serverText, std::string_view ourText) const override;
  std::string ConflictCopy(std::string_view text, const std::string& newUid) const override;

 private:
  std::array<std::string, TVpCategoryColorMap::kCategoryCount> Categories_;
};

// Reads a calendar item as the organizer keeps it: the content's first event with its changed
// occurrences (as events after it), else its first task, is the item. False with the reason when
// the text cannot be read or holds neither.
bool ReadCalendarItem(std::string_view text, TIcalContent& content, std::string& error);
