#include "views/day/day_view_tables.h"

#include "store/data_store.h"
#include "views/day/time_slots.h"

int LineCountOf(TVpGranularity granularity) { return 24 * SlotsPerHour(granularity); }

TVpLineArray BuildLineArray(TVpGranularity granularity) {
  const int perHour = SlotsPerHour(granularity);
  const int minutes = GranularityMinutes(granularity);
  TVpLineArray lines(static_cast<size_t>(LineCountOf(granularity) + 1));
  for (int i = 0; i < LineCountOf(granularity); ++i) {
    TVpLineRec& line = lines[static_cast<size_t>(i)];
    line.Hour = i / perHour;
    line.Minute = (i % perHour) * minutes;
    line.Time = (line.Hour * 60 + line.Minute) / 1440.0;
  }
  return lines;
}
