#include "core/datetimefmt.h"

#include <cstdio>

namespace core {
namespace {

void AppendNumber(std::string& out, int value, int minDigits) {
  char buf[24];
  std::snprintf(buf, sizeof buf, "%0*d", minDigits, value);
  out += buf;
}

template <std::size_t N>
const std::string& NameAt(const std::array<std::string, N>& names, int index) {
  static const std::string empty;
  return index >= 0 && static_cast<std::size_t>(index) < N ? names[static_cast<std::size_t>(index)] : empty;
}

enum class PictureKind { pkDate, pkTime };

// Appends the field for `count` repetitions of `c`; false when `c` is no
// field letter of this kind of picture.
bool AppendField(std::string& out, PictureKind kind, char c, int count, const DateTimeFields& t,
                 const LocaleNames& names) {
  const int two = count >= 2 ? 2 : 1;
  if (kind == PictureKind::pkDate) {
    switch (c) {
      case 'd':
        if (count <= 2) AppendNumber(out, t.day, two);
        else out += NameAt(count == 3 ? names.abbrevDays : names.days, t.dayOfWeek);
        return true;
      case 'M':
      case 'm':
        if (count <= 2) AppendNumber(out, t.month, two);
        else out += NameAt(count == 3 ? names.abbrevMonths : names.months, t.month - 1);
        return true;
      case 'y': {
        const int century = ((t.year % 100) + 100) % 100;
        if (count <= 2) AppendNumber(out, century, two);
        else AppendNumber(out, t.year, 1);
        return true;
      }
      case 'g': out += names.era; return true;
      default: return false;
    }
  }
  switch (c) {
    case 'h': {
      const int h12 = ((t.hour % 12) + 12) % 12;
      AppendNumber(out, h12 == 0 ? 12 : h12, two);
      return true;
    }
    case 'H': AppendNumber(out, t.hour, two); return true;
    case 'm': AppendNumber(out, t.minute, two); return true;
    case 's': AppendNumber(out, t.second, two); return true;
    case 't': {
      const std::string& designator = t.hour < 12 ? names.am : names.pm;
      out += count == 1 ? designator.substr(0, 1) : designator;
      return true;
    }
    default: return false;
  }
}

std::string FormatPicture(PictureKind kind, std::string_view picture, const DateTimeFields& t,
                          const LocaleNames& names) {
  std::string out;
  std::size_t i = 0;
  while (i < picture.size()) {
    const char c = picture[i];
    if (c == '\'') {
      for (++i; i < picture.size(); ++i) {
        if (picture[i] != '\'') {
          out += picture[i];
        } else if (i + 1 < picture.size() && picture[i + 1] == '\'') {
          out += '\'';
          ++i;
        } else {
          break;
        }
      }
      ++i;  // past the closing quote
      continue;
    }
    std::size_t run = i + 1;
    while (run < picture.size() && picture[run] == c) ++run;
    if (AppendField(out, kind, c, static_cast<int>(run - i), t, names)) {
      i = run;
    } else {
      out += c;
      ++i;
    }
  }
  return out;
}

}  // namespace

const LocaleNames& EnglishLocaleNames() {
  static const LocaleNames names = [] {
    LocaleNames n;
    n.months = {"January", "February", "March",     "April",   "May",      "June",
                "July",    "August",   "September", "October", "November", "December"};
    n.abbrevMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    n.days = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    n.abbrevDays = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    n.era = "A.D.";
    return n;
  }();
  return names;
}

std::string FormatDatePicture(std::string_view picture, const DateTimeFields& t, const LocaleNames& names) {
  return FormatPicture(PictureKind::pkDate, picture, t, names);
}

std::string FormatTimePicture(std::string_view picture, const DateTimeFields& t, const LocaleNames& names) {
  return FormatPicture(PictureKind::pkTime, picture, t, names);
}

std::string LongTimePicture(bool leadingZeroHours, bool twentyFourHour) {
  std::string picture = twentyFourHour ? (leadingZeroHours ? "HH" : "H") : (leadingZeroHours ? "hh" : "h");
  picture += ":mm:ss";
  if (!twentyFourHour) picture += " tt";
  return picture;
}

std::string LongTimePictureFromLocale(std::string_view localeTimeFormat) {
  bool quoted = false;
  for (size_t i = 0; i < localeTimeFormat.size(); ++i) {
    char c = localeTimeFormat[i];
    if (c == '\'') {
      quoted = !quoted;
    } else if (!quoted && (c == 'h' || c == 'H')) {
      bool doubled = i + 1 < localeTimeFormat.size() && localeTimeFormat[i + 1] == c;
      return LongTimePicture(doubled, c == 'H');
    }
  }
  return LongTimePicture(false, false);
}

std::string DateAndTimeText(const DateTimeFields& t, std::string_view timePicture, std::string_view datePicture,
                            const LocaleNames& names) {
  if (datePicture.empty()) datePicture = kFallbackShortDate;
  return FormatTimePicture(timePicture, t, names) + " " + FormatDatePicture(datePicture, t, names);
}

}  // namespace core
