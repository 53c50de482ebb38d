#include "views/day/day_view_metrics.h"

#include <algorithm>
#include <cmath>

#include "model/day_number.h"
#include "views/day/day_view_tables.h"
#include "views/day/time_slots.h"

int RoundEven(double value) { return static_cast<int>(std::nearbyint(value)); }

double UsableScale(double scale) { return std::isfinite(scale) && scale > 0 ? scale : 1.0; }

int ReferenceTextHeight(TCanvas& canvas, const TFont& font) {
  const TFont saved = canvas.Font;
  canvas.Font = font;
  const int height = canvas.TextHeight("Wy");
  canvas.Font = saved;
  const int ppi = canvas.PixelsPerInch() > 0 ? canvas.PixelsPerInch() : kScreenPixelsPerInch;
  return RoundEven(static_cast<double>(height) * kScreenPixelsPerInch / ppi);
}

int VisibleLinesFor(int rulerHeight, int headerHeight, int rowHeight, int lineCount, int startLine, int stopLine) {
  rowHeight = std::max(rowHeight, 1);
  int lines = (rulerHeight - headerHeight - 2) / rowHeight + 2;
  lines = std::clamp(lines, 1, std::max(lineCount, 1));
  if (stopLine > 0 && startLine >= 0 && startLine < stopLine) lines = std::min(lines, stopLine - startLine);
  return std::max(lines, 1);
}

TVpPrintedRows PrintedRowsFor(int cellHeight, int rowHeight, int leastRowHeight, int wantedRows) {
  wantedRows = std::max(wantedRows, 1);
  rowHeight = std::max(rowHeight, 1);
  if (rowHeight * wantedRows > cellHeight)
    rowHeight = std::max({cellHeight / wantedRows, std::min(leastRowHeight, rowHeight), 1});
  return {rowHeight, std::clamp(cellHeight / rowHeight, 1, wantedRows)};
}

int ConvertLine(int line, TVpGranularity from, TVpGranularity to) {
  const long long minutes = static_cast<long long>(line) * GranularityMinutes(from);
  const long long row = minutes / GranularityMinutes(to);
  return static_cast<int>(std::clamp<long long>(row, 0, LineCountOf(to) - 1));
}

bool IsWeekendDay(double date) {
  const int weekday = DayOfWeek(date);
  return weekday == 1 || weekday == 7;
}

std::vector<double> ColumnDays(double renderDate, int numDays, bool includeWeekends) {
  std::vector<double> days;
  double day = DateOf(renderDate);
  while (static_cast<int>(days.size()) < numDays) {
    if (includeWeekends || !IsWeekendDay(day)) days.push_back(day);
    day += 1;
  }
  return days;
}
