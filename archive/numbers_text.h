#pragma once

#include <cstdint>
#include <string>

namespace kw {

// A whole number with the German thousands separator: 6012 as "6.012".
inline std::string GroupedNumber(int64_t value) {
  const bool negative = value < 0;
  uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  std::string digits = std::to_string(magnitude);
  std::string text;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) text += '.';
    text += digits[i];
  }
  return negative ? "-" + text : text;
}

// "1 Ziehung", "6.012 Ziehungen".
inline std::string DrawingCount(int64_t count) {
  return GroupedNumber(count) + (count == 1 ? " Ziehung" : " Ziehungen");
}

}  // namespace kw
