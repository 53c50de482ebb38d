#include "xml/in_char_filter.h"

#include <functional>

#include "platform/utf16.h"
#include "platform/utf8.h"
#include "xml/xml_chars.h"
#include "xml/xml_messages.h"

namespace {

// Closes converted text at an undecodable unit; see the class comment.
constexpr char kUndecodable = static_cast<char>(0xFF);

bool StartsWith(std::string_view bytes, std::string_view prefix) { return bytes.substr(0, prefix.size()) == prefix; }

}  // namespace

TVpInCharFilter::TVpInCharFilter(std::string_view bytes) {
  if (StartsWith(bytes, "\xEF\xBB\xBF")) {
    HasByteOrderMark_ = true;
    Segments_.push_back({bytes.substr(3), 3, emUtf8});
  } else if (StartsWith(bytes, "\xFF\xFE") || StartsWith(bytes, "\xFE\xFF")) {
    HasByteOrderMark_ = true;
    const bool bigEndian = bytes[0] == '\xFE';
    const std::string_view units = bytes.substr(2);
    if (AppendUtf16AsUtf8(Converted_, units, bigEndian) < units.size()) Converted_ += kUndecodable;
    Segments_.push_back({Converted_, 2, bigEndian ? emUtf16BigEndian : emUtf16LittleEndian});
  } else {
    Segments_.push_back({bytes, 0, emUtf8});
  }
  Counted_.At = Segments_.front().Text.data();
  Counted_.Position.StreamPosition = Segments_.front().StreamBase;
}

const char* TVpInCharFilter::BadlyFormedMessage() const {
  const TEncodingMode mode = Mode();
  return mode == emUtf16LittleEndian || mode == emUtf16BigEndian ? XmlMessages::BadlyFormedUtf16
                                                                 : XmlMessages::BadlyFormedUtf8;
}

std::string_view TVpInCharFilter::SwitchToIso88591(const char* at) {
  TSegment& current = Segments_.back();
  const std::size_t consumed = static_cast<std::size_t>(at - current.Text.data());
  const std::string_view rest = current.Text.substr(consumed);
  current.Text = current.Text.substr(0, consumed);
  Converted_.clear();
  Converted_.reserve(rest.size() * 2);
  for (const char byte : rest) AppendUtf8(Converted_, static_cast<unsigned char>(byte));
  Segments_.push_back({Converted_, current.StreamBase + static_cast<long long>(consumed), emIso88591});
  return Converted_;
}

std::size_t TVpInCharFilter::SegmentOf(const char* at) const {
  const std::less_equal<const char*> notAfter;
  for (std::size_t i = Segments_.size(); i-- > 0;) {
    const std::string_view text = Segments_[i].Text;
    if (notAfter(text.data(), at) && notAfter(at, text.data() + text.size())) return i;
  }
  return Segments_.size() - 1;
}

TVpTextPosition TVpInCharFilter::PositionOf(const char* at) {
  const std::size_t segment = SegmentOf(at);
  const std::less<const char*> before;
  if (segment < Counted_.Segment || (segment == Counted_.Segment && before(at, Counted_.At))) {
    Counted_ = TCountedUpTo{};  // a place before the last one counted: count again from the start
    Counted_.At = Segments_.front().Text.data();
    Counted_.Position.StreamPosition = Segments_.front().StreamBase;
  }
  TCountedUpTo& c = Counted_;
  while (true) {
    const TSegment& current = Segments_[c.Segment];
    const char* stop = c.Segment == segment ? at : current.Text.data() + current.Text.size();
    for (const char* p = c.At; p != stop; ++p) {
      const auto byte = static_cast<unsigned char>(*p);
      if ((byte & 0xC0) == 0x80) continue;  // a UTF-8 continuation byte: the character is counted
      if (byte == '\n' && c.AfterCR) {
        c.AfterCR = false;
      } else if (byte == '\n' || byte == '\r') {
        ++c.Position.Line;
        c.Position.Column = 1;
        c.AfterCR = byte == '\r';
      } else {
        ++c.Position.Column;
        c.AfterCR = false;
      }
      // Document bytes of this character: its own length in UTF-8, one byte in ISO-8859-1, two
      // or four in UTF-16.
      switch (current.Mode) {
        case emUtf8: c.BytesInSegment += byte < 0x80 ? 1 : byte < 0xE0 ? 2 : byte < 0xF0 ? 3 : 4; break;
        case emIso88591: c.BytesInSegment += 1; break;
        default: c.BytesInSegment += byte >= 0xF0 && byte != 0xFF ? 4 : 2; break;
      }
    }
    c.At = stop;
    c.Position.StreamPosition = current.StreamBase + c.BytesInSegment;
    if (c.Segment == segment) return c.Position;
    ++c.Segment;
    c.At = Segments_[c.Segment].Text.data();
    c.BytesInSegment = 0;
  }
}
