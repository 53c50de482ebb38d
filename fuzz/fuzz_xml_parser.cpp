#include <cstddef>
#include <cstdint>
#include <string_view>

#include "xml/parser.h"

// Every handler reads every byte it is given, so a view that points outside live memory is found.
namespace {

volatile unsigned char gSink;

void Touch(std::string_view text) {
  unsigned char sum = 0;
  for (const char c : text) sum = static_cast<unsigned char>(sum + c);
  gSink = sum;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TVpParser parser;
  parser.SetOnTagOpen([](TVpParser&, std::string_view name) { Touch(name); });
  parser.SetOnAttributeValue([](TVpParser&, std::string_view name, std::string_view value) {
    Touch(name);
    Touch(value);
  });
  // Both white-space modes: elements with names of odd length keep their white space.
  parser.SetOnSpaceMode([](TVpParser&, std::string_view name, bool& preserve) {
    if (name.size() % 2) preserve = true;
  });
  parser.SetOnElementStart([](TVpParser& sender, std::string_view name) {
    Touch(name);
    for (const TVpXmlAttribute& attribute : sender.Attributes()) {
      Touch(attribute.Name);
      Touch(attribute.Value);
    }
  });
  parser.SetOnElementEnd([](TVpParser&, std::string_view name) { Touch(name); });
  parser.SetOnText([](TVpParser&, std::string_view text) { Touch(text); });
  parser.SetOnCDataText([](TVpParser&, std::string_view text) { Touch(text); });
  parser.SetOnCommentText([](TVpParser&, std::string_view text) { Touch(text); });
  parser.SetOnInstruction([](TVpParser&, std::string_view target, std::string_view data) {
    Touch(target);
    Touch(data);
  });
  parser.SetOnDocType([](TVpParser&, std::string_view name, std::string_view publicId, std::string_view systemId) {
    Touch(name);
    Touch(publicId);
    Touch(systemId);
  });
  const bool ok = parser.ParseMemory(std::string_view(reinterpret_cast<const char*>(data), size));
  if (ok != parser.ErrorMessages().empty()) __builtin_trap();  // a parse fails exactly when it says why
  return 0;
}
