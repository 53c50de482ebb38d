#pragma once

#include <string>
#include <string_view>

// The kinds of record a collection holds: a calendar holds events and tasks, an address book
// contacts.
enum TSyncItemKind { sikEvent, sikTask, sikContact };

// Which records of a resource a collection holds.
enum TSyncCollectionKind {
  sckCalendar,    // its events and tasks
  sckAddressBook  // its contacts
};

// What the sync needs to know of an item text (one calendar object or one card).
struct TSyncItemDigest {
  TSyncItemKind Kind = sikEvent;
  std::string Uid;
  // A hash of the item's normalised content: only what the organizer maps, so volatile
  // properties (stamps, product id) and the way a server re-serialises the text do not count.
  std::string Hash;
  // The item's subject (an event's or task's summary, a contact's name), for the sync's messages.
  std::string Subject;
};

// How item texts of one collection kind are read, merged and copied. The sync engine works on
// texts and hashes only; a codec knows the format.
class TSyncItemCodec {
 public:
  virtual ~TSyncItemCodec() = default;
  // The kind of collection whose items the codec reads.
  virtual TSyncCollectionKind Collection() const = 0;
  // The digest of an item text; false with the reason when the text holds no item the organizer
  // can take (not readable, no UID, a kind it does not keep).
  virtual bool Digest(std::string_view text, TSyncItemDigest& digest, std::string& error) const = 0;
  // The text to upload for a change made here: the server's last text with only the properties
  // the organizer maps replaced by those of ours, so that what other programs stored survives.
  virtual std::string Merge(std::string_view serverText, std::string_view ourText) const = 0;
  // A copy of the item under a new UID, its subject marked as the server's version of a conflict,
  // to be kept beside ours.
  virtual std::string ConflictCopy(std::string_view text, const std::string& newUid) const = 0;
};
