#include "xml/parser.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

#include "xml/document_reader.h"
#include "xml/xml_messages.h"

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

// Reads the whole file into bytes. Returns an empty text on success, else the reason.
std::string ReadWholeFile(const std::string& name, std::string& bytes) {
  const int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::strerror(errno);
  struct stat status {};
  if (::fstat(fd, &status) == 0 && status.st_size > 0) bytes.reserve(static_cast<std::size_t>(status.st_size));
  char block[65536];
  std::string reason;
  while (true) {
    const ssize_t count = ::read(fd, block, sizeof block);
    if (count == 0) break;
    if (count < 0) {
      if (errno == EINTR) continue;
      reason = std::strerror(errno);
      break;
    }
    bytes.append(block, static_cast<std::size_t>(count));
  }
  ::close(fd);
  return reason;
}

}  // namespace

TVpParser::TVpParser() = default;
TVpParser::~TVpParser() = default;

bool TVpParser::ParseFile(const std::string& fileName) {
  ErrorMessages_.clear();
  const std::string name = StartsWithFileScheme(fileName) ? fileName.substr(7) : fileName;
  std::string message;
  std::string bytes;
  struct stat status {};
  if (::stat(name.c_str(), &status) != 0 && errno == ENOENT) {
    message = XmlMessages::FileNotFound(name);
  } else if (const std::string reason = ReadWholeFile(name, bytes); !reason.empty()) {
    message = XmlMessages::FileNotRead(name, reason);
  }
  if (!message.empty()) {
    ErrorMessages_.push_back(message);
    throw EVpParserError(message, 0, 0, 0);
  }
  return Parse(bytes);
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
