#include "xml/document_reader.h"

#include "platform/ascii_text.h"
#include "platform/utf8.h"
#include "xml/parser.h"
#include "xml/xml_chars.h"
#include "xml/xml_messages.h"

TVpDocumentReader::TVpDocumentReader(TVpParser& parser, std::string_view document)
    : Parser_(parser), Scanner_(document) {}

void TVpDocumentReader::ReadDocument() {
  ReadMiscellany();
  if (Scanner_.Match("<!DOCTYPE")) {
    ReadDocType();
    ReadMiscellany();
  }
  Scanner_.Require("<");
  if (ReadStartTag()) ReadContent();
  ReadMiscellany();
  Scanner_.SkipWhitespace();
  if (!Scanner_.AtEnd()) Scanner_.FailAtNextCharacter(XmlMessages::DataAfterDocument);
}

void TVpDocumentReader::ReadMiscellany() {
  while (true) {
    Scanner_.SkipWhitespace();
    if (Scanner_.Match("<?")) {
      ReadInstruction();
    } else if (Scanner_.Match("<!--")) {
      PrologItemSeen_ = true;
      ReadComment();
    } else {
      return;
    }
  }
}

// After "<?".
void TVpDocumentReader::ReadInstruction() {
  const std::string_view target = Scanner_.ReadName();
  if (target.empty()) Scanner_.FailNameExpected();
  if (target == "xml") {
    ReadXmlDeclaration();
    return;
  }
  PrologItemSeen_ = true;
  std::string_view data;
  if (!Scanner_.Match("?>")) {
    Scanner_.RequireWhitespace();
    data = Scanner_.ReadUntil("?>");
  }
  if (Parser_.OnInstruction_) Parser_.OnInstruction_(Parser_, target, data);
}

// After "<?xml".
void TVpDocumentReader::ReadXmlDeclaration() {
  if (PrologItemSeen_) Fail(XmlMessages::DeclarationNotFirst);
  Scanner_.SkipWhitespace();
  Scanner_.Require("version");
  Scanner_.EqualsSign();
  const std::string version = Scanner_.ReadLiteral(TVpXmlScanner::lkDeclaration);
  for (const char c : version) {
    const bool allowed =
        (c >= 0x41 && c <= 0x7A) || (c >= '0' && c <= '9') || c == '-' || c == '.' || c == ':' || c == '_';
    if (!allowed) Fail(XmlMessages::InvalidVersionNumber + QuotedText(version));
  }
  if (version != "1.0") Fail(XmlMessages::UnsupportedVersion);
  std::string data = "version=\"" + version + "\"";
  Scanner_.SkipWhitespace();
  if (Scanner_.Match("encoding")) {
    Scanner_.EqualsSign();
    const std::string encoding = Scanner_.ReadLiteral(TVpXmlScanner::lkDeclarationWithReferences);
    CheckEncoding(encoding);
    data += " encoding=\"" + encoding + "\"";
    Scanner_.SkipWhitespace();
  }
  if (Scanner_.Match("standalone")) {
    Scanner_.EqualsSign();
    const std::string standalone = Scanner_.ReadLiteral(TVpXmlScanner::lkDeclarationWithReferences);
    if (standalone != "yes" && standalone != "no") Fail(XmlMessages::InvalidStandalone);
    data += " standalone=\"" + standalone + "\"";
    Scanner_.SkipWhitespace();
  }
  Scanner_.Require("?>");
  PrologItemSeen_ = true;  // a second declaration is refused too
  if (Parser_.OnInstruction_) Parser_.OnInstruction_(Parser_, "xml", data);
  if (SwitchToIso88591_) Scanner_.SwitchToIso88591();
}

