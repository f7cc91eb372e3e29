#pragma once

#include <chrono>
#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kw {

namespace date_detail {
// 30.12.1899, day 0 of the count.
inline constexpr std::chrono::sys_days kOrigin{std::chrono::year{1899} / 12 / 30};
}  // namespace date_detail

// A whole calendar date held as a day count, so that the difference of two dates is a number
// of days. Day 0 is 30.12.1899, the count's origin; a date that was never set is day 0.
struct Date {
  int32_t dayCount = 0;

  // Constant where the date is, so that the lottery's dates can be constants.
  static constexpr Date FromYmd(int year, int month, int day) {
    namespace chr = std::chrono;
    const chr::sys_days days{chr::year{year} / chr::month{static_cast<unsigned>(month)} /
                             chr::day{static_cast<unsigned>(day)}};
    return Date{static_cast<int32_t>((days - date_detail::kOrigin).count())};
  }
  int year() const;
  int month() const;
  int day() const;

  friend auto operator<=>(const Date&, const Date&) = default;
  friend int32_t operator-(Date a, Date b) { return a.dayCount - b.dayCount; }
};

bool IsValidYmd(int year, int month, int day);

// The German short date form "TT.MM.JJJJ".
std::string FormatShortDate(Date date);

// The day of the week, ISO numbering: 1 Monday ... 7 Sunday.
int IsoWeekday(Date date);
inline constexpr int kWednesday = 3;
inline constexpr int kSaturday = 6;

// "Montag" ... "Sonntag", and the two-letter forms "Mo" ... "So".
const char* GermanWeekdayName(Date date);
const char* GermanWeekdayShort(Date date);

// A drawing day as lists and reports name it: "Sa 06.12.2026".
std::string WeekdayDateText(Date date);

// Strict forms for files and services, unlike ParseDate's lenient reading of typed text:
// exactly "TT.MM.JJJJ" and exactly "JJJJ-MM-TT", digits only, a day that exists.
std::optional<Date> ParseGermanDate(std::string_view text);
std::optional<Date> ParseIsoDate(std::string_view text);
std::string FormatIsoDate(Date date);

// Day, full stop, month, then optionally full stop and year; blanks may stand before each
// number and each full stop, one more full stop and blanks may follow. Without a year the
// current year is taken; a one- or two-digit year lies in the hundred years that begin 50 years
// before the current year. Throws ConversionError "'<text>' is not a valid date".
Date ParseDate(std::string_view text, int currentYear);

// The days of the month (1 to 12) of the year (1 to 9999): 28 to 31.
int DaysInMonth(int year, int month);

// Milliseconds since 1970 (UTC) of 00:00 on the day in Europe/Berlin, where the lottery draws,
// by the German summer time rules since 1980.
int64_t BerlinMidnightMs(Date day);

// The calendar day in Europe/Berlin at the moment given in milliseconds since 1970, or nothing
// for a moment outside the years 1 to 9999.
std::optional<Date> BerlinDateOfMs(int64_t ms);

// Today's date, replaceable in tests.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual Date Today() const = 0;
};

// The local calendar date of the system clock.
class SystemClock : public Clock {
 public:
  Date Today() const override;
};

}  // namespace kw
