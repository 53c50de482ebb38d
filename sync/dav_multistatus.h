#pragma once

#include <string>
#include <string_view>
#include <vector>

// What a multistatus answer (207) says about one resource. Properties count only where the
// server found them (a propstat of status 2xx); those it reports as not found stay empty.
struct TDavResponse {
  std::string Href;  // absolute URL in normal form (sync/dav_url.h), resolved against the request
  // The status of the response itself (a member removed since a sync token: 404); 0 when it
  // reports its properties instead.
  int Status = 0;
  std::string ETag;  // as given, a weak one ("W/...") included
  std::string DisplayName;
  bool Collection = false;   // resourcetype
  bool Calendar = false;     // resourcetype
  bool AddressBook = false;  // resourcetype
  // The calendar's supported-calendar-component-set ("VEVENT", "VTODO"); HasComponentSet is
  // false when the server names none (it then takes every component).
  bool HasComponentSet = false;
  std::vector<std::string> Components;
  std::string Data;  // calendar-data or address-data, with CRLF line ends
  // The discovery properties, as absolute URLs in normal form.
  std::string Principal;  // current-user-principal
  std::vector<std::string> CalendarHomes;
  std::vector<std::string> AddressBookHomes;
};

struct TDavMultistatus {
  std::vector<TDavResponse> Responses;
  std::string SyncToken;  // of a sync-collection report; empty otherwise
};

// Reads a multistatus answer to a request sent to the URL; false with the reason when the body is
// no multistatus document.
bool ReadDavMultistatus(std::string_view body, const std::string& requestUrl, TDavMultistatus& answer,
                        std::string& error);

// Whether the body is an error document ("DAV:" error) naming the precondition of that name in
// the "DAV:" namespace ("valid-sync-token").
bool DavErrorNames(std::string_view body, std::string_view precondition);

// The code of an HTTP status line ("HTTP/1.1 404 Not Found" gives 404); 0 when it holds none.
int DavStatusCode(std::string_view statusLine);
