#include "core/datetimefmt.h"

#include <gtest/gtest.h>

namespace core {
namespace {

DateTimeFields At(int year, int month, int day, int dow, int hour, int minute, int second) {
  DateTimeFields t;
  t.year = year;
  t.month = month;
  t.day = day;
  t.dayOfWeek = dow;
  t.hour = hour;
  t.minute = minute;
  t.second = second;
  return t;
}

const DateTimeFields kMorning = At(1998, 3, 3, 2, 9, 5, 7);  // Tuesday 3 March 1998, 09:05:07

TEST(DateTimeFormat, DatePictures) {
  struct Case {
    const char *picture, *text;
    DateTimeFields t;
  };
  const Case cases[] = {
      {"dd.MM.yyyy", "03.03.1998", kMorning},
      {"d.M.yy", "3.3.98", kMorning},
      {"m/d/yy", "3/3/98", kMorning},  // the fallback: lower-case m is the month
      {"M/d/y", "3/3/98", kMorning},
      {"ddd, MMM d", "Tue, Mar 3", kMorning},
      {"dddd, d. MMMM yyyy", "Tuesday, 3. March 1998", kMorning},
      {"ddddd MMMMM yyyyy", "Tuesday March 1998", kMorning},
      {"yy y yyyy", "05 5 2005", At(2005, 12, 31, 6, 0, 0, 0)},
      {"d 'de' MMMM", "3 de March", kMorning},
      {"'dd''MM'yyyy", "dd'MM1998", kMorning},
      {"dd 'unclosed", "03 unclosed", kMorning},
      {"yyyy-MM-dd g", "1998-03-03 A.D.", kMorning},
      {"", "", kMorning},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatDatePicture(c.picture, c.t, EnglishLocaleNames()), c.text) << c.picture;
}

TEST(DateTimeFormat, TimePictures) {
  struct Case {
    const char *picture, *text;
    DateTimeFields t;
  };
  const Case cases[] = {
      {"HH:mm:ss", "09:05:07", kMorning},
      {"H:m:s", "9:5:7", kMorning},
      {"hh:mm:ss tt", "09:05:07 AM", kMorning},
      {"h:mm t", "9:05 A", kMorning},
      {"h:mm:ss tt", "1:30:00 PM", At(1998, 3, 3, 2, 13, 30, 0)},
      {"h tt", "12 AM", At(1998, 3, 3, 2, 0, 0, 0)},
      {"h tt", "12 PM", At(1998, 3, 3, 2, 12, 0, 0)},
      {"HH", "23", At(1998, 3, 3, 2, 23, 0, 0)},
      {"HH'h'mm", "09h05", kMorning},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatTimePicture(c.picture, c.t, EnglishLocaleNames()), c.text) << c.picture;
}

TEST(DateTimeFormat, DateAndTimeInsertion) {
  const LocaleNames& en = EnglishLocaleNames();
  // 24-hour locale with leading zeros and the short date dd.MM.yyyy.
  EXPECT_EQ(DateAndTimeText(kMorning, LongTimePicture(true, true), "dd.MM.yyyy", en), "09:05:07 03.03.1998");
  EXPECT_EQ(DateAndTimeText(kMorning, LongTimePicture(false, true), "dd.MM.yyyy", en), "9:05:07 03.03.1998");
  // 12-hour locale without leading zero; no short date from the locale.
  const DateTimeFields evening = At(1998, 3, 3, 2, 21, 5, 7);
  EXPECT_EQ(DateAndTimeText(evening, LongTimePicture(false, false), "", en), "9:05:07 PM 3/3/98");
  EXPECT_EQ(LongTimePicture(true, false), "hh:mm:ss tt");
  LocaleNames de = en;
  de.am = "vorm.";
  de.pm = "nachm.";
  EXPECT_EQ(FormatTimePicture(LongTimePicture(true, false), evening, de), "09:05:07 nachm.");
}

TEST(DateTimeFormat, LongTimePictureFromTheLocalesTimeFormat) {
  const std::pair<const char*, const char*> cases[] = {
      {"HH:mm:ss", "HH:mm:ss"},         // German: 24-hour, leading zero
      {"H:mm:ss", "H:mm:ss"},           // 24-hour without
      {"h:mm:ss tt", "h:mm:ss tt"},     // English (US)
      {"tt hh:mm:ss", "hh:mm:ss tt"},   // designator first: the program's order
      {"'h' H.mm", "H:mm:ss"},          // quoted letters do not count
      {"mm:ss", "h:mm:ss tt"},          // no hours at all
      {"", "h:mm:ss tt"},
  };
  for (const auto& [locale, picture] : cases) EXPECT_EQ(LongTimePictureFromLocale(locale), picture) << locale;
}

}  // namespace
}  // namespace core
