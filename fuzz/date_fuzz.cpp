// The date parse on any text and current year, against a second reading of the rule: numbers
// and full stops in the order day . month [. year] [.], blanks before any of them; a year of one
// or two digits in the hundred years from 50 before the current year, of three or four digits
// as written, of more digits none at all.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/date.h"
#include "core/error.h"

namespace {

struct Token {
  bool number;
  int value;  // capped: no valid field is that large
  int digits;
};

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysIn(int y, int m) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeap(y) ? 29 : kDays[m - 1];
}

struct Ymd {
  int y, m, d;
};

std::optional<Ymd> Expected(std::string_view text, int currentYear) {
  std::vector<Token> tokens;
  for (std::size_t i = 0; i < text.size();) {
    const char c = text[i];
    if (c == ' ') {
      ++i;
    } else if (c == '.') {
      tokens.push_back({false, 0, 0});
      ++i;
    } else if (c >= '0' && c <= '9') {
      Token t{true, 0, 0};
      for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (t.value < 1'000'000) t.value = t.value * 10 + (text[i] - '0');
        ++t.digits;
      }
      tokens.push_back(t);
    } else {
      return std::nullopt;
    }
  }
  // N . N, then optionally . N, then optionally one more full stop.
  const std::size_t n = tokens.size();
  auto isNumber = [&](std::size_t i) { return i < n && tokens[i].number; };
  auto isDot = [&](std::size_t i) { return i < n && !tokens[i].number; };
  if (!isNumber(0) || !isDot(1) || !isNumber(2)) return std::nullopt;
  std::size_t next = 3;
  std::optional<Token> year;
  if (isDot(3) && isNumber(4)) {
    year = tokens[4];
    next = 5;
  }
  if (isDot(next)) ++next;
  if (next != n) return std::nullopt;

  int y = currentYear;
  if (year) {
    if (year->digits > 4) return std::nullopt;
    y = year->value;
    if (year->digits <= 2) {
      const int first = currentYear - 50;
      y = first + ((year->value - first % 100) % 100 + 100) % 100;
    }
  }
  const int m = tokens[2].value;
  const int d = tokens[0].value;
  if (y < 1 || y > 9999 || m < 1 || m > 12 || d < 1 || d > DaysIn(y, m)) return std::nullopt;
  return Ymd{y, m, d};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const int currentYear = 1900 + data[0] * 2;  // 1900 to 2410
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  const std::optional<Ymd> expected = Expected(text, currentYear);

  std::optional<kw::Date> parsed;
  try {
    parsed = kw::ParseDate(text, currentYear);
  } catch (const kw::ConversionError& e) {
    // what() is a C string: a NUL byte in the text ends the message there, as it ends it in
    // the message box.
    const std::string message = "'" + std::string(text) + "' is not a valid date";
    if (std::strcmp(e.what(), message.c_str()) != 0) std::abort();
  }
  if (parsed.has_value() != expected.has_value()) std::abort();
  if (!parsed) return 0;
  if (parsed->year() != expected->y || parsed->month() != expected->m ||
      parsed->day() != expected->d) {
    std::abort();
  }
  // The short form reads back as the same day.
  if (kw::ParseDate(kw::FormatShortDate(*parsed), currentYear) != *parsed) std::abort();
  return 0;
}