// The encoding name must be well formed and agree with the byte-order mark. A UTF-8 document
// declaring ISO-8859-1 is read in that encoding from the end of the declaration on; any other
// name leaves the document read as UTF-8.
void TVpDocumentReader::CheckEncoding(const std::string& encoding) {
  for (std::size_t i = 0; i < encoding.size() || i == 0; ++i) {
    const char c = i < encoding.size() ? encoding[i] : 0;
    const bool allowed =
        (c >= 0x41 && c <= 0x7A) || (i > 0 && ((c >= '0' && c <= '9') || c == '.' || c == '_' || c == '-' || c == '='));
    if (!allowed) Fail(XmlMessages::InvalidEncodingDeclaration + QuotedText(encoding));
  }
  const bool utf16Input = Scanner_.Input().Mode() == TVpInCharFilter::emUtf16LittleEndian ||
                          Scanner_.Input().Mode() == TVpInCharFilter::emUtf16BigEndian;
  const bool utf16Name = StartsWithTextAscii(encoding, "UTF-16") || SameTextAscii(encoding, "UTF16") ||
                         SameTextAscii(encoding, "UCS-2") || SameTextAscii(encoding, "ISO-10646-UCS-2");
  const bool iso88591 = SameTextAscii(encoding, "ISO-8859-1");
  if (utf16Input != utf16Name || (iso88591 && Scanner_.Input().HasByteOrderMark()))
    Fail(XmlMessages::EncodingMismatch + QuotedText(encoding));
  SwitchToIso88591_ = iso88591;
}

// After "<!DOCTYPE". There is no internal subset.
void TVpDocumentReader::ReadDocType() {
  PrologItemSeen_ = true;
  Scanner_.RequireWhitespace();
  const std::string_view name = Scanner_.ReadName();
  if (name.empty()) Scanner_.FailNameExpected();
  Scanner_.SkipWhitespace();
  std::string publicId;
  std::string systemId;
  if (Scanner_.Match("PUBLIC")) {
    Scanner_.RequireWhitespace();
    publicId = Scanner_.ReadLiteral(TVpXmlScanner::lkDeclaration);
    for (std::size_t i = 0; i < publicId.size();) {
      // The literal's characters have been checked as it was read.
      const TUtf8Sequence c = DecodeUtf8(publicId.data() + i, publicId.data() + publicId.size());
      if (!IsPubidChar(c.Value)) Fail(XmlMessages::InvalidPublicIdCharacter + QuotedText(publicId.substr(i, c.Length)));
      i += c.Length;
    }
    std::string buffer;
    publicId = CollapseWhitespace(publicId, buffer);
    Scanner_.RequireWhitespace();
    systemId = Scanner_.ReadLiteral(TVpXmlScanner::lkDeclaration);
  } else if (Scanner_.Match("SYSTEM")) {
    Scanner_.RequireWhitespace();
    systemId = Scanner_.ReadLiteral(TVpXmlScanner::lkDeclaration);
  }
  Scanner_.SkipWhitespace();
  Scanner_.Require(">");
  if (Parser_.OnDocType_) Parser_.OnDocType_(Parser_, name, publicId, systemId);
}

// After "<!--".
void TVpDocumentReader::ReadComment() {
  const std::string_view text = Scanner_.ReadUntil("-->");
  if (!text.empty() && (text.find("--") != std::string_view::npos || text.back() == '-'))
    Fail(XmlMessages::InvalidCommentText);
  if (Parser_.OnCommentText_) Parser_.OnCommentText_(Parser_, text);
}

// After "<!" inside content.
void TVpDocumentReader::ReadCommentOrCData() {
  if (Scanner_.AtEnd()) Fail(XmlMessages::UnexpectedEndOfFile);
  if (Scanner_.Peek() == '-') {
    Scanner_.Skip();
    Scanner_.Require("-");
    ReadComment();
  } else if (Scanner_.Peek() == '[') {
    Scanner_.Skip();
    Scanner_.Require("CDATA[");
    const std::string_view text = Scanner_.ReadUntil("]]>");
    if (!text.empty() && Parser_.OnCDataText_) Parser_.OnCDataText_(Parser_, text);
  } else {
    Fail(XmlMessages::ExpectedCommentOrCData(Scanner_.NextCharacter()));
  }
}

