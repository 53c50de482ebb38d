#pragma once

#include <ctime>
#include <string>

#include "interop/exchange/exchange_session.h"

// What to export of the target's resource.
struct TVpExportRange {
  // Events touching these days (both day numbers, 0: no bound); repeating events whose repetition
  // reaches the range are written whole.
  double From = 0;
  double To = 0;
};

struct TVpExportSummary {
  std::string Resource;
  int Events = 0;
  int Tasks = 0;
  int Contacts = 0;
};

// Writes the resource's events and tasks as a calendar file (stamp: the moment of writing), or its
// contacts as an address-book file (vCard 3.0). Every record is written with its UID from the UID
// table; a record without one gets a new one, stored before the file is written. The file is
// replaced atomically: should writing fail, the old file stays and EFileWriteError is raised. A
// symbolic link at the path is refused (EFileWriteError) and left as it is.
TVpExportSummary ExportIcalFile(const TVpExchangeTarget& target, TFileWriter& writer, const std::string& file,
                                const TVpExportRange& range, std::time_t stamp);
TVpExportSummary ExportVCardFile(const TVpExchangeTarget& target, TFileWriter& writer, const std::string& file);
