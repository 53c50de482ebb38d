#include "sync/dav_xml_tree.h"

#include "xml/parser.h"

namespace {

// A prefix bound by an element, in force while the element is open.
struct TBinding {
  std::string Prefix;  // empty for the default namespace
  std::string Namespace;
  std::size_t Depth;
};

std::string_view Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

}  // namespace

bool TDavXmlTree::Read(std::string_view document, std::string& error) {
  Elements_.clear();
  std::vector<TBinding> bindings;
  std::vector<int> open;

  auto lookUp = [&](TVpParser& parser, std::string_view prefix) -> std::string {
    for (auto b = bindings.rbegin(); b != bindings.rend(); ++b)
      if (b->Prefix == prefix) return b->Namespace;
    if (prefix == "xml") return "http://www.w3.org/XML/1998/namespace";
    if (!prefix.empty()) parser.RaiseError("the prefix \"" + std::string(prefix) + "\" is not declared");
    return {};
  };

  TVpParser parser;
  parser.SetOnSpaceMode([](TVpParser&, std::string_view, bool& preserveSpace) { preserveSpace = true; });
  parser.SetOnElementStart([&](TVpParser& sender, std::string_view qualifiedName) {
    const std::size_t depth = open.size() + 1;
    for (const TVpXmlAttribute& a : sender.Attributes()) {
      if (a.Name == "xmlns") bindings.push_back({"", std::string(a.Value), depth});
      else if (a.Name.starts_with("xmlns:"))
        bindings.push_back({std::string(a.Name.substr(6)), std::string(a.Value), depth});
    }
    TElement element;
    const std::size_t colon = qualifiedName.find(':');
    const std::string_view prefix =
        colon == std::string_view::npos ? std::string_view() : qualifiedName.substr(0, colon);
    element.Namespace = lookUp(sender, prefix);
    element.Name = std::string(colon == std::string_view::npos ? qualifiedName : qualifiedName.substr(colon + 1));
    for (const TVpXmlAttribute& a : sender.Attributes())
      if (a.Name != "xmlns" && a.Name.find(':') == std::string_view::npos)
        element.Attributes.emplace_back(std::string(a.Name), std::string(a.Value));
    const int index = static_cast<int>(Elements_.size());
    if (!open.empty()) Elements_[open.back()].Children.push_back(index);
    Elements_.push_back(std::move(element));
    open.push_back(index);
  });
  parser.SetOnElementEnd([&](TVpParser&, std::string_view) {
    while (!bindings.empty() && bindings.back().Depth >= open.size()) bindings.pop_back();
    open.pop_back();
  });
  auto addText = [&](TVpParser&, std::string_view text) {
    if (!open.empty()) Elements_[open.back()].Text += text;
  };
  parser.SetOnText(addText);
  parser.SetOnCDataText(addText);

  if (!parser.ParseMemory(document) || Elements_.empty()) {
    error = parser.ErrorMessages().empty() ? "no document element" : parser.ErrorMessages().front();
    Elements_.clear();
    return false;
  }
  return true;
}

bool TDavXmlTree::Is(int index, std::string_view ns, std::string_view name) const {
  return Elements_[index].Namespace == ns && Elements_[index].Name == name;
}

int TDavXmlTree::Child(int index, std::string_view ns, std::string_view name) const {
  for (const int child : Elements_[index].Children)
    if (Is(child, ns, name)) return child;
  return -1;
}

std::string TDavXmlTree::TrimmedText(int index) const { return std::string(Trimmed(Elements_[index].Text)); }
