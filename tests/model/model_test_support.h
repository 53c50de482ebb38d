#pragma once

#include <string>

#include "model/day_number.h"
#include "model/resources.h"
#include "tests/support/fake_timers.h"
#include "tests/support/local_zone.h"

// Date-times for tests, built with the model's own calendar (checked against Python's in
// test_date_helpers.cpp).
inline double Day(int year, int month, int day) { return EncodeDate(year, month, day); }
inline double At(int year, int month, int day, int hour, int minute) {
  return EncodeDate(year, month, day) + EncodeTime(hour, minute);
}

// A resource list with one resource and a clock that stands still.
struct TPlannerFixture {
  TPlannerFixture() : Resources(Clock) {
    Clock.Set(At(2024, 5, 3, 10, 30));
    Resource = Resources.AddResource(1);
  }
  TFakeClock Clock;
  TVpResources Resources;
  TVpResource* Resource;
};

// The path of a file of the model's test data.
inline std::string TestDataPath(const std::string& name) { return std::string(KORET_MODEL_TEST_DATA) + "/" + name; }
