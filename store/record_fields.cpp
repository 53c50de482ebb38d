#include "store/record_fields.h"

#include "model/day_number.h"

std::string CanonicalTableField(TVpTableKind kind, const std::string& storeKey) {
  static const std::pair<TVpTableKind, std::pair<const char*, const char*>> renamed[] = {
      {tkResources, {"Active", "ResourceActive"}},      {tkEvents, {"Note", "Notes"}},
      {tkEvents, {"AlarmWavPath", "DingPath"}},         {tkEvents, {"AlarmAdv", "AlarmAdvance"}},
      {tkEvents, {"AlarmAdvType", "AlarmAdvanceType"}}, {tkEvents, {"CustInterval", "CustomInterval"}},
      {tkContacts, {"Position", "Job_Position"}}};
  for (const auto& [table, names] : renamed)
    if (table == kind && storeKey == names.first) return names.second;
  return storeKey;
}

namespace {

template <class R>
TRecordField<R> Text(std::string key, const std::string& (R::*get)() const, void (R::*set)(std::string)) {
  return {std::move(key), [set](R& r, const TField& f) { (r.*set)(f.AsString()); },
          [get](const R& r, TField& f) { f.SetAsString((r.*get)()); }};
}

template <class R, class T>
TRecordField<R> Integer(std::string key, T (R::*get)() const, void (R::*set)(T)) {
  return {std::move(key), [set](R& r, const TField& f) { (r.*set)(static_cast<T>(f.AsInteger())); },
          [get](const R& r, TField& f) { f.SetAsInteger((r.*get)()); }};
}

template <class R>
TRecordField<R> Boolean(std::string key, bool (R::*get)() const, void (R::*set)(bool)) {
  return {std::move(key), [set](R& r, const TField& f) { (r.*set)(f.AsBoolean()); },
          [get](const R& r, TField& f) { f.SetAsBoolean((r.*get)()); }};
}

template <class R>
TRecordField<R> DateTime(std::string key, double (R::*get)() const, void (R::*set)(double)) {
  return {std::move(key), [set](R& r, const TField& f) { (r.*set)(f.AsDateTime()); },
          [get](const R& r, TField& f) { f.SetAsDateTime((r.*get)()); }};
}

// A field the tables gained later: left without a value (and so out of the file) while the record
// holds the default, which reading nothing gives back.
template <class R, class T, class V>
TRecordField<R> Optional(TRecordField<R> field, T (R::*get)() const, V empty) {
  auto write = std::move(field.Write);
  field.Write = [get, empty, write](const R& r, TField& f) {
    if ((r.*get)() == empty) f.Clear();
    else write(r, f);
  };
  return field;
}

// A field written but not read back (it is read when the record is created).
template <class R>
TRecordField<R> WrittenOnly(std::string key, double (R::*get)() const) {
  return {std::move(key), nullptr, [get](const R& r, TField& f) { f.SetAsDateTime((r.*get)()); }};
}

// Switching AllDayEvent on moves an event to midnight to 23:59 of its start day; an all-day event
// stored over several days (one taken in from a calendar file or a server) keeps its last day.
TRecordField<TVpEvent> AllDayEventField() {
  return {"AllDayEvent",
          [](TVpEvent& event, const TField& f) {
            const double storedEnd = event.EndTime();
            event.SetAllDayEvent(f.AsBoolean());
            if (event.AllDayEvent() && DateOf(storedEnd) > DateOf(event.StartTime()))
              event.SetEndTime(DateOf(storedEnd) + 1 - kOneMinute);
          },
          [](const TVpEvent& event, TField& f) { f.SetAsBoolean(event.AllDayEvent()); }};
}

template <class R>
void AddUserFields(std::vector<TRecordField<R>>& fields) {
  for (int i = 0; i < TVpRecord::kUserFieldCount; ++i)
    fields.push_back({"UserField" + std::to_string(i), [i](R& r, const TField& f) { r.SetUserField(i, f.AsString()); },
                      [i](const R& r, TField& f) { f.SetAsString(r.UserField(i)); }});
}

}  // namespace

const std::vector<TRecordField<TVpResource>>& ResourceRecordFields() {
  static const auto fields = [] {
    using R = TVpResource;
    std::vector<TRecordField<R>> f = {Text("Description", &R::Description, &R::SetDescription),
                                      Text("Notes", &R::Notes, &R::SetNotes),
                                      Boolean("Active", &R::Active, &R::SetActive)};
    AddUserFields(f);
    return f;
  }();
  return fields;
}

