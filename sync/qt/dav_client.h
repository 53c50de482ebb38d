#pragma once

#include <memory>
#include <string>
#include <vector>

#include "sync/sync_codec.h"
#include "sync/sync_server.h"

// How to reach an account on a CalDAV/CardDAV server.
struct TDavCredentials {
  std::string ServerUrl;  // as the user typed it; "https://" is assumed without a scheme
  std::string UserName;
  std::string Password;
};

// A calendar or an address book found on the server.
struct TDavCollection {
  std::string Url;          // absolute
  std::string DisplayName;  // the collection's own name, else the last part of its path
};

struct TDavDiscovery {
  std::vector<TDavCollection> Calendars;  // those that hold events (and tasks)
  std::vector<TDavCollection> TaskLists;  // calendars that hold tasks only
  std::vector<TDavCollection> AddressBooks;
};

// Finds the account's calendars and address books (the user's principal, then its calendar and
// address-book homes). It is also the connection test: raises ESyncError saying exactly what
// failed (the name not found, no connection, a TLS failure, the user name or password refused,
// the address not found, not a calendar or address-book server). Blocks; runs on any thread that
// may run a Qt event loop.
TDavDiscovery DiscoverCollections(const TDavCredentials& credentials);

// The collection at the URL, for the sync engine: a calendar holds events and tasks, an address
// book contacts (kind sikContact). Its calls block like DiscoverCollections and must stay on the
// thread that opened it.
std::unique_ptr<TSyncServer> OpenDavCollection(const TDavCredentials& credentials, const std::string& collectionUrl,
                                               TSyncItemKind kind);
