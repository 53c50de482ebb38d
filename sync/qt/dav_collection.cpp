#include <algorithm>
#include <map>
#include <optional>
#include <set>

#include "sync/dav_collection_info.h"
#include "sync/dav_requests.h"
#include "sync/dav_url.h"
#include "sync/qt/dav_client.h"
#include "sync/qt/dav_http.h"

namespace {

// How many items one multiget asks for.
constexpr std::size_t kFetchBatch = 100;
// How many times a sync report cut short by the server (507 on the collection) is continued.
constexpr int kMostReportRounds = 100;

bool IsSuccess(int status) { return status >= 200 && status < 300; }

// A calendar or an address book on a CalDAV/CardDAV server.
class TDavCollectionServer final : public TSyncServer {
 public:
  TDavCollectionServer(const TDavCredentials& credentials, const std::string& url, TSyncItemKind kind)
      : Http_(credentials), Url_(DavCollectionUrl(url)), Path_(DavUrlPath(Url_)), Kind_(kind) {}

  std::string Url() const override { return Url_; }

  TSyncCollectionInfo Describe() override {
    const TDavReply reply = Http_.Send("PROPFIND", Url_, DavCollectionsRequest(), {{"Depth", "0"}});
    if (reply.Status == 401) RaiseDavStatus(reply);
    TSyncCollectionInfo info;
    if (ReadDavCollectionInfo(reply.Status, reply.Body, Url_, info)) return info;
    ExpectMultistatus(reply);  // raises for an answer that is no multistatus
    throw ESyncError("The server " + DavUrlHost(Url_) + " does not say what " + Url_ + " is.");
  }

  TSyncListing List(const std::string& token) override {
    if (SyncReports_) {
      if (std::optional<TSyncListing> listing = SyncReport(token)) return *listing;
      if (SyncReports_ && !token.empty())
        if (std::optional<TSyncListing> listing = SyncReport("")) return *listing;
    }
    return FullListing();
  }

  std::vector<TSyncRemoteItem> Fetch(const std::vector<std::string>& hrefs) override {
    std::vector<TSyncRemoteItem> items;
    for (std::size_t first = 0; first < hrefs.size(); first += kFetchBatch) {
      const std::vector<std::string> batch(
          hrefs.begin() + static_cast<std::ptrdiff_t>(first),
          hrefs.begin() + static_cast<std::ptrdiff_t>(std::min(hrefs.size(), first + kFetchBatch)));
      const TDavMultistatus answer =
          ExpectMultistatus(Http_.Send("REPORT", Url_, DavMultigetRequest(Kind_, batch), {{"Depth", "1"}}));
      for (const TDavResponse& r : answer.Responses)
        if (r.Status == 0 && r.Data.find_first_not_of(" \t\r\n") != std::string::npos)
          items.push_back({DavUrlPath(r.Href), r.ETag, r.Data});
    }
    return items;
  }

  TSyncWriteOutcome Create(const std::string& href, const std::string& text) override {
    return Put(href, text, {"If-None-Match", "*"});
  }

  TSyncWriteOutcome Update(const std::string& href, const std::string& text, const std::string& etag) override {
    return Put(href, text, {etag.empty() ? "" : "If-Match", etag});
  }

  bool Remove(const std::string& href, const std::string& etag) override {
    TDavHeaders headers;
    if (!etag.empty()) headers.emplace_back("If-Match", etag);
    const TDavReply reply = Http_.Send("DELETE", ResolveDavUrl(Url_, href), {}, headers);
    if (IsSuccess(reply.Status) || reply.Status == 404 || reply.Status == 410) return true;
    if (reply.Status == 412) return false;
    RaiseDavStatus(reply);
  }

  std::string HrefFor(const std::string& uid) const override {
    return DavItemHref(Path_, uid, Kind_ == sikContact ? ".vcf" : ".ics");
  }

