#pragma once

#include <string>
#include <string_view>

// What both item formats share for their digests and conflict copies.

// The mark added to the subject of the server's version of a conflict, kept beside ours.
inline constexpr std::string_view kServerCopyMark = " (server copy)";

// A canonical dump of mapped fields: each field by name and length, so that no two different sets
// of values write the same bytes.
class TCanonicalDump {
 public:
  void Add(std::string_view name, std::string_view value);
  const std::string& Text() const { return Text_; }
  // The dump's 64-bit FNV-1a hash as 16 hex digits.
  std::string Hash() const;

 private:
  std::string Text_;
};
