// Date and time texts from the picture strings of the system's locale.
//
// Date pictures: d (day), dd (day, two digits), ddd (abbreviated day name),
// dddd (full day name), M (month), MM (two digits), MMM (abbreviated month
// name), MMMM (full month name), y (year in century, no leading zero), yy
// (year in century, two digits), yyyy (full year), g / gg (era). A lower-case
// m means the month as well, since a date picture never holds minutes; this
// makes the classic fallback "m/d/yy" work as written.
// Time pictures: h / hh (hours 1..12), H / HH (hours 0..23), m / mm
// (minutes), s / ss (seconds), t (first character of the AM/PM designator),
// tt (whole designator). Doubled letters give two digits.
// Both: text between single quotes is copied as it is ('' inside quotes is
// one quote; an unclosed quote runs to the end); every other character is
// copied. A letter repeated more often than listed counts as its longest
// form (ddddd is dddd).
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace core {

struct DateTimeFields {
  int year = 1970;
  int month = 1;      // 1..12
  int day = 1;        // 1..31
  int dayOfWeek = 4;  // 0 = Sunday .. 6 = Saturday
  int hour = 0;       // 0..23
  int minute = 0;
  int second = 0;
};

// Names the locale supplies. Index 0 of the day names is Sunday.
struct LocaleNames {
  std::array<std::string, 12> months;
  std::array<std::string, 12> abbrevMonths;
  std::array<std::string, 7> days;
  std::array<std::string, 7> abbrevDays;
  std::string am = "AM";
  std::string pm = "PM";
  std::string era;
};

// English names, for tests and as a stand-in where the locale gives none.
const LocaleNames& EnglishLocaleNames();

// Short date picture used when the locale gives none: month/day/yy.
inline constexpr std::string_view kFallbackShortDate = "m/d/yy";

std::string FormatDatePicture(std::string_view picture, const DateTimeFields& t, const LocaleNames& names);
std::string FormatTimePicture(std::string_view picture, const DateTimeFields& t, const LocaleNames& names);

// The long time picture built from the locale's flags: "h" or "hh" (when the
// locale wants a leading zero) + ":mm:ss", and " tt" for a 12-hour clock;
// hours in "H"/"HH" for a 24-hour clock.
std::string LongTimePicture(bool leadingZeroHours, bool twentyFourHour);

// The same, with the two flags taken from a locale's own time picture (as
// the system gives it): its first hour letter outside quotes tells the clock
// (H 24-hour, h 12-hour) and a doubled one the leading zero. A picture
// without hours gives the 12-hour clock without leading zero.
std::string LongTimePictureFromLocale(std::string_view localeTimeFormat);

// The "Date and Time" insertion: the time, one blank, the date. An empty
// date picture falls back to kFallbackShortDate.
std::string DateAndTimeText(const DateTimeFields& t, std::string_view timePicture, std::string_view datePicture,
                            const LocaleNames& names);

}  // namespace core
