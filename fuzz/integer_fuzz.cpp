// The integer conversion on any text, against a second reading of the rule built on
// std::from_chars: both accept the same texts and give the same values, and a refusal carries
// the program's message.
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "core/error.h"
#include "core/text.h"

namespace {

// Spaces, then a sign and decimal digits, or "$", "x", "X", "0x", "0X" and hex digits; nothing
// after the last digit; within the signed 32-bit range.
std::optional<int32_t> Expected(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return std::nullopt;
  text.remove_prefix(first);
  int base = 10;
  bool negative = false;
  if (text.starts_with("0x") || text.starts_with("0X")) {
    base = 16;
    text.remove_prefix(2);
  } else if (text[0] == '$' || text[0] == 'x' || text[0] == 'X') {
    base = 16;
    text.remove_prefix(1);
  } else if (text[0] == '+' || text[0] == '-') {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  // from_chars of an unsigned type takes digits only: no sign, no blank, no prefix.
  uint64_t magnitude = 0;
  const auto [end, error] =
      std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
  if (text.empty() || error != std::errc{} || end != text.data() + text.size()) {
    return std::nullopt;
  }
  if (magnitude > (negative ? 2147483648ull : 2147483647ull)) return std::nullopt;
  return static_cast<int32_t>(negative ? -static_cast<int64_t>(magnitude)
                                       : static_cast<int64_t>(magnitude));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::optional<int32_t> expected = Expected(text);

  int32_t value = 12345;
  const bool converted = kw::TryStrToInt(text, value);
  if (converted != expected.has_value()) std::abort();
  if (converted && value != *expected) std::abort();
  if (!converted && value != 12345) std::abort();  // a failure stores nothing

  try {
    if (kw::StrToInt(text) != value || !converted) std::abort();
  } catch (const kw::ConversionError& e) {
    if (converted) std::abort();
    // what() is a C string: a NUL byte in the text ends the message there, as it ends it in
    // the message box.
    const std::string message = "'" + std::string(text) + "' is not a valid integer value";
    if (std::strcmp(e.what(), message.c_str()) != 0) std::abort();
  }
  return 0;
}
