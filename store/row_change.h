#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "model/vp_exception.h"
#include "store/field_value.h"
#include "store/record_fields.h"

// A record's row in its table, by field name; null fields are left out.
using TVpRowImage = std::map<std::string, TFieldValue>;

// One record's change as its table shows it: the row before (none: the record was added) and the
// row after (none: it was deleted).
struct TVpRowChange {
  TVpTableKind Kind = tkEvents;
  int RecordID = 0;  // the ResourceID for a resource
  std::optional<TVpRowImage> Before;
  std::optional<TVpRowImage> After;
  friend bool operator==(const TVpRowChange&, const TVpRowChange&) = default;
};

// A change cannot be taken back (or made again): another writer changed its record since, or the
// store keeps no tables. The message names the record and says that nothing was changed.
class EVpChangeRefused : public EVpException {
 public:
  using EVpException::EVpException;
};
