#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "xml/name_set.h"
#include "xml/xml_scanner.h"

class TVpParser;

// Reads the structure of one document for a TVpParser and raises the parser's events: prolog,
// elements with their attributes, content, trailing part. Nesting is kept on an explicit stack,
// so the depth of a document costs memory, never call depth.
class TVpDocumentReader {
 public:
  TVpDocumentReader(TVpParser& parser, std::string_view document);

  // Reads the whole document; a malformed one raises EVpParserError or EVpFilterError.
  void ReadDocument();

  TVpTextPosition Position() { return Scanner_.Position(); }
  [[noreturn]] void Fail(const std::string& message) { Scanner_.Fail(message); }

 private:
  // An element whose content is being read.
  struct TOpenElement {
    std::string_view Name;
    bool PreserveSpace;
  };
  // An attribute of the start tag being read. A value that had to be rewritten lives in
  // Values_ from ValueOffset on (the buffer may still move), else at RawValue in the document.
  struct TPendingAttribute {
    std::string_view Name;
    const char* RawValue;
    std::size_t ValueOffset;
    std::size_t ValueLength;
  };

  void ReadMiscellany();
  void ReadInstruction();
  void ReadXmlDeclaration();
  void CheckEncoding(const std::string& encoding);
  void ReadDocType();
  void ReadComment();
  void ReadCommentOrCData();
  bool ReadStartTag();
  void ReadAttribute();
  void ReadEndTag();
  void ReadContent();
  void HandOutText(std::string_view run);

  TVpParser& Parser_;
  TVpXmlScanner Scanner_;
  bool PrologItemSeen_ = false;  // an XML declaration is refused once this is set
  bool SwitchToIso88591_ = false;
  std::vector<TOpenElement> Open_;
  std::vector<TPendingAttribute> Pending_;
  TVpNameSet AttributeNames_;
  int SpaceAttribute_ = -1;  // index of the start tag's xml:space attribute, or -1
  std::string Values_;       // rewritten attribute values of the start tag being read
};
