#include "interop/ical/ical_parse.h"

#include <string>

TIcalComponentPtr ParseIcal(std::string_view bytes, TIcalReadError& error) {
  std::string text;
  if (!PrepareIcalText(bytes, text, error)) return {nullptr, &icalcomponent_free};
  icalerror_set_errors_are_fatal(0);
  std::unique_ptr<icalparser, decltype(&icalparser_free)> parser(icalparser_new(), &icalparser_free);
  TIcalComponentPtr root(nullptr, &icalcomponent_free);
  // Every prepared line ends with CRLF; it is handed over without it, as the library's reader does.
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = text.find("\r\n", start);
    text[end] = '\0';
    icalcomponent* done = icalparser_add_line(parser.get(), text.data() + start);
    start = end + 2;
    if (done == nullptr) continue;
    if (!root) {
      root.reset(done);
      continue;
    }
    if (icalcomponent_isa(root.get()) != ICAL_XROOT_COMPONENT) {
      icalcomponent* both = icalcomponent_new(ICAL_XROOT_COMPONENT);
      icalcomponent_add_component(both, root.release());
      root.reset(both);
    }
    icalcomponent_add_component(root.get(), done);
  }
  if (!root) error = {0, "the calendar could not be read"};
  return root;
}
