#include "model/record_captions.h"

#include <array>

namespace {

template <size_t N>
std::string CaptionOf(const std::array<const char*, N>& captions, int code) {
  return code >= 0 && code < static_cast<int>(N) ? captions[static_cast<size_t>(code)] : "";
}

constexpr std::array<const char*, kPhoneTypeCount> kPhoneTypes = {
    "Assistant", "Callback", "Car",     "Company", "Home",  "Home Fax", "ISDN", "Mobile",  "Other",
    "Other Fax", "Pager",    "Primary", "Radio",   "Telex", "TTY/TDD",  "Work", "Work Fax"};
constexpr std::array<const char*, kContactCategoryCount> kContactCategories = {"Business", "Clients", "Family", "Other",
                                                                               "Personal"};
constexpr std::array<const char*, kRepeatCodeCount> kRepeatCodes = {
    "None", "Daily", "Weekly", "Monthly By Day", "Monthly By Date", "Yearly By Day", "Yearly By Date", "Custom"};
constexpr std::array<const char*, kAlarmAdvanceTypeCount> kAlarmAdvanceTypes = {"Minutes", "Hours", "Days"};

}  // namespace

std::string PhoneTypeCaption(int phoneType) { return CaptionOf(kPhoneTypes, phoneType); }
std::string ContactCategoryCaption(int category) { return CaptionOf(kContactCategories, category); }
std::string RepeatCodeCaption(int repeatCode) { return CaptionOf(kRepeatCodes, repeatCode); }
std::string AlarmAdvanceTypeCaption(int unit) { return CaptionOf(kAlarmAdvanceTypes, unit); }
