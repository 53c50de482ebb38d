#pragma once

#include <string>

// The captions under which the dialogs and views show coded record fields. A code without a
// caption gives an empty text.

constexpr int kPhoneTypeCount = 17;
constexpr int kContactCategoryCount = 5;
constexpr int kRepeatCodeCount = 8;
constexpr int kAlarmAdvanceTypeCount = 3;

// Kind of a contact's phone number (PhoneType1 to PhoneType5): 0 "Assistant" to 16 "Work Fax".
std::string PhoneTypeCaption(int phoneType);
// A contact's category: 0 "Business" to 4 "Personal".
std::string ContactCategoryCaption(int category);
// An event's repetition (TVpRepeatCode): 0 "None" to 7 "Custom".
std::string RepeatCodeCaption(int repeatCode);
// Unit of an event's reminder lead time: 0 "Minutes", 1 "Hours", 2 "Days".
std::string AlarmAdvanceTypeCaption(int unit);