 private:
  // The listing of a sync-collection report from the token; none when the server refused the
  // token, or cannot give the report at all (SyncReports_ then turns false).
  std::optional<TSyncListing> SyncReport(const std::string& token) {
    TSyncListing listing;
    listing.Full = token.empty();
    std::map<std::string, std::string> changed;  // href -> ETag
    std::set<std::string> removed;
    std::string from = token;
    for (int round = 0; round < kMostReportRounds; ++round) {
      const TDavReply reply = Http_.Send("REPORT", Url_, DavSyncCollectionRequest(from), {{"Depth", "0"}});
      if (reply.Status == 401) RaiseDavStatus(reply);
      TDavMultistatus answer;
      std::string error;
      if (reply.Status != 207 || !ReadDavMultistatus(reply.Body, reply.Url, answer, error)) {
        const bool tokenRefused =
            (reply.Status == 403 || reply.Status == 409) && DavErrorNames(reply.Body, "valid-sync-token");
        if (!tokenRefused || from.empty()) SyncReports_ = false;
        return std::nullopt;
      }
      bool cutShort = false;
      for (const TDavResponse& r : answer.Responses) {
        const std::string href = DavUrlPath(r.Href);
        if (href == Path_) {
          cutShort = cutShort || r.Status == 507;
          continue;
        }
        if (!IsMember(href)) continue;
        if (r.Status == 404) {
          changed.erase(href);
          if (!listing.Full) removed.insert(href);
        } else if (r.Status == 0 || IsSuccess(r.Status)) {
          removed.erase(href);
          changed[href] = r.ETag;
        }
      }
      listing.Token = answer.SyncToken;
      if (!cutShort || answer.SyncToken.empty() || answer.SyncToken == from) break;
      from = answer.SyncToken;
    }
    for (const auto& [href, etag] : changed) listing.Changed.push_back({href, etag});
    listing.Removed.assign(removed.begin(), removed.end());
    return listing;
  }

  // Every member with its ETag, by PROPFIND; no token.
  TSyncListing FullListing() {
    const TDavMultistatus answer = ExpectMultistatus(Http_.Send("PROPFIND", Url_, DavETagsRequest(), {{"Depth", "1"}}));
    TSyncListing listing;
    for (const TDavResponse& r : answer.Responses) {
      const std::string href = DavUrlPath(r.Href);
      if (IsMember(href) && !r.Collection && (r.Status == 0 || IsSuccess(r.Status)))
        listing.Changed.push_back({href, r.ETag});
    }
    return listing;
  }

  // Whether the href names an item directly in the collection (not the collection, not a
  // collection inside it, not elsewhere).
  bool IsMember(const std::string& href) const {
    return href.size() > Path_.size() && href.starts_with(Path_) && href.find('/', Path_.size()) == std::string::npos;
  }

  TSyncWriteOutcome Put(const std::string& href, const std::string& text,
                        const std::pair<std::string, std::string>& condition) {
    TDavHeaders headers{
        {"Content-Type", Kind_ == sikContact ? "text/vcard; charset=utf-8" : "text/calendar; charset=utf-8"}};
    if (!condition.first.empty()) headers.push_back(condition);
    const TDavReply reply = Http_.Send("PUT", ResolveDavUrl(Url_, href), text, headers);
    if (reply.Status == 412) return {false, {}};
    if (!IsSuccess(reply.Status)) RaiseDavStatus(reply);
    return {true, reply.ETag};
  }

  TDavHttp Http_;
  std::string Url_;   // normal form, ending in "/"
  std::string Path_;  // the collection's href
  TSyncItemKind Kind_;
  bool SyncReports_ = true;  // false once the server failed to give a sync-collection report
};

}  // namespace

std::unique_ptr<TSyncServer> OpenDavCollection(const TDavCredentials& credentials, const std::string& collectionUrl,
                                               TSyncItemKind kind) {
  const std::string url = DavServerUrl(collectionUrl);
  if (url.empty()) throw ESyncError("\"" + collectionUrl + "\" is not the address of a collection.");
  return std::make_unique<TDavCollectionServer>(credentials, url, kind);
}
