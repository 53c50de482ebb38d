#pragma once

class TVpCustomDataStore;

// Makes sure a connected store has loaded the events of every day from first to last (whole
// dates around its display date), widening the days it loads on each side of that date when
// they do not reach. A store not connected is left alone.
void LoadStoreDays(TVpCustomDataStore& store, double first, double last);
