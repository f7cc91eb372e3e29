#pragma once

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kw {

// Removes every leading and trailing character whose code is 32 or less.
std::string Trim(std::string_view text);
// The same without a copy: a view into the text.
std::string_view TrimView(std::string_view text);

// Equal but for the case of the letters A to Z, as names of sections, keys and tags compare.
bool EqualsNoCase(std::string_view a, std::string_view b);

// A whole number with the German thousands separator: 6012 as "6.012".
std::string GroupedNumber(int64_t value);

// A count with its noun in the singular or the plural: "1 Ziehung", "6.012 Ziehungen".
std::string CountText(int64_t count, std::string_view one, std::string_view many);

// How often something stands: "einmal", "zweimal" ... "zw\xF6lfmal", then "13-mal".
std::string TimesWord(int times);

// Reads the whole text as a signed 32-bit integer: spaces before the number, then either an
// optional sign and decimal digits, or "$", "x", "X", "0x", "0X" and hexadecimal digits; the
// text must end with the last digit. Throws ConversionError
// "'<text>' is not a valid integer value" otherwise.
int32_t StrToInt(std::string_view text);

// Like StrToInt, but reports a failure as false instead of throwing.
bool TryStrToInt(std::string_view text, int32_t& value);

// A one-byte record field keeps the low eight bits of a converted number: 300 -> 44, -1 -> 255.
constexpr uint8_t LowByte(int32_t value) {
  return static_cast<uint8_t>(static_cast<uint32_t>(value) & 0xFFu);
}

template <class T>
concept TextLike = std::convertible_to<const T&, std::string_view>;

// A text of fixed capacity: a longer text is cut to its first Capacity characters on assignment.
template <std::size_t Capacity>
class FixedText {
 public:
  FixedText() = default;
  template <TextLike Text>
  explicit FixedText(const Text& text) {
    assign(text);
  }
  template <TextLike Text>
  FixedText& operator=(const Text& text) {
    assign(text);
    return *this;
  }

  const std::string& str() const { return text_; }
  operator const std::string&() const { return text_; }  // NOLINT
  std::size_t size() const { return text_.size(); }
  bool empty() const { return text_.empty(); }
  char operator[](std::size_t i) const { return text_[i]; }
  void clear() { text_.clear(); }

  static constexpr std::size_t capacity() { return Capacity; }

  friend bool operator==(const FixedText& a, const FixedText& b) = default;
  friend bool operator==(const FixedText& a, std::string_view b) { return a.text_ == b; }

 private:
  void assign(std::string_view text) { text_.assign(text.substr(0, Capacity)); }
  std::string text_;
};

}  // namespace kw
