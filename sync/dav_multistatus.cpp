#include "sync/dav_multistatus.h"

#include "platform/ascii_text.h"
#include "sync/dav_url.h"
#include "sync/dav_xml_tree.h"

namespace {

// The hrefs of the element's DAV: href children, resolved.
std::vector<std::string> Hrefs(const TDavXmlTree& tree, int element, const std::string& base) {
  std::vector<std::string> hrefs;
  for (const int child : tree.Element(element).Children)
    if (tree.Is(child, kDavNamespace, "href"))
      if (std::string url = ResolveDavUrl(base, tree.TrimmedText(child)); !url.empty()) hrefs.push_back(std::move(url));
  return hrefs;
}

void ReadResourceType(const TDavXmlTree& tree, int element, TDavResponse& response) {
  for (const int child : tree.Element(element).Children) {
    if (tree.Is(child, kDavNamespace, "collection")) response.Collection = true;
    if (tree.Is(child, kCalDavNamespace, "calendar")) response.Calendar = true;
    if (tree.Is(child, kCardDavNamespace, "addressbook")) response.AddressBook = true;
  }
}

void ReadComponentSet(const TDavXmlTree& tree, int element, TDavResponse& response) {
  response.HasComponentSet = true;
  for (const int child : tree.Element(element).Children) {
    if (!tree.Is(child, kCalDavNamespace, "comp")) continue;
    for (const auto& [name, value] : tree.Element(child).Attributes)
      if (name == "name") response.Components.push_back(UpperCaseAscii(value));
  }
}

// An item text with CRLF line ends, as its format has them: XML reading turned the server's raw
// CRLF into LF.
std::string ItemText(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 40);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
    out += text[i];
  }
  return out;
}

void ReadProperty(const TDavXmlTree& tree, int property, const std::string& base, TDavResponse& response) {
  const TDavXmlTree::TElement& e = tree.Element(property);
  if (e.Namespace == kDavNamespace) {
    if (e.Name == "getetag") response.ETag = tree.TrimmedText(property);
    if (e.Name == "displayname") response.DisplayName = tree.TrimmedText(property);
    if (e.Name == "resourcetype") ReadResourceType(tree, property, response);
    if (e.Name == "current-user-principal")
      if (const std::vector<std::string> hrefs = Hrefs(tree, property, base); !hrefs.empty())
        response.Principal = hrefs.front();
  } else if (e.Namespace == kCalDavNamespace) {
    if (e.Name == "supported-calendar-component-set") ReadComponentSet(tree, property, response);
    if (e.Name == "calendar-home-set") response.CalendarHomes = Hrefs(tree, property, base);
    if (e.Name == "calendar-data") response.Data = ItemText(e.Text);
  } else if (e.Namespace == kCardDavNamespace) {
    if (e.Name == "addressbook-home-set") response.AddressBookHomes = Hrefs(tree, property, base);
    if (e.Name == "address-data") response.Data = ItemText(e.Text);
  }
}

// The responses of one DAV: response element: one per href of a status-only response, else the
// one href with the properties of its successful propstats.
void ReadResponse(const TDavXmlTree& tree, int element, const std::string& base, std::vector<TDavResponse>& out) {
  const std::vector<std::string> hrefs = Hrefs(tree, element, base);
  if (hrefs.empty()) return;
  const int status = tree.Child(element, kDavNamespace, "status");
  if (status >= 0) {
    for (const std::string& href : hrefs) {
      TDavResponse& response = out.emplace_back();
      response.Href = href;
      response.Status = DavStatusCode(tree.TrimmedText(status));
    }
    return;
  }
  TDavResponse response;
  response.Href = hrefs.front();
  for (const int propstat : tree.Element(element).Children) {
    if (!tree.Is(propstat, kDavNamespace, "propstat")) continue;
    const int statusLine = tree.Child(propstat, kDavNamespace, "status");
    const int code = statusLine < 0 ? 200 : DavStatusCode(tree.TrimmedText(statusLine));
    if (code < 200 || code > 299) continue;
    for (const int prop : tree.Element(propstat).Children)
      if (tree.Is(prop, kDavNamespace, "prop"))
        for (const int property : tree.Element(prop).Children) ReadProperty(tree, property, base, response);
  }
  out.push_back(std::move(response));
}

}  // namespace

bool ReadDavMultistatus(std::string_view body, const std::string& requestUrl, TDavMultistatus& answer,
                        std::string& error) {
  answer = {};
  TDavXmlTree tree;
  if (!tree.Read(body, error)) return false;
  if (!tree.Is(0, kDavNamespace, "multistatus")) {
    error = "the answer is no multistatus document";
    return false;
  }
  for (const int child : tree.Element(0).Children) {
    if (tree.Is(child, kDavNamespace, "response")) ReadResponse(tree, child, requestUrl, answer.Responses);
    if (tree.Is(child, kDavNamespace, "sync-token")) answer.SyncToken = tree.TrimmedText(child);
  }
  return true;
}

bool DavErrorNames(std::string_view body, std::string_view precondition) {
  TDavXmlTree tree;
  std::string error;
  return tree.Read(body, error) && tree.Is(0, kDavNamespace, "error") &&
         tree.Child(0, kDavNamespace, precondition) >= 0;
}

int DavStatusCode(std::string_view statusLine) {
  const std::size_t space = statusLine.find(' ');
  if (space == std::string_view::npos || space + 4 > statusLine.size()) return 0;
  int code = 0;
  for (std::size_t i = space + 1; i < space + 4; ++i) {
    if (statusLine[i] < '0' || statusLine[i] > '9') return 0;
    code = code * 10 + (statusLine[i] - '0');
  }
  return code;
}
