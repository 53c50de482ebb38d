#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_reader.h"
#include "platform/file_writer.h"

// A file of sections and keys ("[Section]" lines and "Key=Value" lines). Section and key names
// match without regard to ASCII letter case; the first of several equal sections or keys counts.
// Lines the file holds that are not sections or keys (comments, blank lines, anything else) are
// kept as they are. The file is written back in the encoding it has (UTF-8 with or without a
// byte-order mark, UTF-16 in either byte order with one) and with its line ends: CR LF, LF or CR
// all end a line when it is read, and the first line end of the file is the one it is written
// with. Every write replaces the file at once through the file writer; a failed write raises and
// changes nothing.
class TIniFile {
 public:
  // Reads the file; a missing file is an empty one. A file that cannot be read raises
  // EFileReadError.
  TIniFile(std::string path, TFileWriter& writer);
  // The file as if it held the given text.
  TIniFile(std::string path, TFileWriter& writer, std::string_view text);

  const std::string& Path() const { return Path_; }

  // The value of the key, or nothing when the section or key is absent. Blanks around the value
  // are dropped, and so is one pair of double or single quotes enclosing it.
  std::optional<std::string> Read(std::string_view section, std::string_view key) const;
  // Stores the value, creating the section and key as needed. CR and LF in the value are dropped
  // (they would start a new line, that is, a new key).
  void Write(std::string_view section, std::string_view key, std::string_view value);

  // The whole file as it would be written, in its encoding.
  std::string Text() const;

 private:
  // Index of the section's header line, or npos.
  static size_t FindSection(const std::vector<std::string>& lines, std::string_view section);

  void Parse(std::string_view text);

  // The encodings a settings file is read and written in; a new file is plain UTF-8.
  enum TEncoding { feUtf8, feUtf8WithBom, feUtf16LittleEndian, feUtf16BigEndian };

  std::string Path_;
  TFileWriter& Writer_;
  std::vector<std::string> Lines_;  // UTF-8, without their line ends
  TEncoding Encoding_ = feUtf8;
  std::string LineEnd_ = "\n";
};
