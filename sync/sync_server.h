#pragma once

#include <string>
#include <vector>

#include "model/vp_exception.h"

// A sync that could not go on: the message says what failed in the user's terms ("The server
// refused the user name or password.", "Cannot reach server.example: name not found.").
class ESyncError : public EVpException {
 public:
  using EVpException::EVpException;
};

// One item of a collection on the server as a listing names it. ETag is empty when the server
// gives none.
struct TSyncRemoteEntry {
  std::string Href;
  std::string ETag;
};

// What the server's collection holds, or what changed in it since a sync token.
struct TSyncListing {
  // Full: every item of the collection (no token given, the token was refused, or the server
  // keeps no tokens). Otherwise only the items changed or added since the token.
  bool Full = true;
  std::vector<TSyncRemoteEntry> Changed;
  // Items removed since the token (incremental listings only).
  std::vector<std::string> Removed;
  // The token to give next time; empty when the server keeps none.
  std::string Token;
};

// One item with its text, as fetched.
struct TSyncRemoteItem {
  std::string Href;
  std::string ETag;  // empty when the server gave none
  std::string Text;
};

// The outcome of a conditional write.
struct TSyncWriteOutcome {
  // False: the precondition failed (412): the item was created, changed or removed meanwhile.
  bool Done = false;
  // The item's new ETag when the server gave one (else empty: ask again by listing or fetching).
  std::string ETag;
};

// What the address of a collection holds, as the server describes it.
enum TSyncCollectionType {
  sctMissing,      // nothing (any more): the server answered 404 or 410
  sctItem,         // a single item, not a folder
  sctPlainFolder,  // a folder that is neither a calendar nor an address book
  sctCalendar,
  sctAddressBook
};

struct TSyncCollectionInfo {
  TSyncCollectionType Type = sctCalendar;
  // The components a calendar takes ("VEVENT", "VTODO", upper case); HasComponentSet is false when
  // the server names none (it then takes every component).
  bool HasComponentSet = false;
  std::vector<std::string> Components;
};

// One collection (a calendar or an address book) on a server. Hrefs are the server's paths as it
// names them (percent-encoded, absolute from the host). Every call either returns its answer or
// raises ESyncError; a network failure never looks like an empty collection.
class TSyncServer {
 public:
  virtual ~TSyncServer() = default;

  // The collection's address, as messages name it (never with credentials in it).
  virtual std::string Url() const = 0;
  // What the address holds; raises ESyncError when the server does not say (the credentials
  // refused, no connection, an answer that is no description).
  virtual TSyncCollectionInfo Describe() = 0;

  // The items changed since the token (the whole collection for an empty or refused token).
  virtual TSyncListing List(const std::string& token) = 0;
  // The items at the hrefs, fetched in batches the server takes; an href no longer there is left
  // out of the answer.
  virtual std::vector<TSyncRemoteItem> Fetch(const std::vector<std::string>& hrefs) = 0;
  // Stores a new item (If-None-Match: *); not Done when an item already is at the href.
  virtual TSyncWriteOutcome Create(const std::string& href, const std::string& text) = 0;
  // Replaces the item (If-Match: etag; an empty etag writes unconditionally, for servers that
  // give no ETags); not Done when it changed meanwhile.
  virtual TSyncWriteOutcome Update(const std::string& href, const std::string& text, const std::string& etag) = 0;
  // Removes the item (If-Match: etag as above): false when it changed meanwhile; an item already
  // gone counts as removed.
  virtual bool Remove(const std::string& href, const std::string& etag) = 0;
  // The href a new item with the UID is stored at: in the collection, named after the UID (made
  // safe for a path) with the kind's extension.
  virtual std::string HrefFor(const std::string& uid) const = 0;
};
