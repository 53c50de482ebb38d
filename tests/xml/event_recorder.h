#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "xml/parser.h"

// Records every event of a parser as one line of text, such as "ElementStart(root)" or
// "Attribute(x=1)", so that tests can compare whole event sequences.
class TEventRecorder {
 public:
  explicit TEventRecorder(TVpParser& Parser);

  const std::vector<std::string>& Events() const { return Events_; }
  // The events of the given kind only, without the kind, such as "x=1" for "Attribute(x=1)".
  std::vector<std::string> Only(std::string_view Kind) const;

 private:
  std::vector<std::string> Events_;
};

// Parses the document from memory with a recorder attached; returns the events, followed by the
// line "Error: ..." for each error message.
std::vector<std::string> EventsOf(std::string_view Document);
// The error line of a document that must fail, or "(no error)".
std::string ErrorOf(std::string_view Document);
