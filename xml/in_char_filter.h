#pragma once

#include <string>
#include <string_view>
#include <vector>

// Where a character of the document stands: line and column (both 1-based, counted in
// characters, a CR LF pair being one line end) and its byte offset in the document.
struct TVpTextPosition {
  int Line = 1;
  int Column = 1;
  long long StreamPosition = 0;
};

// Turns the bytes of a document into the UTF-8 text the parser reads, and maps a place in that
// text back to its line, column and byte offset. The byte-order mark decides the encoding:
// EF BB BF is UTF-8, FF FE UTF-16 little-endian, FE FF UTF-16 big-endian, anything else UTF-8
// from the first byte. UTF-8 is read in place (it is validated as it is read); UTF-16 is
// converted up front. An XML declaration naming ISO-8859-1 switches the rest of a UTF-8 document
// to that encoding.
//
// A UTF-16 unit that cannot be decoded (an unpaired surrogate, an odd last byte) ends the
// converted text with the byte 0xFF, which is never valid UTF-8, so the reader stops there with
// BadlyFormedMessage() once it has read everything before it.
class TVpInCharFilter {
 public:
  enum TEncodingMode { emUtf8, emUtf16LittleEndian, emUtf16BigEndian, emIso88591 };

  // The bytes must stay alive and unchanged while the filter is used.
  explicit TVpInCharFilter(std::string_view bytes);
  TVpInCharFilter(const TVpInCharFilter&) = delete;
  TVpInCharFilter& operator=(const TVpInCharFilter&) = delete;

  // The text still to be read, from the place of the last switch (or the start) to the end.
  std::string_view Text() const { return Segments_.back().Text; }
  TEncodingMode Mode() const { return Segments_.back().Mode; }
  bool HasByteOrderMark() const { return HasByteOrderMark_; }
  // The message for bytes that cannot be decoded in the current encoding.
  const char* BadlyFormedMessage() const;

  // Reads everything from at (a place in Text()) on as ISO-8859-1 and returns the new text,
  // which begins with the character that stood there. Only for a UTF-8 document.
  std::string_view SwitchToIso88591(const char* at);

  // The position of the character that at points to, a place in Text() or its end. Successive calls with
  // places further on cost only the distance between them.
  TVpTextPosition PositionOf(const char* at);

 private:
  struct TSegment {
    std::string_view Text;
    long long StreamBase;  // byte offset of the segment's first character in the document
    TEncodingMode Mode;
  };
  // How far PositionOf last counted, to continue from there.
  struct TCountedUpTo {
    std::size_t Segment = 0;
    const char* At = nullptr;
    TVpTextPosition Position;
    long long BytesInSegment = 0;  // document bytes of the segment's characters before At
    bool AfterCR = false;          // the last character counted was a CR
  };

  std::size_t SegmentOf(const char* at) const;

  std::vector<TSegment> Segments_;  // one, or two after a switch to ISO-8859-1
  std::string Converted_;           // the text of a converted segment
  bool HasByteOrderMark_ = false;
  TCountedUpTo Counted_;
};
