#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

// A quick look at the rows of a data-packet file (see data_packet.h) before reading it: each ROW
// element as it stands in the text, with its attributes' values as they stand (not unescaped).

// An attribute's name made ready to be looked up in many rows' text.
class TPacketRowName {
 public:
  explicit TPacketRowName(std::string_view name);
  std::string_view Name() const { return Name_; }
  // Where the text holds the name from a place on; npos when nowhere.
  size_t FindIn(std::string_view text, size_t from) const;

 private:
  std::string Name_;
  size_t Anchor_ = 0;  // the place of the name's letter least common in rows, which the look seeks
};

// One ROW element's text, "<ROW ... />".
class TPacketRowText {
 public:
  explicit TPacketRowText(std::string_view text) : Text_(text) {}
  // A row known to hold no single quote (its whole block was looked at once).
  static TPacketRowText Plain(std::string_view text) {
    TPacketRowText row(text);
    row.Plain_ = 1;
    return row;
  }
  std::string_view Text() const { return Text_; }
  // The attribute's value as it stands in the text; nullopt when the row has no such attribute
  // (or its attributes are not plain quoted ones up to it).
  std::optional<std::string_view> Value(const TPacketRowName& name) const;
  // The row's text from the attribute's value on (its closing quote and what follows included),
  // for a look at its first characters that need not find where it ends.
  std::optional<std::string_view> ValueOnwards(const TPacketRowName& name) const;
  // The attributes in turn, as long as they are plain quoted ones: from At (0 for the first) the
  // next one's name and value, At then where the one after it is looked for; false after the last.
  bool NextAttribute(size_t& at, std::string_view& name, std::string_view& value) const;

 private:
  std::optional<size_t> ValueStart(const TPacketRowName& name) const;

  std::string_view Text_;
  mutable signed char Plain_ = -1;  // whether the row holds no single quote; -1 until looked
};

using TPacketRowChoice = std::function<bool(const TPacketRowText& row)>;

// The text of a data-packet file with only the rows Keep chooses, everything before and after the
// rows as it was, built from the file's bytes as they come, block by block (see ReadFileInBlocks).
class TDataPacketPart {
 public:
  explicit TDataPacketPart(TPacketRowChoice keep) : Keep_(std::move(keep)) {}
  // Takes what it can of the bytes not yet taken (Last: no more follow); returns how many it took.
  size_t Take(std::string_view text, bool last);
  // The part; nullopt when the rows are not laid out as plain ROW elements and nothing else
  // between them (a comment, say): then nothing can be told without reading the file. A row is
  // told from the next by the next "<", which a readable file never holds inside a value.
  std::optional<std::string> Result() &&;

 private:
  enum TStage { sHead, sRows, sTail, sDone, sFailed };
  size_t TakeRows(std::string_view text, bool last);

  TPacketRowChoice Keep_;
  TStage Stage_ = sHead;
  std::string Part_;
};

// The part of a whole text at once.
std::optional<std::string> DataPacketPart(std::string_view text, const TPacketRowChoice& keep);
