#pragma once

#include <functional>
#include <string>
#include <vector>

#include "store/planner_files.h"

class TVpCategoryColorMap;
class TVpResource;

// Finding records by their texts, letter case and accents aside (platform/search_folding.h): an
// event by its subject, notes, location and category name; a task by its description and
// details; a contact by every name, company, address, phone, e-mail, note and custom field.

enum TVpFoundKind { fkEvent, fkTask, fkContact };

struct TVpSearchQuery {
  std::string Text;
  bool Events = true;
  bool Tasks = true;
  bool Contacts = true;
  // Days (whole dates) the event's occurrence or the task's due date falls in; 0 for no bound.
  // Contacts have no date and are never left out by them.
  double From = 0;
  double To = 0;
};

struct TVpFound {
  TVpFoundKind Kind = fkEvent;
  int RecordID = 0;
  std::string Title;    // the event's subject, the task's description, the contact's name
  std::string Snippet;  // the text that holds the query, around it
  // An event: the occurrence listed, the next one after now for a series that has one (else its
  // last), the first in the days asked for; a task: its due date (0 for none).
  double When = 0;
  double End = 0;
  // A series: it repeats, and the occurrence at or before now (0 for none).
  bool Series = false;
  double Previous = 0;
  bool AllDay = false;
};

// The records of the resource whose texts hold the query, events first, then tasks, then
// contacts; events and tasks nearest to now first, contacts by name. A series is found once.
std::vector<TVpFound> FindRecords(const TVpResource& resource, const TVpCategoryColorMap& categories,
                                  const TVpSearchQuery& query, double now);

// The choices of rows (TVpPlannerFiles::ReadOnlyRows) that keep every row whose texts may hold
// the query, by the rows' text: a folder is searched so without reading every row.
TVpPlannerFiles::TRowChoices SearchRowChoices(const TVpSearchQuery& query, const TVpCategoryColorMap& categories);

// A search of a data folder on its own, with no desktop (on a worker thread, say): the chosen
// resource's records found, reading only the rows whose texts may hold the query.
std::vector<TVpFound> SearchFolder(const std::string& dataFolder,
                                   const std::function<TVpResource*(TVpFlexDataStore& store)>& chooseResource,
                                   const TVpCategoryColorMap& categories, const TVpSearchQuery& query, double now);
