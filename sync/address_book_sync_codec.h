#pragma once

#include "sync/sync_codec.h"

// Address-book items: one card (vCard) per text. The digest counts the contact's fields as the
// card reader sets them, so the card's version, property order, folding, groups, REV and PRODID
// do not count. A merge keeps the server's card and its version, replaces only the properties of
// the fields that changed here (with ours written in the card's version) and keeps what the
// contact does not hold (pictures, web pages, X- properties). A conflict copy marks the family
// name (and the full name), which the contact grid shows.
class TAddressBookSyncCodec : public TSyncItemCodec {
 public:
  bool Digest(std::string_view text, TSyncItemDigest& digest, std::string& error) const override;
  std::string Merge(std::string_view serverText, std::string_view ourText) const override;
  std::string ConflictCopy(std::string_view text, const std::string& newUid) const override;
};
