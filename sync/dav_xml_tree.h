#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The elements of a server's XML answer with their namespaces resolved, whatever prefixes (or
// default namespace) the server chose. Read with the project's XML parser; kept as a flat list so
// that a deeply nested answer costs memory, never call depth.
class TDavXmlTree {
 public:
  struct TElement {
    std::string Namespace;  // the namespace name ("DAV:"), empty for none
    std::string Name;       // the local name
    std::string Text;       // the character data directly inside, white space as written
    std::vector<std::pair<std::string, std::string>> Attributes;  // those without a prefix
    std::vector<int> Children;
  };

  // Reads the document; false with the reason when it is not well-formed XML or uses a prefix it
  // does not declare.
  bool Read(std::string_view document, std::string& error);

  const TElement& Element(int index) const { return Elements_[index]; }
  // The document element is element 0.
  bool Empty() const { return Elements_.empty(); }
  bool Is(int index, std::string_view ns, std::string_view name) const;
  // The first child of the element with the name, or -1.
  int Child(int index, std::string_view ns, std::string_view name) const;
  // The element's text without the white space at its ends.
  std::string TrimmedText(int index) const;

 private:
  std::vector<TElement> Elements_;
};

// The namespaces of the protocol.
inline constexpr std::string_view kDavNamespace = "DAV:";
inline constexpr std::string_view kCalDavNamespace = "urn:ietf:params:xml:ns:caldav";
inline constexpr std::string_view kCardDavNamespace = "urn:ietf:params:xml:ns:carddav";