// After "<". True when the element has content to read, false for an empty-element tag.
bool TVpDocumentReader::ReadStartTag() {
  const std::string_view name = Scanner_.ReadName();
  if (name.empty()) {
    if (Scanner_.AtEnd()) Fail(XmlMessages::UnexpectedEndOfFile);
    Scanner_.FailAtNextCharacter(XmlMessages::EmptyElementName);
  }
  PrologItemSeen_ = true;
  std::vector<TVpXmlAttribute>& attributes = Parser_.Attributes_;
  attributes.clear();
  if (Parser_.OnTagOpen_) Parser_.OnTagOpen_(Parser_, name);
  Pending_.clear();
  Values_.clear();
  AttributeNames_.Clear();
  SpaceAttribute_ = -1;
  Scanner_.SkipWhitespace();
  while (true) {
    if (Scanner_.AtEnd()) Fail(XmlMessages::UnexpectedEndOfFile);
    if (Scanner_.Peek() == '>' || Scanner_.Peek() == '/') break;
    ReadAttribute();
    Scanner_.SkipWhitespace();
  }

  for (const TPendingAttribute& pending : Pending_) {
    const char* value = pending.RawValue ? pending.RawValue : Values_.data() + pending.ValueOffset;
    attributes.push_back({pending.Name, std::string_view(value, pending.ValueLength)});
  }
  bool preserveSpace = !Open_.empty() && Open_.back().PreserveSpace;
  if (SpaceAttribute_ >= 0) {
    const std::string_view mode = attributes[SpaceAttribute_].Value;
    if (mode == "preserve") preserveSpace = true;
    if (mode == "default") preserveSpace = false;
  }
  if (Parser_.OnSpaceMode_) Parser_.OnSpaceMode_(Parser_, name, preserveSpace);

  const bool hasContent = Scanner_.Peek() == '>';
  Scanner_.Skip();
  if (!hasContent) Scanner_.Require(">");
  if (Parser_.OnElementStart_) Parser_.OnElementStart_(Parser_, name);
  if (hasContent) {
    Open_.push_back({name, preserveSpace});
  } else if (Parser_.OnElementEnd_) {
    Parser_.OnElementEnd_(Parser_, name);
  }
  attributes.clear();  // the views into Values_ last only until the next start tag
  return hasContent;
}

void TVpDocumentReader::ReadAttribute() {
  const std::string_view name = Scanner_.ReadName();
  if (name.empty()) Scanner_.FailNameExpected();
  Scanner_.EqualsSign();
  const TVpXmlScanner::TLiteral value = Scanner_.ReadLiteral(Values_, TVpXmlScanner::lkAttribute);
  if (Parser_.OnAttributeValue_) Parser_.OnAttributeValue_(Parser_, name, value.Value);
  if (!AttributeNames_.Insert(name)) Fail(XmlMessages::AttributeRedefined);
  if (value.Rewritten) {
    Pending_.push_back({name, nullptr, Values_.size() - value.Value.size(), value.Value.size()});
  } else {
    Pending_.push_back({name, value.Value.data(), 0, value.Value.size()});
  }
  if (name == "xml:space") SpaceAttribute_ = static_cast<int>(Pending_.size()) - 1;
}

// After "</".
void TVpDocumentReader::ReadEndTag() {
  const std::string_view name = Scanner_.ReadName();
  Scanner_.SkipWhitespace();
  Scanner_.Require(">");
  const std::string_view open = Open_.back().Name;
  if (name != open) Fail(XmlMessages::MismatchedEndTag(open, name));
  Open_.pop_back();
  if (Parser_.OnElementEnd_) Parser_.OnElementEnd_(Parser_, name);
}

// The content of the root element, just opened, up to the end tag that closes it.
void TVpDocumentReader::ReadContent() {
  while (!Open_.empty()) {
    // Text nobody reads needs no collapsing.
    const bool collapse = !Open_.back().PreserveSpace && Parser_.OnText_;
    const std::string_view run = Scanner_.ReadCharacterData(collapse);
    Scanner_.Skip();  // the "<"
    if (Scanner_.AtEnd()) Fail(XmlMessages::UnexpectedEndOfFile);
    const char next = Scanner_.Peek();
    HandOutText(run);
    if (next == '/') {
      Scanner_.Skip();
      ReadEndTag();
    } else if (next == '!') {
      Scanner_.Skip();
      ReadCommentOrCData();
    } else if (next == '?') {
      Scanner_.Skip();
      ReadInstruction();
    } else {
      ReadStartTag();
    }
  }
}

void TVpDocumentReader::HandOutText(std::string_view run) {
  if (!run.empty() && Parser_.OnText_) Parser_.OnText_(Parser_, run);
}
