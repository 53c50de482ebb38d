#include "tests/xml/event_recorder.h"

namespace {

std::string Call(std::string_view kind, std::string_view arguments) {
  return std::string(kind) + "(" + std::string(arguments) + ")";
}

}  // namespace

TEventRecorder::TEventRecorder(TVpParser& Parser) {
  Parser.SetOnDocumentStart([this](TVpParser&) { Events_.push_back("DocumentStart"); });
  Parser.SetOnDocumentEnd([this](TVpParser&) { Events_.push_back("DocumentEnd"); });
  Parser.SetOnTagOpen([this](TVpParser&, std::string_view name) { Events_.push_back(Call("TagOpen", name)); });
  Parser.SetOnAttributeValue([this](TVpParser&, std::string_view name, std::string_view value) {
    Events_.push_back(Call("Attribute", std::string(name) + "=" + std::string(value)));
  });
  Parser.SetOnSpaceMode([this](TVpParser&, std::string_view name, bool& preserve) {
    Events_.push_back(Call("SpaceMode", std::string(name) + (preserve ? ",preserve" : "")));
  });
  Parser.SetOnElementStart(
      [this](TVpParser&, std::string_view name) { Events_.push_back(Call("ElementStart", name)); });
  Parser.SetOnElementEnd([this](TVpParser&, std::string_view name) { Events_.push_back(Call("ElementEnd", name)); });
  Parser.SetOnText([this](TVpParser&, std::string_view text) { Events_.push_back(Call("Text", text)); });
  Parser.SetOnCDataText([this](TVpParser&, std::string_view text) { Events_.push_back(Call("CData", text)); });
  Parser.SetOnCommentText([this](TVpParser&, std::string_view text) { Events_.push_back(Call("Comment", text)); });
  Parser.SetOnInstruction([this](TVpParser&, std::string_view target, std::string_view data) {
    Events_.push_back(Call("Instruction", std::string(target) + "|" + std::string(data)));
  });
  Parser.SetOnDocType([this](TVpParser&, std::string_view name, std::string_view publicId, std::string_view systemId) {
    Events_.push_back(Call("DocType", std::string(name) + "|" + std::string(publicId) + "|" + std::string(systemId)));
  });
}

std::vector<std::string> TEventRecorder::Only(std::string_view Kind) const {
  const std::string prefix = std::string(Kind) + "(";
  std::vector<std::string> found;
  for (const std::string& event : Events_) {
    if (event.starts_with(prefix)) found.push_back(event.substr(prefix.size(), event.size() - prefix.size() - 1));
  }
  return found;
}

std::vector<std::string> EventsOf(std::string_view Document) {
  TVpParser parser;
  TEventRecorder recorder(parser);
  parser.ParseMemory(Document);
  std::vector<std::string> events = recorder.Events();
  for (const std::string& error : parser.ErrorMessages()) events.push_back("Error: " + error);
  return events;
}

std::string ErrorOf(std::string_view Document) {
  TVpParser parser;
  if (parser.ParseMemory(Document)) return "(no error)";
  return parser.ErrorMessages().size() == 1 ? parser.ErrorMessages().front() : "(several errors)";
}
