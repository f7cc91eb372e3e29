#include "eval/draw_entry.h"

#include "core/text.h"

namespace kw {

namespace {

constexpr std::size_t kCheckedNumberCount = 7;  // the six drawn numbers and the Zusatzzahl
constexpr std::size_t kSpiel77Length = 7;
constexpr std::size_t kSuper6Length = 6;

}  // namespace

std::optional<std::string> CheckDrawEntry(const DrawEntry& entry) {
  // Only the exact text "0" stands for a missing number; "00" or "+0" get through here and are
  // kept away from empty ticket slots by the evaluation.
  for (std::size_t i = 0; i < kCheckedNumberCount; ++i) {
    const std::string number = Trim(entry.numberTexts[i]);
    if (number.empty() || number == "0") return std::string(kMissingNumbersMessage);
  }
  // The lengths count every character as typed, blanks included.
  if (entry.spiel77Text.size() != kSpiel77Length) return std::string(kSpiel77LengthMessage);
  if (entry.super6Text.size() != kSuper6Length) return std::string(kSuper6LengthMessage);
  return std::nullopt;
}

}  // namespace kw
