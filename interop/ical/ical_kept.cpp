#include "interop/ical/ical_kept.h"

namespace {

void Append(std::string& kept, char* text) {
  for (const char* at = text; at && *at; ++at)
    if (*at != '\r') kept += *at;
  icalmemory_free_buffer(text);
}

}  // namespace

void KeepProperty(std::string& kept, icalproperty* property) { Append(kept, icalproperty_as_ical_string_r(property)); }

void KeepComponent(std::string& kept, icalcomponent* component) {
  Append(kept, icalcomponent_as_ical_string_r(component));
}

TIcalComponentPtr KeptComponent(const std::string& kept) {
  std::string text = "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\n";
  for (const char c : kept) text += c == '\n' ? std::string("\r\n") : std::string(1, c);
  if (!kept.empty() && kept.back() != '\n') text += "\r\n";
  text += "END:VEVENT\r\nEND:VCALENDAR\r\n";
  TIcalReadError error;
  TIcalComponentPtr calendar = kept.empty() ? TIcalComponentPtr(nullptr, &icalcomponent_free) : ParseIcal(text, error);
  icalcomponent* event = calendar ? icalcomponent_get_first_component(calendar.get(), ICAL_VEVENT_COMPONENT) : nullptr;
  if (!event) return TIcalComponentPtr(icalcomponent_new(ICAL_VEVENT_COMPONENT), &icalcomponent_free);
  icalcomponent_remove_component(calendar.get(), event);
  return TIcalComponentPtr(event, &icalcomponent_free);
}
