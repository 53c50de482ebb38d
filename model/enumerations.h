#pragma once

// The shared enumerations of the planner. Their numeric values are stored in the settings file,
// the print formats and the forms, so they never change.

// Length of a day-view time slot.
enum TVpGranularity {
  gr05Min = 0,  // 5 minutes, 12 slots per hour
  gr06Min = 1,  // 6 minutes, 10 slots per hour
  gr10Min = 2,  // 10 minutes, 6 slots per hour
  gr15Min = 3,  // 15 minutes, 4 slots per hour
  gr20Min = 4,  // 20 minutes, 3 slots per hour
  gr30Min = 5,  // 30 minutes, 2 slots per hour
  gr60Min = 6   // 60 minutes, 1 slot per hour
};

enum TVpTimeFormat { tf24Hour = 0, tf12Hour = 1 };

// An hour of the day.
enum TVpHours {
  h_00,
  h_01,
  h_02,
  h_03,
  h_04,
  h_05,
  h_06,
  h_07,
  h_08,
  h_09,
  h_10,
  h_11,
  h_12,
  h_13,
  h_14,
  h_15,
  h_16,
  h_17,
  h_18,
  h_19,
  h_20,
  h_21,
  h_22,
  h_23
};

enum TVpDrawingStyle { dsFlat = 0, ds3d = 1 };

// A weekday, as the first day of a week.
enum TVpDayType {
  dtSunday = 0,
  dtMonday = 1,
  dtTuesday = 2,
  dtWednesday = 3,
  dtThursday = 4,
  dtFriday = 5,
  dtSaturday = 6
};

// How a completed task's check box is marked: a cross or a check mark.
enum TVpCheckStyle { csX = 0, csCheck = 1 };

enum TVpDateFormat { dfShort = 0, dfLong = 1 };

// Order of a contact collection: last name first, or first name first.
enum TVpContactSort { csLastFirst = 0, csFirstLast = 1 };

// How an event repeats (TVpEvent::RepeatCode). Any other value never repeats.
enum TVpRepeatCode {
  rcNone = 0,           // only the start day
  rcDaily = 1,          // every day
  rcWeekly = 2,         // every 7th day from the start day
  rcMonthlyByDay = 3,   // the same weekday in the same week of each month
  rcMonthlyByDate = 4,  // the same day of each month
  rcYearlyByDay = 5,    // the same weekday in the same week of the start's month, each year
  rcYearlyByDate = 6,   // the same day and month each year
  rcCustom = 7          // every CustomInterval-th day from the start day
};

// Unit of an event's reminder lead time (TVpEvent::AlarmAdvanceType).
enum TVpAlarmAdvanceType { atMinutes = 0, atHours = 1, atDays = 2 };

// Clockwise rotation of a printed picture in quarter turns; print formats store it as "0", "90",
// "180" and "270".
enum TVpRotationAngle {
  ra0,    // no rotation: logical and device coordinates are the same
  ra90,   // the logical top-left corner lands at the viewport's top-right; reads top to bottom
  ra180,  // upside down
  ra270,  // the logical top-left corner lands at the viewport's bottom-left; reads bottom to top
};
