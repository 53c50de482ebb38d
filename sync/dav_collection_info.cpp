#include "sync/dav_collection_info.h"

#include "sync/dav_multistatus.h"
#include "sync/dav_url.h"

namespace {

bool IsGone(int status) { return status == 404 || status == 410; }

// The response about the URL itself: the one whose href names it (with or without the closing
// "/"), else the only one there is.
const TDavResponse* ResponseAbout(const TDavMultistatus& answer, const std::string& url) {
  const std::string wanted = DavCollectionUrl(url);
  for (const TDavResponse& response : answer.Responses)
    if (DavCollectionUrl(response.Href) == wanted) return &response;
  return answer.Responses.size() == 1 ? &answer.Responses.front() : nullptr;
}

}  // namespace

bool ReadDavCollectionInfo(int status, std::string_view body, const std::string& url, TSyncCollectionInfo& info) {
  info = {};
  if (IsGone(status)) {
    info.Type = sctMissing;
    return true;
  }
  TDavMultistatus answer;
  std::string error;
  if (status != 207 || !ReadDavMultistatus(body, url, answer, error)) return false;
  const TDavResponse* response = ResponseAbout(answer, url);
  if (response == nullptr) return false;
  if (IsGone(response->Status)) {
    info.Type = sctMissing;
    return true;
  }
  if (response->Status != 0 && (response->Status < 200 || response->Status > 299)) return false;
  if (response->Calendar) {
    info.Type = sctCalendar;
    info.HasComponentSet = response->HasComponentSet;
    info.Components = response->Components;
  } else if (response->AddressBook) {
    info.Type = sctAddressBook;
  } else {
    info.Type = response->Collection ? sctPlainFolder : sctItem;
  }
  return true;
}
