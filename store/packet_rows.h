#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

// A quick look at the rows of a data-packet file (see data_packet.h) before reading it: each ROW
// element as it stands in the text, with its attributes' values as they stand (not unescaped).

// One ROW element's text, "<ROW ... />".
class TPacketRowText {
 public:
  explicit TPacketRowText(std::string_view text) : Text_(text) {}
  std::string_view Text() const { return Text_; }
  // The attribute's value as it stands in the text; nullopt when the row has no such attribute.
  std::optional<std::string_view> Value(std::string_view name) const;

 private:
  std::string_view Text_;
};

// The file's text with only the rows that keep chooses, everything before and after the rows as
// it was. nullopt when the rows are not laid out as plain ROW elements with quoted attributes and
// nothing else between them (a comment, say): then nothing can be told without reading the file.
std::optional<std::string> DataPacketPart(std::string_view text,
                                          const std::function<bool(const TPacketRowText& row)>& keep);
