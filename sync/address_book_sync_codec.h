#pragma once

#include <ctime>

#include "sync/sync_codec.h"

// Address-book items: one card (vCard) per text. The digest counts the contact's fields as the
// card reader sets them, so the card's version, property order, folding, groups, REV and PRODID
// do not count. A merge keeps the server's card and its version, replaces only the properties of
// the fields that changed here (with ours written in the card's version; of the phone numbers only
// those that changed, so that the others keep their parameters), keeps what the contact does not
// hold (pictures, web pages, X- properties) and brings the card's REV up to the merge's moment. A
// conflict copy marks the formatted name (FN), which other programs show, and leaves the names as
// they are.
class TAddressBookSyncCodec : public TSyncItemCodec {
 public:
  // stamp: the moment of the merges (a merged card's REV).
  explicit TAddressBookSyncCodec(std::time_t stamp = std::time(nullptr)) : Stamp_(stamp) {}

  TSyncCollectionKind Collection() const override { return sckAddressBook; }
  bool Digest(std::string_view text, TSyncItemDigest& digest, std::string& error) const override;
  std::string Merge(std::string_view serverText, std::string_view ourText) const override;
  std::string ConflictCopy(std::string_view text, const std::string& newUid) const override;

 private:
  std::time_t Stamp_;
};
