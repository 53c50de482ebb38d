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
using TVpNotifyEvent = std::function<void(TVpParser& Sender)>;
using TVpElementEvent = std::function<void(TVpParser& Sender, std::string_view Name)>;
using TVpAttributeEvent = std::function<void(TVpParser& Sender, std::string_view Name, std::string_view Value)>;
// The handler may change PreserveSpace; the value it leaves applies to the element's content and
// is inherited by its children.
using TVpSpaceModeEvent = std::function<void(TVpParser& Sender, std::string_view Name, bool& PreserveSpace)>;
using TVpTextEvent = std::function<void(TVpParser& Sender, std::string_view Text)>;
using TVpInstructionEvent = std::function<void(TVpParser& Sender, std::string_view Target, std::string_view Data)>;
using TVpDocTypeEvent = std::function<void(TVpParser& Sender, std::string_view Name, std::string_view PublicId,
                                           std::string_view SystemId)>;

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
  bool ParseFile(const std::string& FileName);
  // Parses a whole document held in memory, bytes as a file would hold them.
  bool ParseMemory(std::string_view Document);

  // One line per error of the last parse; empty after a successful one.
  const std::vector<std::string>& ErrorMessages() const { return ErrorMessages_; }

  // The attributes of the start tag being reported, in the order written, during OnSpaceMode and
  // OnElementStart (and OnElementEnd of an empty-element tag); empty at any other time.
  std::span<const TVpXmlAttribute> Attributes() const { return Attributes_; }

  // The position of the next character not yet read; for handlers that report where they are.
  TVpTextPosition Position() const;
  // Ends the parse from inside a handler with the given message at the current position, as if
  // the document had a syntax error there.
  [[noreturn]] void RaiseError(const std::string& Message) const;

  const TVpNotifyEvent& OnDocumentStart() const { return OnDocumentStart_; }
  void SetOnDocumentStart(TVpNotifyEvent Handler) { OnDocumentStart_ = std::move(Handler); }
  const TVpNotifyEvent& OnDocumentEnd() const { return OnDocumentEnd_; }
  void SetOnDocumentEnd(TVpNotifyEvent Handler) { OnDocumentEnd_ = std::move(Handler); }
  const TVpElementEvent& OnTagOpen() const { return OnTagOpen_; }
  void SetOnTagOpen(TVpElementEvent Handler) { OnTagOpen_ = std::move(Handler); }
  const TVpAttributeEvent& OnAttributeValue() const { return OnAttributeValue_; }
  void SetOnAttributeValue(TVpAttributeEvent Handler) { OnAttributeValue_ = std::move(Handler); }
  const TVpSpaceModeEvent& OnSpaceMode() const { return OnSpaceMode_; }
  void SetOnSpaceMode(TVpSpaceModeEvent Handler) { OnSpaceMode_ = std::move(Handler); }
  const TVpElementEvent& OnElementStart() const { return OnElementStart_; }
  void SetOnElementStart(TVpElementEvent Handler) { OnElementStart_ = std::move(Handler); }
  const TVpElementEvent& OnElementEnd() const { return OnElementEnd_; }
  void SetOnElementEnd(TVpElementEvent Handler) { OnElementEnd_ = std::move(Handler); }
  const TVpTextEvent& OnText() const { return OnText_; }
  void SetOnText(TVpTextEvent Handler) { OnText_ = std::move(Handler); }
  const TVpTextEvent& OnCDataText() const { return OnCDataText_; }
  void SetOnCDataText(TVpTextEvent Handler) { OnCDataText_ = std::move(Handler); }
  const TVpTextEvent& OnCommentText() const { return OnCommentText_; }
  void SetOnCommentText(TVpTextEvent Handler) { OnCommentText_ = std::move(Handler); }
  const TVpInstructionEvent& OnInstruction() const { return OnInstruction_; }
  void SetOnInstruction(TVpInstructionEvent Handler) { OnInstruction_ = std::move(Handler); }
  const TVpDocTypeEvent& OnDocType() const { return OnDocType_; }
  void SetOnDocType(TVpDocTypeEvent Handler) { OnDocType_ = std::move(Handler); }

 private:
  friend class TVpDocumentReader;

  bool Parse(std::string_view Document);

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
