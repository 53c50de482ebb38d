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

// Text is written without a value when empty: reading nothing keeps a record's empty text.
void SetTextOrClear(TField& f, const std::string& value) {
  if (value.empty()) f.Clear();
  else f.SetAsString(value);
}

// A field whose record holds the value a record has when made is written without a value, and so
// left out of the file: reading nothing keeps that value, so the record reads back the same.
template <class R, class T, class Write>
auto UnlessDefault(T (R::*get)() const, std::decay_t<T> initial, Write write) {
  return [get, initial, write](const R& r, TField& f) {
    if ((r.*get)() == initial) f.Clear();
    else write(f, (r.*get)());
  };
}

template <class R>
TRecordField<R> Text(std::string key, const std::string& (R::*get)() const, void (R::*set)(std::string)) {
  return {std::move(key), [set](R& r, const TField& f) { (r.*set)(f.AsString()); },
          [get](const R& r, TField& f) { SetTextOrClear(f, (r.*get)()); }};
}

template <class R, class T>
TRecordField<R> Integer(std::string key, T (R::*get)() const, void (R::*set)(T)) {
  return {std::move(key), [set](R& r, const TField& f) { (r.*set)(static_cast<T>(f.AsInteger())); },
          UnlessDefault(get, T{}, [](TField& f, T v) { f.SetAsInteger(v); })};
}

template <class R>
TRecordField<R> Boolean(std::string key, bool (R::*get)() const, void (R::*set)(bool)) {
  return {std::move(key), [set](R& r, const TField& f) { (r.*set)(f.AsBoolean()); },
          UnlessDefault(get, false, [](TField& f, bool v) { f.SetAsBoolean(v); })};
}

template <class R>
TRecordField<R> DateTime(std::string key, double (R::*get)() const, void (R::*set)(double)) {
  return {std::move(key), [set](R& r, const TField& f) { (r.*set)(f.AsDateTime()); },
          UnlessDefault(get, 0.0, [](TField& f, double v) { f.SetAsDateTime(v); })};
}

// A field written whatever it holds: a task's creation time (a task read without one would keep
// the time it was read).
template <class R>
TRecordField<R> Always(std::string key, double (R::*get)() const, void (R::*set)(double)) {
  return {std::move(key), [set](R& r, const TField& f) { (r.*set)(f.AsDateTime()); },
          [get](const R& r, TField& f) { f.SetAsDateTime((r.*get)()); }};
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
          UnlessDefault(&TVpEvent::AllDayEvent, false, [](TField& f, bool v) { f.SetAsBoolean(v); })};
}

template <class R>
void AddUserFields(std::vector<TRecordField<R>>& fields) {
  for (int i = 0; i < TVpRecord::kUserFieldCount; ++i)
    fields.push_back({"UserField" + std::to_string(i), [i](R& r, const TField& f) { r.SetUserField(i, f.AsString()); },
                      [i](const R& r, TField& f) { SetTextOrClear(f, r.UserField(i)); }});
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
        Text("Location", &R::Location, &R::SetLocation), Integer("Category", &R::Category, &R::SetCategory),
        Text("AlarmWavPath", &R::DingPath, &R::SetDingPath), AllDayEventField(),
        Boolean("AlarmSet", &R::AlarmSet, &R::SetAlarmSet), Integer("AlarmAdv", &R::AlarmAdvance, &R::SetAlarmAdvance),
        Integer("AlarmAdvType", &R::AlarmAdvanceType, &R::SetAlarmAdvanceType),
        DateTime("SnoozeTime", &R::SnoozeTime, &R::SetSnoozeTime),
        Integer("RepeatCode", &R::RepeatCode, &R::SetRepeatCode),
        DateTime("RepeatRangeEnd", &R::RepeatRangeEnd, &R::SetRepeatRangeEnd),
        Integer("CustInterval", &R::CustomInterval, &R::SetCustomInterval),
        // The zone before the start on its clock, which places the event.
        Text("TimeZone", &R::TimeZone, &R::SetTimeZone),
        DateTime("ZoneStartTime", &R::ZoneStartTime, &R::SetZoneStartTime),
        Text("RepeatRule", &R::RepeatRule, &R::SetRepeatRule),
        Text("ExceptionDates", &R::ExceptionDates, &R::SetExceptionDates),
        Text("ExtraDates", &R::ExtraDates, &R::SetExtraDates), Integer("SeriesID", &R::SeriesID, &R::SetSeriesID),
        DateTime("OriginalStart", &R::OriginalStart, &R::SetOriginalStart),
        Text("KeptProperties", &R::KeptProperties, &R::SetKeptProperties)};
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
                   [i](const R& r, TField& v) { SetTextOrClear(v, r.Phone(i)); }});
    for (int i = 1; i <= R::kPhoneCount; ++i)
      f.push_back({"PhoneType" + std::to_string(i),
                   [i](R& r, const TField& v) { r.SetPhoneType(i, static_cast<int>(v.AsInteger())); },
                   [i, initial = R().PhoneType(i)](const R& r, TField& v) {
                     if (r.PhoneType(i) == initial) v.Clear();
                     else v.SetAsInteger(r.PhoneType(i));
                   }});
    f.push_back(Integer("Category", &R::Category, &R::SetCategory));
    for (int i = 1; i <= R::kCustomCount; ++i)
      f.push_back({"Custom" + std::to_string(i), [i](R& r, const TField& v) { r.SetCustom(i, v.AsString()); },
                   [i](const R& r, TField& v) { SetTextOrClear(v, r.Custom(i)); }});
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
                                      Always("CreatedOn", &R::CreatedOn, &R::SetCreatedOn),
                                      DateTime("CompletedOn", &R::CompletedOn, &R::SetCompletedOn),
                                      Integer("Priority", &R::Priority, &R::SetPriority),
                                      Integer("Category", &R::Category, &R::SetCategory),
                                      DateTime("DueDate", &R::DueDate, &R::SetDueDate)};
    AddUserFields(f);
    return f;
  }();
  return fields;
}
