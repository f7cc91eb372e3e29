#include "core/date.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>

#include "core/error.h"
#include "core/local_time.h"

namespace kw {

namespace {

namespace chr = std::chrono;
using chr::sys_days;
using chr::year_month_day;

using date_detail::kOrigin;

year_month_day ToYmd(Date date) {
  return year_month_day{kOrigin + std::chrono::days{date.dayCount}};
}

}  // namespace

bool IsValidYmd(int y, int m, int d) {
  if (y < 1 || y > 9999 || m < 1 || m > 12 || d < 1 || d > 31) return false;
  return year_month_day{chr::year{y}, chr::month{static_cast<unsigned>(m)},
                        chr::day{static_cast<unsigned>(d)}}
      .ok();
}

int Date::year() const { return static_cast<int>(ToYmd(*this).year()); }
int Date::month() const { return static_cast<int>(static_cast<unsigned>(ToYmd(*this).month())); }
int Date::day() const { return static_cast<int>(static_cast<unsigned>(ToYmd(*this).day())); }

std::string FormatShortDate(Date date) {
  const year_month_day ymd = ToYmd(date);
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%02u.%02u.%04d", static_cast<unsigned>(ymd.day()),
                static_cast<unsigned>(ymd.month()), static_cast<int>(ymd.year()));
  return buffer;
}

int IsoWeekday(Date date) {
  return static_cast<int>(chr::weekday{kOrigin + chr::days{date.dayCount}}.iso_encoding());
}

namespace {

constexpr const char* kWeekdayNames[] = {"Montag",  "Dienstag", "Mittwoch", "Donnerstag",
                                         "Freitag", "Samstag",  "Sonntag"};
constexpr const char* kWeekdayShort[] = {"Mo", "Di", "Mi", "Do", "Fr", "Sa", "So"};

// Exactly `digits` decimal digits at the front of text, as a number; -1 otherwise.
int Digits(std::string_view text, std::size_t digits) {
  if (text.size() < digits) return -1;
  int value = 0;
  for (std::size_t i = 0; i < digits; ++i) {
    if (text[i] < '0' || text[i] > '9') return -1;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

std::optional<Date> DateIfValid(int y, int m, int d) {
  if (y < 0 || m < 0 || d < 0 || !IsValidYmd(y, m, d)) return std::nullopt;
  return Date::FromYmd(y, m, d);
}

}  // namespace

const char* GermanWeekdayName(Date date) { return kWeekdayNames[IsoWeekday(date) - 1]; }
const char* GermanWeekdayShort(Date date) { return kWeekdayShort[IsoWeekday(date) - 1]; }

std::string WeekdayDateText(Date date) {
  return std::string(GermanWeekdayShort(date)) + ' ' + FormatShortDate(date);
}

std::optional<Date> ParseGermanDate(std::string_view text) {
  if (text.size() != 10 || text[2] != '.' || text[5] != '.') return std::nullopt;
  return DateIfValid(Digits(text.substr(6), 4), Digits(text.substr(3), 2), Digits(text, 2));
}

std::optional<Date> ParseIsoDate(std::string_view text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  return DateIfValid(Digits(text, 4), Digits(text.substr(5), 2), Digits(text.substr(8), 2));
}

std::string FormatIsoDate(Date date) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", date.year(), date.month(), date.day());
  return buffer;
}

namespace {

// A small scanner over the date text; blanks are spaces.
class DateScanner {
 public:
  explicit DateScanner(std::string_view text) : text_(text) {}

