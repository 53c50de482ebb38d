#pragma once

#include <string>
#include <vector>

#include "interop/exchange/exchange_session.h"
#include "interop/ical/ical_item.h"
#include "model/vp_exception.h"
#include "store/row_change.h"

// A file that cannot be imported: the message names the file and, for a malformed one, the line.
class EVpImportError : public EVpException {
 public:
  using EVpException::EVpException;
};

// What an import did, for the summary shown to the user.
struct TVpImportSummary {
  std::string Resource;  // the resource imported into
  int Events = 0;        // items of the file taken in, by kind
  int Tasks = 0;
  int Contacts = 0;
  int Added = 0;      // records made
  int Updated = 0;    // records of a known UID whose fields changed
  int Unchanged = 0;  // records of a known UID that already were as the file has them
  // Per item what was changed or left out, and why.
  std::vector<TIcalItemNote> Notes;

  // A few lines for the user: the counts, then one line per note.
  std::string Text() const;
  std::string CountsText() const;
  std::string NotesText() const;
};

// Imports a calendar (.ics: events and tasks) or address-book (.vcf: contacts) file into the
// target's resource; which one it is, its content tells (else its extension). The whole file is
// read and mapped first: a file that is malformed, of neither kind, or unreadable raises
// EVpImportError and nothing is written. Then, holding the folder's lock, an item whose UID the
// folder knows updates that record, every other item becomes a new record; each table is written
// once. Importing the same file again changes nothing. A repeat is one event; each of its changed
// occurrences is an event of its own linked to it (SeriesID, OriginalStart), found again by that
// link. progress runs from 0 to 1. rows, when
// given, receives the table rows the import changed (before and after), for the window to keep as
// one step of its history of changes.
TVpImportSummary ImportFile(const TVpExchangeTarget& target, TFileWriter& writer, const std::string& file,
                            const TVpExchangeProgress& progress = {}, std::vector<TVpRowChange>* rows = nullptr);
