#include "sync/dav_requests.h"

#include "xml/xml_escape.h"

namespace {

constexpr char kHeader[] = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n";
constexpr char kNamespaces[] =
    " xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\" xmlns:r=\"urn:ietf:params:xml:ns:carddav\"";

std::string PropFind(const std::string& properties) {
  return std::string(kHeader) + "<d:propfind" + kNamespaces + "><d:prop>" + properties + "</d:prop></d:propfind>";
}

std::string Element(const char* name, const std::string& text) {
  std::string out = std::string("<") + name + ">";
  AppendXmlEscaped(out, text);
  return out + "</" + name + ">";
}

}  // namespace

std::string DavPrincipalRequest() { return PropFind("<d:current-user-principal/>"); }

std::string DavHomesRequest() { return PropFind("<c:calendar-home-set/><r:addressbook-home-set/>"); }

std::string DavCollectionsRequest() {
  return PropFind("<d:resourcetype/><d:displayname/><c:supported-calendar-component-set/>");
}

std::string DavETagsRequest() { return PropFind("<d:resourcetype/><d:getetag/>"); }

std::string DavSyncCollectionRequest(const std::string& token) {
  return std::string(kHeader) + "<d:sync-collection xmlns:d=\"DAV:\">" + Element("d:sync-token", token) +
         "<d:sync-level>1</d:sync-level><d:prop><d:getetag/></d:prop></d:sync-collection>";
}

std::string DavMultigetRequest(TSyncItemKind kind, const std::vector<std::string>& hrefs) {
  const bool card = kind == sikContact;
  const std::string report = card ? "r:addressbook-multiget" : "c:calendar-multiget";
  std::string body = std::string(kHeader) + "<" + report + kNamespaces + "><d:prop><d:getetag/>" +
                     (card ? "<r:address-data/>" : "<c:calendar-data/>") + "</d:prop>";
  for (const std::string& href : hrefs) body += Element("d:href", href);
  return body + "</" + report + ">";
}
