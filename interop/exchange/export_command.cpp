#include "interop/exchange/export_command.h"

#include <filesystem>
#include <set>
#include <vector>

#include "interop/ical/ical_writer.h"
#include "interop/vcard/vcard_contact_writer.h"
#include "model/date_stamps.h"
#include "model/day_number.h"
#include "model/recurrence.h"

namespace {

// Whether the event touches the range: it starts before the range ends, and it or its
// repetition lasts into the range.
bool InRange(const TVpEvent& event, const TVpExportRange& range) {
  if (range.To > 0 && DateOf(event.StartTime()) > range.To) return false;
  if (range.From <= 0) return true;
  double lasts = event.EndTime();
  if (IsRepeating(event.RepeatCode()) || !event.RepeatRule().empty())
    lasts = std::max(lasts, event.RepeatRangeEnd() + 1);
  for (const TVpStamp& extra : ParseStampList(event.ExtraDates())) lasts = std::max(lasts, DateOf(extra.Value) + 2);
  return lasts > range.From;
}

// The events to write: those in the range, each changed occurrence with its series.
std::vector<const TVpEvent*> EventsInRange(const TVpSchedule& schedule, const TVpExportRange& range) {
  std::set<int> series;
  std::vector<const TVpEvent*> events;
  for (int i = 0; i < schedule.Count(); ++i) {
    const TVpEvent& event = *schedule.Items(i);
    if (event.SeriesID() == 0 && InRange(event, range)) {
      events.push_back(&event);
      series.insert(event.RecordID());
    }
  }
  for (int i = 0; i < schedule.Count(); ++i)
    if (series.count(schedule.Items(i)->SeriesID())) events.push_back(schedule.Items(i));
  return events;
}

// Runs the export: the resource's records, their UIDs (the missing ones stored in one write),
// then the file's text from them.
template <class TWrite>
TVpExportSummary Export(const TVpExchangeTarget& target, TFileWriter& writer, const std::string& file, TWrite write) {
  TVpExchangeSession session(target, writer);
  TVpExportSummary summary;
  std::string text;
  const TVpResource* resource = session.WhileWriting(false, [&](TVpResource& resource) {
    TTableBatch batch(session.Uids().Table());
    text = write(session, resource, summary);
    batch.Commit();
  });
  if (resource == nullptr) throw std::runtime_error("the data folder has no resource to export");
  summary.Resource = resource->Description();
  // Written where the user pointed: a link at the path would have the file it points to replaced
  // (a link planted there could point anywhere), and replacing the link itself would break it.
  std::error_code error;
  if (std::filesystem::is_symlink(file, error))
    throw EFileWriteError("Unable to write \"" + file +
                          "\": it is a symbolic link, and an export never writes through one; name the file itself");
  writer.ReplaceFile(file, text);
  return summary;
}

}  // namespace

TVpExportSummary ExportIcalFile(const TVpExchangeTarget& target, TFileWriter& writer, const std::string& file,
                                const TVpExportRange& range, std::time_t stamp) {
  return Export(target, writer, file,
                [&](TVpExchangeSession& session, TVpResource& resource, TVpExportSummary& summary) {
                  std::vector<TIcalEvent> events;
                  for (const TVpEvent* event : EventsInRange(resource.Schedule(), range))
                    events.push_back(IcalEventOf(session, *event));
                  std::vector<TIcalTask> tasks;
                  for (int i = 0; i < resource.Tasks().Count(); ++i)
                    tasks.push_back(IcalTaskOf(session, *resource.Tasks().Items(i)));
                  summary.Events = static_cast<int>(events.size());
                  summary.Tasks = static_cast<int>(tasks.size());
                  return WriteIcal(events, tasks, stamp);
                });
}

TVpExportSummary ExportVCardFile(const TVpExchangeTarget& target, TFileWriter& writer, const std::string& file) {
  return Export(target, writer, file,
                [&](TVpExchangeSession& session, TVpResource& resource, TVpExportSummary& summary) {
                  std::string text;
                  for (int i = 0; i < resource.Contacts().Count(); ++i) {
                    const TVpContact& contact = *resource.Contacts().Items(i);
                    text += WriteVCard(contact, session.Uids().UidGivenTo(tkContacts, contact.RecordID()));
                  }
                  summary.Contacts = resource.Contacts().Count();
                  return text;
                });
}
