#include "store/record_search.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

#include "model/category_color_map.h"
#include "model/moment.h"
#include "model/occurrences.h"
#include "model/resource.h"
#include "platform/file_writer.h"
#include "platform/search_folding.h"
#include "platform/system_clock.h"
#include "platform/utf8.h"
#include "store/headless_services.h"
#include "xml/xml_escape.h"

namespace {

// The texts a search looks in, by record kind: the table's field names.
const std::vector<std::string> kEventFields = {"Description", "Notes", "Location"};
const std::vector<std::string> kTaskFields = {"Description", "Details"};
const std::vector<std::string> kContactFields = {
    "FirstName", "LastName", "Title",   "Company", "Job_Position", "Address", "City",
    "State",     "Zip",      "Country", "Note",    "Phone1",       "Phone2",  "Phone3",
    "Phone4",    "Phone5",   "EMail",   "Custom1", "Custom2",      "Custom3", "Custom4"};

// The categories whose names hold the folded query.
std::vector<int> CategoriesNamed(const TVpCategoryColorMap& categories, const std::string& folded) {
  std::vector<int> found;
  for (int i = 0; i < 10; ++i)
    if (Folded(categories.Description(i)).find(folded) != std::string::npos) found.push_back(i);
  return found;
}

// Where the first text that holds the folded query: its snippet, else empty.
std::string SnippetOf(const std::vector<std::string_view>& texts, const std::string& folded) {
  for (std::string_view text : texts)
    if (std::string snippet = SnippetAround(text, folded); !snippet.empty()) return snippet;
  return {};
}

std::vector<std::string_view> EventTexts(const TVpEvent& event) {
  return {event.Description(), event.Notes(), event.Location()};
}

std::vector<std::string_view> TaskTexts(const TVpTask& task) { return {task.Description(), task.Details()}; }

std::vector<std::string_view> ContactTexts(const TVpContact& contact) {
  std::vector<std::string_view> texts = {contact.FirstName(), contact.LastName(), contact.Title(), contact.Company(),
                                         contact.Position(),  contact.Address(),  contact.City(),  contact.State(),
                                         contact.Zip(),       contact.Country(),  contact.Note(),  contact.EMail()};
  for (int i = 1; i <= TVpContact::kPhoneCount; ++i) texts.push_back(contact.Phone(i));
  for (int i = 1; i <= TVpContact::kCustomCount; ++i) texts.push_back(contact.Custom(i));
  return texts;
}

bool InDays(double when, const TVpSearchQuery& query) {
  if (query.From > 0 && DateOf(when) < query.From) return false;
  return query.To <= 0 || DateOf(when) <= query.To;
}

// The event as found, when its occurrences meet the days asked for.
std::optional<TVpFound> FoundEvent(const TVpEvent& event, const TVpSearchQuery& query, double now) {
  TVpFound found{fkEvent, event.RecordID(), event.Description(), {}, event.StartTime(), event.EndTime()};
  found.AllDay = event.AllDayEvent();
  if (!Repeats(event)) {
    if (!InDays(event.StartTime(), query)) return std::nullopt;
    return found;
  }
  found.Series = true;
  const std::int64_t from = query.From > 0 ? MomentOf(query.From) - 1 : MomentOf(now);
  const std::optional<TVpOccurrence> previous = OccurrenceAtOrBefore(event, MomentOf(now));
  std::optional<TVpOccurrence> listed = OccurrenceAfter(event, from);
  if (!listed && query.From <= 0) listed = previous;
  if (!listed || !InDays(ValueOfMoment(listed->Start), query)) return std::nullopt;
  found.When = ValueOfMoment(listed->Start);
  found.End = ValueOfMoment(listed->End);
  if (previous && previous->Start != listed->Start) found.Previous = ValueOfMoment(previous->Start);
  return found;
}

// A value as it stands in a file, folded, with its references read.
void AppendFoldedValue(std::string& out, std::string_view raw) {
  for (;;) {
    const size_t at = raw.find('&');
    AppendFolded(out, raw.substr(0, at));
    if (at == std::string_view::npos) return;
    const TXmlReference reference = XmlReferenceAt(raw.substr(at));
    if (reference.Length == 0) {
      out += '&';
      raw.remove_prefix(at + 1);
      continue;
    }
    std::string character;
    AppendUtf8(character, reference.Character);
    AppendFolded(out, character);
    raw.remove_prefix(at + reference.Length);
  }
}

// The rows whose values of the fields, or whose category, may hold the folded query.
TPacketRowChoice RowsHolding(std::vector<std::string> fields, std::string folded, std::vector<int> categories) {
  return [fields = std::move(fields), folded = std::move(folded), categories = std::move(categories),
          buffer = std::string()](const TPacketRowText& row) mutable {
    bool holds = false;
    std::string_view category = "0";  // a row without a category is in the first
    std::string_view name, value;
    // The whole row folded holds each of its values folded: a row that does not hold the query
    // anywhere (most rows) is passed over without going through its attributes.
    buffer.clear();
    AppendFoldedValue(buffer, row.Text());
    const bool anywhere = buffer.find(folded) != std::string::npos;
    if (!anywhere && categories.empty()) return false;
    for (size_t at = 0; !holds && row.NextAttribute(at, name, value);) {
      if (name == "Category") {
        category = value;
      } else if (anywhere && std::find(fields.begin(), fields.end(), name) != fields.end()) {
        buffer.clear();
        AppendFoldedValue(buffer, value);
        holds = buffer.find(folded) != std::string::npos;
      }
    }
    return holds || std::any_of(categories.begin(), categories.end(),
                                [&](int index) { return category == std::to_string(index); });
  };
}

TPacketRowChoice NoRows() {
  return [](const TPacketRowText&) { return false; };
}

}  // namespace

