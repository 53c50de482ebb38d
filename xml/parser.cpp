#include "xml/parser.h"

#include <stdexcept>

#include "platform/file_reader.h"
#include "xml/document_reader.h"

namespace {

std::string ErrorLine(const EVpFilterError& error) {
  return "Line: " + std::to_string(error.Line()) + " Col: " + std::to_string(error.Column()) +
         " Error: " + error.what();
}

bool StartsWithFileScheme(const std::string& name) {
  static constexpr std::string_view kScheme = "file://";
  if (name.size() < kScheme.size()) return false;
  for (std::size_t i = 0; i < kScheme.size(); ++i) {
    const char c = name[i] >= 'A' && name[i] <= 'Z' ? static_cast<char>(name[i] - 'A' + 'a') : name[i];
    if (c != kScheme[i]) return false;
  }
  return true;
}

}  // namespace

TVpParser::TVpParser() = default;
TVpParser::~TVpParser() = default;

bool TVpParser::ParseFile(const std::string& FileName) {
  ErrorMessages_.clear();
  const std::string name = StartsWithFileScheme(FileName) ? FileName.substr(7) : FileName;
  std::optional<std::string> bytes;
  std::string message;
  try {
    bytes = ReadWholeFile(name);
    if (!bytes) message = "File " + name + " could not be found";
  } catch (const EFileReadError& error) {
    message = "File " + name + " could not be read: " + error.Reason();
  }
  if (!message.empty()) {
    ErrorMessages_.push_back(message);
    throw EVpParserError(message, 0, 0, 0);
  }
  return Parse(*bytes);
}

bool TVpParser::ParseMemory(std::string_view Document) {
  ErrorMessages_.clear();
  return Parse(Document);
}

bool TVpParser::Parse(std::string_view Document) {
  if (Reader_) throw std::logic_error("The XML parser is asked to parse while it is parsing");
  TVpDocumentReader reader(*this, Document);
  Reader_ = &reader;
  struct TDone {
    TVpParser& Parser;
    ~TDone() {
      Parser.Reader_ = nullptr;
      Parser.Attributes_.clear();
    }
  } done{*this};
  if (OnDocumentStart_) OnDocumentStart_(*this);
  try {
    reader.ReadDocument();
  } catch (const EVpFilterError& error) {
    ErrorMessages_.push_back(ErrorLine(error));
  }
  if (OnDocumentEnd_) OnDocumentEnd_(*this);
  return ErrorMessages_.empty();
}

TVpTextPosition TVpParser::Position() const { return Reader_ ? Reader_->Position() : TVpTextPosition{}; }

void TVpParser::RaiseError(const std::string& Message) const {
  if (!Reader_) throw EVpParserError(Message, 0, 0, 0);
  Reader_->Fail(Message);
}
