#pragma once
#include <libical/ical.h>

#include <memory>
#include <string_view>

#include "interop/ical/ical_text.h"

using TIcalComponentPtr = std::unique_ptr<icalcomponent, decltype(&icalcomponent_free)>;

// The calendar file's bytes made ready (see PrepareIcalText) and parsed by the calendar library one
// content line at a time, in time linear in the size: the library's own line reader looks for the
// end of a line anew for every 80 bytes it takes, so that a long (folded) line costs the square of
// its length. Returns the top component, or an XROOT component holding several as the library
// does; nullptr with the error for a refused file (the error's line is 0 when the library itself
// could make nothing of it).
TIcalComponentPtr ParseIcal(std::string_view bytes, TIcalReadError& error);
