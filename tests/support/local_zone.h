#pragma once

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

// This machine's local zone for the life of the object, as the C library reads it (TZ); the zone
// before is restored after.
class TLocalZone {
 public:
  explicit TLocalZone(const char* zone) {
    if (const char* before = std::getenv("TZ")) Before_ = before;
    Set(zone);
  }
  ~TLocalZone() { Set(Before_ ? Before_->c_str() : nullptr); }
  TLocalZone(const TLocalZone&) = delete;
  TLocalZone& operator=(const TLocalZone&) = delete;

 private:
  static void Set(const char* zone) {
    if (zone) setenv("TZ", zone, 1);
    else unsetenv("TZ");
    tzset();
  }
  std::optional<std::string> Before_;
};
