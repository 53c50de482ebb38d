#include <algorithm>
#include <optional>

#include "sync/dav_requests.h"
#include "sync/dav_url.h"
#include "sync/qt/dav_client.h"
#include "sync/qt/dav_http.h"

// Discovery walks from the address the user gave to the collections: the user's principal (at
// that address, else at the well-known addresses), its calendar and address-book homes, and the
// collections in each home.

namespace {

void AddOnce(std::vector<std::string>& urls, const std::string& url) {
  if (std::find(urls.begin(), urls.end(), url) == urls.end()) urls.push_back(url);
}

void AddCollection(std::vector<TDavCollection>& collections, const TDavResponse& response) {
  const std::string url = DavCollectionUrl(response.Href);
  for (const TDavCollection& c : collections)
    if (c.Url == url) return;
  collections.push_back({url, response.DisplayName.empty() ? DavUrlLastSegment(url) : response.DisplayName});
}

bool Holds(const TDavResponse& response, const char* component) {
  return std::find(response.Components.begin(), response.Components.end(), component) != response.Components.end();
}

// The principals named at the URL; none when the URL gives no multistatus. The failure is kept
// for the message when no address gives one; the credentials refused end the discovery at once.
std::vector<std::string> PrincipalsAt(TDavHttp& http, const std::string& url, std::optional<ESyncError>& failure) {
  const TDavReply reply = http.Send("PROPFIND", url, DavPrincipalRequest(), {{"Depth", "0"}});
  if (reply.Status == 401) RaiseDavStatus(reply);
  std::vector<std::string> principals;
  try {
    for (const TDavResponse& r : ExpectMultistatus(reply).Responses)
      if (!r.Principal.empty()) AddOnce(principals, r.Principal);
  } catch (const ESyncError& e) {
    if (!failure) failure = e;
  }
  return principals;
}

}  // namespace

TDavDiscovery DiscoverCollections(const TDavCredentials& credentials) {
  const std::string start = DavServerUrl(credentials.ServerUrl);
  if (start.empty()) throw ESyncError("\"" + credentials.ServerUrl + "\" is not the address of a server.");
  TDavHttp http(credentials);

  std::optional<ESyncError> failure;
  std::vector<std::string> principals = PrincipalsAt(http, start, failure);
  if (principals.empty())
    for (const char* wellKnown : {"/.well-known/caldav", "/.well-known/carddav"})
      for (const std::string& p : PrincipalsAt(http, ResolveDavUrl(start, wellKnown), failure)) AddOnce(principals, p);
  if (principals.empty()) {
    if (failure) throw *failure;
    throw ESyncError(DavUrlHost(start) + " is not a calendar or address-book server.");
  }

  std::vector<std::string> homes;
  for (const std::string& principal : principals) {
    const TDavMultistatus answer =
        ExpectMultistatus(http.Send("PROPFIND", principal, DavHomesRequest(), {{"Depth", "0"}}));
    for (const TDavResponse& r : answer.Responses) {
      for (const std::string& home : r.CalendarHomes) AddOnce(homes, home);
      for (const std::string& home : r.AddressBookHomes) AddOnce(homes, home);
    }
  }
  if (homes.empty()) homes = principals;  // a server without homes keeps the collections there

  TDavDiscovery found;
  for (const std::string& home : homes) {
    const TDavMultistatus answer =
        ExpectMultistatus(http.Send("PROPFIND", home, DavCollectionsRequest(), {{"Depth", "1"}}));
    for (const TDavResponse& r : answer.Responses) {
      if (r.AddressBook) AddCollection(found.AddressBooks, r);
      if (!r.Calendar) continue;
      if (!r.HasComponentSet || Holds(r, "VEVENT")) AddCollection(found.Calendars, r);
      else if (Holds(r, "VTODO")) AddCollection(found.TaskLists, r);
    }
  }
  return found;
}