std::vector<TVpFound> FindRecords(const TVpResource& resource, const TVpCategoryColorMap& categories,
                                  const TVpSearchQuery& query, double now) {
  const std::string folded = Folded(query.Text);
  std::vector<TVpFound> events, tasks, contacts;
  if (folded.empty()) return {};
  if (query.Events) {
    const std::vector<int> named = CategoriesNamed(categories, folded);
    const TVpSchedule& schedule = resource.Schedule();
    std::unordered_set<int> series;
    for (int i = 0; i < schedule.Count(); ++i) {
      const TVpEvent& event = *schedule.Items(i);
      std::string snippet = SnippetOf(EventTexts(event), folded);
      if (snippet.empty() && std::find(named.begin(), named.end(), event.Category()) != named.end())
        snippet = categories.Description(event.Category());
      if (snippet.empty()) continue;
      std::optional<TVpFound> found = FoundEvent(event, query, now);
      if (!found) continue;
      found->Snippet = std::move(snippet);
      if (found->Series) series.insert(event.RecordID());
      events.push_back(std::move(*found));
    }
    // An occurrence changed on its own is its series' when the series is found too.
    std::erase_if(events, [&](const TVpFound& found) {
      const TVpEvent* event = schedule.FindByRecordID(found.RecordID);
      return event != nullptr && event->SeriesID() != 0 && series.count(event->SeriesID()) != 0;
    });
    std::stable_sort(events.begin(), events.end(), [now](const TVpFound& a, const TVpFound& b) {
      return std::fabs(a.When - now) < std::fabs(b.When - now);
    });
  }
  if (query.Tasks) {
    for (int i = 0; i < resource.Tasks().Count(); ++i) {
      const TVpTask& task = *resource.Tasks().Items(i);
      std::string snippet = SnippetOf(TaskTexts(task), folded);
      if (snippet.empty() ||
          ((query.From > 0 || query.To > 0) && (task.DueDate() <= 0 || !InDays(task.DueDate(), query))))
        continue;
      tasks.push_back({fkTask, task.RecordID(), task.Description(), std::move(snippet), task.DueDate()});
    }
    // Tasks with a due date nearest to now first, those without after them.
    std::stable_sort(tasks.begin(), tasks.end(), [now](const TVpFound& a, const TVpFound& b) {
      if ((a.When > 0) != (b.When > 0)) return a.When > 0;
      return std::fabs(a.When - now) < std::fabs(b.When - now);
    });
  }
  if (query.Contacts) {
    for (int i = 0; i < resource.Contacts().Count(); ++i) {
      const TVpContact& contact = *resource.Contacts().Items(i);
      std::string snippet = SnippetOf(ContactTexts(contact), folded);
      if (snippet.empty()) continue;
      std::string name = contact.FirstName();
      if (!contact.LastName().empty()) name += (name.empty() ? "" : " ") + contact.LastName();
      if (name.empty()) name = contact.Company();
      contacts.push_back({fkContact, contact.RecordID(), std::move(name), std::move(snippet)});
    }
    std::stable_sort(contacts.begin(), contacts.end(),
                     [](const TVpFound& a, const TVpFound& b) { return Folded(a.Title) < Folded(b.Title); });
  }
  events.insert(events.end(), std::make_move_iterator(tasks.begin()), std::make_move_iterator(tasks.end()));
  events.insert(events.end(), std::make_move_iterator(contacts.begin()), std::make_move_iterator(contacts.end()));
  return events;
}

TVpPlannerFiles::TRowChoices SearchRowChoices(const TVpSearchQuery& query, const TVpCategoryColorMap& categories) {
  const std::string folded = Folded(query.Text);
  if (folded.empty()) return {NoRows(), NoRows(), NoRows()};
  return {query.Events ? RowsHolding(kEventFields, folded, CategoriesNamed(categories, folded)) : NoRows(),
          query.Contacts ? RowsHolding(kContactFields, folded, {}) : NoRows(),
          query.Tasks ? RowsHolding(kTaskFields, folded, {}) : NoRows()};
}

std::vector<TVpFound> SearchFolder(const std::string& dataFolder,
                                   const std::function<TVpResource*(TVpFlexDataStore& store)>& chooseResource,
                                   const TVpCategoryColorMap& categories, const TVpSearchQuery& query, double now) {
  TSystemClock clock;
  THeadlessDesktop desktop;
  TAtomicFileWriter writer;  // nothing is written
  TVpPlannerFiles files(TVpStoreServices{clock, desktop, desktop, desktop, desktop, desktop}, writer);
  files.SetDataFolder(dataFolder);
  files.ReadOnlyRows(SearchRowChoices(query, categories));
  files.Connect();
  std::vector<TVpFound> found;
  if (TVpResource* resource = chooseResource(files.Store())) {
    files.Store().SetActiveResource(resource);
    found = FindRecords(*resource, categories, query, now);
  }
  files.Disconnect();
  return found;
}
