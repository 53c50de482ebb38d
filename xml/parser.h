#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "xml/in_char_filter.h"
#include "xml/xml_errors.h"

class TVpParser;
class TVpDocumentReader;

// One attribute of a start tag, as written (references already replaced).
struct TVpXmlAttribute {
  std::string_view Name;
  std::string_view Value;
};

// Handlers. Every one receives the parser first. Texts are UTF-8 and valid only during the call.
using TVpNotifyEvent = std::function<void(TVpParser& sender)>;
using TVpElementEvent = std::function<void(TVpParser& sender, std::string_view name)>;
using TVpAttributeEvent = std::function<void(TVpParser& sender, std::string_view name, std::string_view value)>;
// The handler may change PreserveSpace; the value it leaves applies to the element's content and
// is inherited by its children.
using TVpSpaceModeEvent = std::function<void(TVpParser& sender, std::string_view name, bool& preserveSpace)>;
using TVpTextEvent = std::function<void(TVpParser& sender, std::string_view text)>;
using TVpInstructionEvent = std::function<void(TVpParser& sender, std::string_view target, std::string_view data)>;
using TVpDocTypeEvent =
    std::function<void(TVpParser& sender, std::string_view name, std::string_view publicId, std::string_view systemId)>;

// The event-driven XML reader: it reads one document and reports what it finds through its
// events, in document order, without building a tree.
//
// It reads XML 1.0 documents without DTD processing: an optional XML declaration, an optional
// document type declaration without internal subset, comments, processing instructions, elements
// with attributes, character data, CDATA sections, character references and the five predefined
// entity references. Input may be UTF-8 (with or without byte-order mark), UTF-16 with a
// byte-order mark (either byte order), or ISO-8859-1 when the XML declaration says so.
//
// Character data is reported with its white space collapsed unless the content keeps it
// (xml:space="preserve", or an OnSpaceMode handler that sets the flag).
//
// A malformed document ends the parse at its first error; the error becomes one line of
// ErrorMessages() ("Line: %d Col: %d Error: %s") and the parse returns false. An exception of any
// other kind thrown by a handler ends the parse and leaves it unchanged.
class TVpParser {
 public:
  TVpParser();
  ~TVpParser();
  TVpParser(const TVpParser&) = delete;
  TVpParser& operator=(const TVpParser&) = delete;

  // Parses the named file (a leading "file://", in any case, is ignored). True when the document
  // was read without error. A file that does not exist or cannot be read raises EVpParserError
  // (line 0, column 0) after adding its message to ErrorMessages().
  bool ParseFile(const std::string& fileName);
  // Parses a whole document held in memory, bytes as a file would hold them.
  bool ParseMemory(std::string_view document);

  // One line per error of the last parse; empty after a successful one.
  const std::vector<std::string>& ErrorMessages() const { return ErrorMessages_; }

  // The attributes of the start tag being reported, in the order written, during OnSpaceMode and
  // OnElementStart (and OnElementEnd of an empty-element tag); empty at any other time.
  std::span<const TVpXmlAttribute> Attributes() const { return Attributes_; }

  // The position of the next character not yet read; for handlers that report where they are.
  TVpTextPosition Position() const;
  // Ends the parse from inside a handler with the given message at the current position, as if
  // the document had a syntax error there.
  [[noreturn]] void RaiseError(const std::string& message) const;

  const TVpNotifyEvent& OnDocumentStart() const { return OnDocumentStart_; }
  void SetOnDocumentStart(TVpNotifyEvent handler) { OnDocumentStart_ = std::move(handler); }
  const TVpNotifyEvent& OnDocumentEnd() const { return OnDocumentEnd_; }
  void SetOnDocumentEnd(TVpNotifyEvent handler) { OnDocumentEnd_ = std::move(handler); }
  const TVpElementEvent& OnTagOpen() const { return OnTagOpen_; }
  void SetOnTagOpen(TVpElementEvent handler) { OnTagOpen_ = std::move(handler); }
  const TVpAttributeEvent& OnAttributeValue() const { return OnAttributeValue_; }
  void SetOnAttributeValue(TVpAttributeEvent handler) { OnAttributeValue_ = std::move(handler); }
  const TVpSpaceModeEvent& OnSpaceMode() const { return OnSpaceMode_; }
  void SetOnSpaceMode(TVpSpaceModeEvent handler) { OnSpaceMode_ = std::move(handler); }
  const TVpElementEvent& OnElementStart() const { return OnElementStart_; }
  void SetOnElementStart(TVpElementEvent handler) { OnElementStart_ = std::move(handler); }
  const TVpElementEvent& OnElementEnd() const { return OnElementEnd_; }
  void SetOnElementEnd(TVpElementEvent handler) { OnElementEnd_ = std::move(handler); }
  const TVpTextEvent& OnText() const { return OnText_; }
  void SetOnText(TVpTextEvent handler) { OnText_ = std::move(handler); }
  const TVpTextEvent& OnCDataText() const { return OnCDataText_; }
  void SetOnCDataText(TVpTextEvent handler) { OnCDataText_ = std::move(handler); }
  const TVpTextEvent& OnCommentText() const { return OnCommentText_; }
  void SetOnCommentText(TVpTextEvent handler) { OnCommentText_ = std::move(handler); }
  const TVpInstructionEvent& OnInstruction() const { return OnInstruction_; }
  void SetOnInstruction(TVpInstructionEvent handler) { OnInstruction_ = std::move(handler); }
  const TVpDocTypeEvent& OnDocType() const { return OnDocType_; }
  void SetOnDocType(TVpDocTypeEvent handler) { OnDocType_ = std::move(handler); }

 private:
  friend class TVpDocumentReader;

  bool Parse(std::string_view document);

  std::vector<std::string> ErrorMessages_;
  std::vector<TVpXmlAttribute> Attributes_;
  TVpDocumentReader* Reader_ = nullptr;  // the reader of the parse under way

  TVpNotifyEvent OnDocumentStart_;
  TVpNotifyEvent OnDocumentEnd_;
  TVpElementEvent OnTagOpen_;
  TVpAttributeEvent OnAttributeValue_;
  TVpSpaceModeEvent OnSpaceMode_;
  TVpElementEvent OnElementStart_;
  TVpElementEvent OnElementEnd_;
  TVpTextEvent OnText_;
  TVpTextEvent OnCDataText_;
  TVpTextEvent OnCommentText_;
  TVpInstructionEvent OnInstruction_;
  TVpDocTypeEvent OnDocType_;
};
