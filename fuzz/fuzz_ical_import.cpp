#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <string_view>

#include "interop/ical/ical_reader.h"
#include "interop/ical/ical_writer.h"
#include "model/day_number.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setenv("TZ", "Europe/Berlin", 1);
  tzset();
  return 0;
}

// Any bytes read as a calendar file: every event taken in ends no earlier than it starts and
// repeats only to a later day, and what was taken in is written and read back whole.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TIcalContent content;
  TIcalReadError error;
  if (!ReadIcal(std::string_view(reinterpret_cast<const char*>(data), size), content, error)) return 0;
  for (const TIcalEvent& event : content.Events) {
    if (event.EndTime < event.StartTime) __builtin_trap();
    if (event.RepeatCode != 0 && DateOf(event.RepeatRangeEnd) <= DateOf(event.StartTime)) __builtin_trap();
  }
  TIcalContent again;
  if (!ReadIcal(WriteIcal(content.Events, content.Tasks, 0), again, error)) __builtin_trap();
  if (again.Events.size() != content.Events.size() || again.Tasks.size() != content.Tasks.size()) __builtin_trap();
  return 0;
}
