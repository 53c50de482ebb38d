#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/day_number.h"
#include "model/event.h"
#include "views/day/day_view_event_layout.h"

// Placing one day's events side by side, at 30-minute rows unless said otherwise.

namespace {

struct TTimes {
  std::string Name;
  double Start;
  double End;
};

// Where an event went: its rows, its level and the parts its column is divided into.
struct TPlace {
  std::string Name;
  int FirstRow;
  int LastRow;
  int Level;
  int WidthDivisor;
  friend bool operator==(const TPlace&, const TPlace&) = default;
  friend std::ostream& operator<<(std::ostream& out, const TPlace& p) {
    return out << p.Name << " rows " << p.FirstRow << "-" << p.LastRow << " level " << p.Level << " / "
               << p.WidthDivisor;
  }
};

double Day() { return EncodeDate(2024, 5, 10); }
double At(int hour, int minute = 0) { return Day() + EncodeTime(hour, minute); }

std::vector<TPlace> Place(const std::vector<TTimes>& times, TVpGranularity granularity = gr30Min,
                          int maxEvents = 1024) {
  std::vector<std::unique_ptr<TVpEvent>> events;
  std::vector<TVpEvent*> pointers;
  for (const TTimes& t : times) {
    events.push_back(std::make_unique<TVpEvent>());
    events.back()->SetDescription(t.Name);
    events.back()->SetStartTime(t.Start);
    events.back()->SetEndTime(t.End);
    pointers.push_back(events.back().get());
  }
  std::vector<TPlace> places;
  for (const TVpPlacedEvent& p : PlaceDayEvents(pointers, granularity, maxEvents, Day()))
    places.push_back({p.Event->Description(), p.FirstRow, p.LastRow, p.Level, p.WidthDivisor});
  return places;
}

struct TPlaceCase {
  std::string Name;
  std::vector<TTimes> Events;
  std::vector<TPlace> Places;  // level by level
};

class DayEventPlacement : public ::testing::TestWithParam<TPlaceCase> {};

TEST_P(DayEventPlacement, PutsEventsSideBySideWhereTheirRowsMeet) {
  EXPECT_EQ(Place(GetParam().Events), GetParam().Places);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DayEventPlacement,
    ::testing::Values(
        TPlaceCase{"Alone", {{"a", At(9), At(10)}}, {{"a", 18, 19, 0, 1}}},
        TPlaceCase{"Overlapping",
                   {{"a", At(9), At(10)}, {"b", At(9, 30), At(10, 30)}},
                   {{"a", 18, 19, 0, 2}, {"b", 19, 20, 1, 2}}},
        TPlaceCase{
            "Adjacent", {{"a", At(9), At(10)}, {"b", At(10), At(11)}}, {{"a", 18, 19, 0, 1}, {"b", 20, 21, 0, 1}}},
        // b sits beside a, c beside both: three parts for every event that meets them.
        TPlaceCase{
            "Chain",
            {{"long", At(9), At(12)}, {"b", At(9), At(10)}, {"c", At(10), At(11)}, {"d", At(10, 30), At(10, 45)}},
            {{"b", 18, 19, 0, 3}, {"c", 20, 21, 0, 3}, {"long", 18, 23, 1, 3}, {"d", 21, 21, 2, 3}}},
        // Three at once, one overlapping them and one overlapping only that one: all take a quarter.
        TPlaceCase{"ACrowdWidensItsNeighbours",
                   {{"a", At(8), At(9)},
                    {"b", At(8), At(9)},
                    {"c", At(8), At(9)},
                    {"bridge", At(8, 30), At(10)},
                    {"far", At(9, 30), At(11)}},
                   {{"a", 16, 17, 0, 4},
                    {"far", 19, 21, 0, 4},
                    {"b", 16, 17, 1, 4},
                    {"c", 16, 17, 2, 4},
                    {"bridge", 17, 19, 3, 4}}},
        TPlaceCase{"EndsAtMidnight", {{"a", At(23), Day() + 1}}, {{"a", 46, 47, 0, 1}}},
        TPlaceCase{"EndsNextDay", {{"a", At(22), Day() + 1 + EncodeTime(2, 0)}}, {{"a", 44, 47, 0, 1}}},
        // An event that began on an earlier day fills the column from the first row on.
        TPlaceCase{"GoesOnFromTheDayBefore", {{"a", Day() - 1 + EncodeTime(20, 0), At(8)}}, {{"a", 0, 15, 0, 1}}},
        TPlaceCase{"CoversTheWholeDay",
                   {{"a", Day() - 1 + EncodeTime(9, 0), Day() + 1 + EncodeTime(17, 0)}, {"b", At(9), At(10)}},
                   {{"a", 0, 47, 0, 2}, {"b", 18, 19, 1, 2}}},
        TPlaceCase{"NoLength", {{"a", At(9), At(9)}}, {{"a", 18, 18, 0, 1}}},
        TPlaceCase{"EndBeforeStart", {{"a", At(9), At(8)}}, {{"a", 18, 18, 0, 1}}},
        TPlaceCase{"StartsInTheLastMinute", {{"a", At(23, 59), Day() + 1}}, {{"a", 47, 47, 0, 1}}},
        TPlaceCase{
            "ByTimeOfDayWhateverTheDate",
            {{"stored earlier", EncodeDate(2024, 5, 1) + EncodeTime(10, 0), EncodeDate(2024, 5, 1) + EncodeTime(11, 0)},
             {"today", At(9), At(10)}},
            {{"today", 18, 19, 0, 1}, {"stored earlier", 20, 21, 0, 1}}},
        TPlaceCase{"BeforeTheEpoch",
                   {{"old", EncodeDate(1850, 6, 3) - EncodeTime(9, 0), EncodeDate(1850, 6, 3) - EncodeTime(10, 0)},
                    {"older", EncodeDate(1850, 6, 3) - EncodeTime(9, 30), EncodeDate(1850, 6, 3) - EncodeTime(9, 45)}},
                   {{"old", 18, 19, 0, 2}, {"older", 19, 19, 1, 2}}}),
    [](const ::testing::TestParamInfo<TPlaceCase>& info) { return info.param.Name; });

TEST(DayEventPlacement, RowsFollowTheGranularity) {
  EXPECT_EQ(Place({{"a", At(9, 10), At(9, 50)}}, gr05Min), (std::vector<TPlace>{{"a", 110, 117, 0, 1}}));
  EXPECT_EQ(Place({{"a", At(9, 10), At(9, 50)}}, gr60Min), (std::vector<TPlace>{{"a", 9, 9, 0, 1}}));
}

TEST(DayEventPlacement, LaysOutNoMoreThanTheLimit) {
  std::vector<TTimes> crowd;
  for (int i = 0; i < 10; ++i) crowd.push_back({"e" + std::to_string(i), At(9), At(10, i)});
  const std::vector<TPlace> places = Place(crowd, gr30Min, 6);
  ASSERT_EQ(places.size(), 6u);
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(places[static_cast<size_t>(i)].Name, "e" + std::to_string(i)) << "the earliest ends first";
    EXPECT_EQ(places[static_cast<size_t>(i)].Level, i);
    EXPECT_EQ(places[static_cast<size_t>(i)].WidthDivisor, 6);
  }
}

}  // namespace
