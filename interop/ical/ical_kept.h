#pragma once
#include <libical/ical.h>

#include <string>

#include "interop/ical/ical_parse.h"

// The lines of an event the organizer holds no field for, kept as calendar-file text (one
// property or component after the other, line feeds for line ends) to be written back as they
// came.

void KeepProperty(std::string& kept, icalproperty* property);
void KeepComponent(std::string& kept, icalcomponent* component);

// The kept lines as an event holding them; an event without any for none or for text that cannot
// be read (kept text is written by the organizer itself, so that should never be).
TIcalComponentPtr KeptComponent(const std::string& kept);
