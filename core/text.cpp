#include "core/text.h"

#include <iterator>

#include "core/error.h"

namespace kw {

std::string_view TrimView(std::string_view text) {
  auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string Trim(std::string_view text) { return std::string(TrimView(text)); }

namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

int DigitValue(char c, int base) {
  int v = -1;
  if (c >= '0' && c <= '9')
    v = c - '0';
  else if (c >= 'a' && c <= 'f')
    v = c - 'a' + 10;
  else if (c >= 'A' && c <= 'F')
    v = c - 'A' + 10;
  return v < base ? v : -1;
}

}  // namespace

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

bool TryStrToInt(std::string_view text, int32_t& value) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;

  int base = 10;
  bool negative = false;
  std::string_view rest = text.substr(i);
  if (rest.starts_with("0x") || rest.starts_with("0X")) {
    base = 16;
    i += 2;
  } else if (!rest.empty() && (rest[0] == '$' || rest[0] == 'x' || rest[0] == 'X')) {
    base = 16;
    i += 1;
  } else if (!rest.empty() && (rest[0] == '+' || rest[0] == '-')) {
    negative = rest[0] == '-';
    i += 1;
  }

  if (i >= text.size()) return false;
  // Magnitude limit: 2^31 for a negative decimal, 2^31 - 1 otherwise.
  const int64_t limit = negative ? 2147483648LL : 2147483647LL;
  int64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    const int digit = DigitValue(text[i], base);
    if (digit < 0) return false;
    magnitude = magnitude * base + digit;
    if (magnitude > limit) return false;
  }
  value = static_cast<int32_t>(negative ? -magnitude : magnitude);
  return true;
}

int32_t StrToInt(std::string_view text) {
  int32_t value = 0;
  if (!TryStrToInt(text, value)) {
    throw ConversionError(std::string("'").append(text).append("' is not a valid integer value"));
  }
  return value;
}

std::string GroupedNumber(int64_t value) {
  const bool negative = value < 0;
  const uint64_t magnitude =
      negative ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  const std::string digits = std::to_string(magnitude);
  std::string text = negative ? "-" : "";
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) text += '.';
    text += digits[i];
  }
  return text;
}

std::string TimesWord(int times) {
  static constexpr const char* kWords[] = {"einmal",     "zweimal",  "dreimal",   "viermal",
                                           "f\xFCnfmal", "sechsmal", "siebenmal", "achtmal",
                                           "neunmal",    "zehnmal",  "elfmal",    "zw\xF6lfmal"};
  if (times >= 1 && times <= static_cast<int>(std::size(kWords))) return kWords[times - 1];
  return std::to_string(times) + "-mal";
}

std::string CountText(int64_t count, std::string_view one, std::string_view many) {
  std::string text = GroupedNumber(count);
  text += ' ';
  text += count == 1 ? one : many;
  return text;
}

}  // namespace kw
