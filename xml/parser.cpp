#include "xml/parser.h"

#include <optional>
#include <stdexcept>

#include "platform/ascii_text.h"
#include "platform/file_reader.h"
#include "xml/document_reader.h"
#include "xml/xml_messages.h"

namespace {

std::string ErrorLine(const EVpFilterError& error) {
  return "Line: " + std::to_string(error.Line()) + " Col: " + std::to_string(error.Column()) +
         " Error: " + error.what();
}

}  // namespace

TVpParser::TVpParser() = default;
TVpParser::~TVpParser() = default;

bool TVpParser::ParseFile(const std::string& fileName) {
  ErrorMessages_.clear();
  const std::string name = StartsWithTextAscii(fileName, "file://") ? fileName.substr(7) : fileName;
  std::optional<std::string> bytes;
  std::string message;
  try {
    bytes = ReadWholeFile(name);
    if (!bytes) message = XmlMessages::FileNotFound(name);
  } catch (const EFileReadError& error) {
    message = XmlMessages::FileNotRead(name, error.Reason());
  }
  if (!message.empty()) {
    ErrorMessages_.push_back(message);
    throw EVpParserError(message, 0, 0, 0);
  }
  return Parse(*bytes);
}

bool TVpParser::ParseMemory(std::string_view document) {
  ErrorMessages_.clear();
  return Parse(document);
}

bool TVpParser::Parse(std::string_view document) {
  if (Reader_) throw std::logic_error("The XML parser is asked to parse while it is parsing");
  TVpDocumentReader reader(*this, document);
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

void TVpParser::RaiseError(const std::string& message) const {
  if (!Reader_) throw EVpParserError(message, 0, 0, 0);
  Reader_->Fail(message);
}
