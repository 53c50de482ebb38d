#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/locale.h"

// What happens to a variable reference in a caption: deleted, left as written, or replaced.
enum TVpChangeVar { cvRemove = 0, cvIgnore = 1, cvChange = 2 };

// Asked about each variable reference of a caption being expanded: its name, whether it is a
// known variable, and its value; it may change the value and what happens to the reference.
using TVpOnGetVariableEvent =
    std::function<void(const std::string& name, bool found, std::string& value, TVpChangeVar& change)>;

// The caption variables: name and value pairs, names compared exactly. Values are overwritten,
// never removed.
class TVpCaptionVariables {
 public:
  void Set(const std::string& name, std::string value);
  bool Has(std::string_view name) const;
  // The value, or an empty text for an unknown name.
  std::string Value(std::string_view name) const;

 private:
  std::vector<std::pair<std::string, std::string>> Items_;
};

// The caption with every reference "$Name" or "$Name;" (Name a run of 0-9, A-Z, a-z and "_")
// replaced by the variable's value, or handled as the event says.
std::string ExpandCaption(std::string_view caption, const TVpCaptionVariables& variables,
                          const TVpOnGetVariableEvent& onGetVariable);

// Sets the date variables (DayName, ShortDate, Month0, ..., each also under its pattern's name)
// for the date, with names and formats from the locale.
void SetDateVariables(TVpCaptionVariables& variables, double date, const TLocale& locale);