  void SkipBlanks() {
    while (pos_ < text_.size() && text_[pos_] == ' ') ++pos_;
  }
  bool Dot() {
    SkipBlanks();
    if (pos_ < text_.size() && text_[pos_] == '.') {
      ++pos_;
      return true;
    }
    return false;
  }
  // Blanks, then at least one digit; the value and the number of digits.
  bool Number(int& value, int& digits) {
    SkipBlanks();
    value = 0;
    digits = 0;
    while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9') {
      value = std::min(value * 10 + (text_[pos_] - '0'), 100000);  // beyond any valid field
      ++digits;
      ++pos_;
    }
    return digits > 0;
  }
  bool AtEnd() {
    SkipBlanks();
    return pos_ == text_.size();
  }
  std::size_t pos() const { return pos_; }
  void Reset(std::size_t pos) { pos_ = pos; }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

}  // namespace

Date ParseDate(std::string_view text, int currentYear) {
  auto fail = [&]() -> ConversionError {
    return ConversionError(std::string("'").append(text).append("' is not a valid date"));
  };

  DateScanner scan(text);
  int d = 0, m = 0, y = currentYear, digits = 0;
  if (!scan.Number(d, digits) || !scan.Dot() || !scan.Number(m, digits)) throw fail();
  const std::size_t afterMonth = scan.pos();
  int yearDigits = 0;
  if (scan.Dot() && scan.Number(y, yearDigits)) {
    if (yearDigits > 4) throw fail();
    if (yearDigits <= 2) {
      // The hundred years that begin 50 years before the current year.
      const int first = currentYear - 50;
      y += first - first % 100;
      if (y < first) y += 100;
    }
  } else {
    scan.Reset(afterMonth);
    y = currentYear;
  }
  scan.Dot();  // one more full stop may follow
  if (!scan.AtEnd() || !IsValidYmd(y, m, d)) throw fail();
  return Date::FromYmd(y, m, d);
}

Date SystemClock::Today() const {
  const std::tm local = LocalTime(std::time(nullptr));
  return Date::FromYmd(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

int DaysInMonth(int year, int month) {
  const chr::year_month_day_last last =
      chr::year{year} / chr::month{static_cast<unsigned>(month)} / chr::last;
  return static_cast<int>(static_cast<unsigned>(last.day()));
}

namespace {

constexpr int64_t kMsPerHour = 3'600'000;
constexpr int64_t kMsPerDay = 24 * kMsPerHour;
// 01.01.1970 in the Date count, and the first and last day a Date can hold (years 1 to 9999),
// counted from 1970.
constexpr int32_t kUnixEpochDay = 25569;
constexpr int64_t kFirstUnixDay = -719162;
constexpr int64_t kLastUnixDay = 2932896;

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

int64_t UnixDay(Date day) { return int64_t{day.dayCount} - kUnixEpochDay; }

Date LastSunday(int year, int month) {
  const Date last = Date::FromYmd(year, month, DaysInMonth(year, month));
  return Date{last.dayCount - IsoWeekday(last) % 7};
}

// The days on which summer time began and ended in Germany, both switches at 01:00 UTC:
// none before 1980; in 1980 from 6 April; until 1995 to the last Sunday of September; since
// 1996 the EU rule, last Sunday of March to last Sunday of October.
struct SummerTime {
  Date begins;
  Date ends;
};

std::optional<SummerTime> SummerTimeOf(int year) {
  if (year < 1980) return std::nullopt;
  if (year == 1980) return SummerTime{Date::FromYmd(1980, 4, 6), Date::FromYmd(1980, 9, 28)};
  return SummerTime{LastSunday(year, 3), LastSunday(year, year <= 1995 ? 9 : 10)};
}

}  // namespace

int64_t BerlinMidnightMs(Date day) {
  const std::optional<SummerTime> summer = SummerTimeOf(day.year());
  // Midnight is never inside a switch: the clocks move at 02:00 and 03:00 local time.
  const bool summerTime = summer && day > summer->begins && day <= summer->ends;
  return UnixDay(day) * kMsPerDay - (summerTime ? 2 : 1) * kMsPerHour;
}

std::optional<Date> BerlinDateOfMs(int64_t ms) {
  // Beyond a day either side of the years 1 to 9999 nothing below can be right.
  constexpr int64_t kFirstMs = (kFirstUnixDay - 1) * kMsPerDay;
  constexpr int64_t kLastMs = (kLastUnixDay + 2) * kMsPerDay;
  if (ms < kFirstMs || ms > kLastMs) return std::nullopt;
  const Date utcDay{static_cast<int32_t>(FloorDiv(ms, kMsPerDay) + kUnixEpochDay)};
  int64_t offset = kMsPerHour;
  if (const std::optional<SummerTime> summer = SummerTimeOf(utcDay.year())) {
    const int64_t begins = UnixDay(summer->begins) * kMsPerDay + kMsPerHour;
    const int64_t ends = UnixDay(summer->ends) * kMsPerDay + kMsPerHour;
    if (ms >= begins && ms < ends) offset = 2 * kMsPerHour;
  }
  const int64_t localDay = FloorDiv(ms + offset, kMsPerDay);
  if (localDay < kFirstUnixDay || localDay > kLastUnixDay) return std::nullopt;
  return Date{static_cast<int32_t>(localDay + kUnixEpochDay)};
}

}  // namespace kw