const std::vector<TRecordField<TVpEvent>>& EventRecordFields() {
  static const auto fields = [] {
    using R = TVpEvent;
    std::vector<TRecordField<R>> f = {
        WrittenOnly("StartTime", &R::StartTime), WrittenOnly("EndTime", &R::EndTime),
        Text("Description", &R::Description, &R::SetDescription), Text("Note", &R::Notes, &R::SetNotes),
        Optional(Text("Location", &R::Location, &R::SetLocation), &R::Location, ""),
        Integer("Category", &R::Category, &R::SetCategory), Text("AlarmWavPath", &R::DingPath, &R::SetDingPath),
        AllDayEventField(), Boolean("AlarmSet", &R::AlarmSet, &R::SetAlarmSet),
        Integer("AlarmAdv", &R::AlarmAdvance, &R::SetAlarmAdvance),
        Integer("AlarmAdvType", &R::AlarmAdvanceType, &R::SetAlarmAdvanceType),
        DateTime("SnoozeTime", &R::SnoozeTime, &R::SetSnoozeTime),
        Integer("RepeatCode", &R::RepeatCode, &R::SetRepeatCode),
        DateTime("RepeatRangeEnd", &R::RepeatRangeEnd, &R::SetRepeatRangeEnd),
        Integer("CustInterval", &R::CustomInterval, &R::SetCustomInterval),
        // The zone before the start on its clock, which places the event.
        Optional(Text("TimeZone", &R::TimeZone, &R::SetTimeZone), &R::TimeZone, ""),
        Optional(DateTime("ZoneStartTime", &R::ZoneStartTime, &R::SetZoneStartTime), &R::ZoneStartTime, 0.0),
        Optional(Text("RepeatRule", &R::RepeatRule, &R::SetRepeatRule), &R::RepeatRule, ""),
        Optional(Text("ExceptionDates", &R::ExceptionDates, &R::SetExceptionDates), &R::ExceptionDates, ""),
        Optional(Text("ExtraDates", &R::ExtraDates, &R::SetExtraDates), &R::ExtraDates, ""),
        Optional(Integer("SeriesID", &R::SeriesID, &R::SetSeriesID), &R::SeriesID, 0),
        Optional(DateTime("OriginalStart", &R::OriginalStart, &R::SetOriginalStart), &R::OriginalStart, 0.0),
        Optional(Text("KeptProperties", &R::KeptProperties, &R::SetKeptProperties), &R::KeptProperties, "")};
    AddUserFields(f);
    return f;
  }();
  return fields;
}

const std::vector<TRecordField<TVpContact>>& ContactRecordFields() {
  static const auto fields = [] {
    using R = TVpContact;
    std::vector<TRecordField<R>> f = {Text("FirstName", &R::FirstName, &R::SetFirstName),
                                      Text("LastName", &R::LastName, &R::SetLastName),
                                      DateTime("Birthdate", &R::Birthdate, &R::SetBirthdate),
                                      DateTime("Anniversary", &R::Anniversary, &R::SetAnniversary),
                                      Text("Title", &R::Title, &R::SetTitle),
                                      Text("Company", &R::Company, &R::SetCompany),
                                      Text("Position", &R::Position, &R::SetPosition),
                                      Text("EMail", &R::EMail, &R::SetEMail),
                                      Text("Address", &R::Address, &R::SetAddress),
                                      Text("City", &R::City, &R::SetCity),
                                      Text("State", &R::State, &R::SetState),
                                      Text("Zip", &R::Zip, &R::SetZip),
                                      Text("Country", &R::Country, &R::SetCountry),
                                      Integer("AddressType", &R::AddressType, &R::SetAddressType),
                                      Text("Note", &R::Note, &R::SetNote)};
    for (int i = 1; i <= R::kPhoneCount; ++i)
      f.push_back({"Phone" + std::to_string(i), [i](R& r, const TField& v) { r.SetPhone(i, v.AsString()); },
                   [i](const R& r, TField& v) { v.SetAsString(r.Phone(i)); }});
    for (int i = 1; i <= R::kPhoneCount; ++i)
      f.push_back({"PhoneType" + std::to_string(i),
                   [i](R& r, const TField& v) { r.SetPhoneType(i, static_cast<int>(v.AsInteger())); },
                   [i](const R& r, TField& v) { v.SetAsInteger(r.PhoneType(i)); }});
    f.push_back(Integer("Category", &R::Category, &R::SetCategory));
    for (int i = 1; i <= R::kCustomCount; ++i)
      f.push_back({"Custom" + std::to_string(i), [i](R& r, const TField& v) { r.SetCustom(i, v.AsString()); },
                   [i](const R& r, TField& v) { v.SetAsString(r.Custom(i)); }});
    AddUserFields(f);
    return f;
  }();
  return fields;
}

const std::vector<TRecordField<TVpTask>>& TaskRecordFields() {
  static const auto fields = [] {
    using R = TVpTask;
    std::vector<TRecordField<R>> f = {Boolean("Complete", &R::Complete, &R::SetComplete),
                                      Text("Description", &R::Description, &R::SetDescription),
                                      Text("Details", &R::Details, &R::SetDetails),
                                      DateTime("CreatedOn", &R::CreatedOn, &R::SetCreatedOn),
                                      DateTime("CompletedOn", &R::CompletedOn, &R::SetCompletedOn),
                                      Integer("Priority", &R::Priority, &R::SetPriority),
                                      Integer("Category", &R::Category, &R::SetCategory),
                                      DateTime("DueDate", &R::DueDate, &R::SetDueDate)};
    AddUserFields(f);
    return f;
  }();
  return fields;
}
