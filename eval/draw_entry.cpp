#include "eval/draw_entry.h"

#include "core/lottery_rules.h"
#include "core/text.h"

namespace kw {

namespace {

constexpr std::size_t kDrawnCount = kNumbersPerGame;
constexpr std::size_t kZusatzzahlIndex = kDrawnCount;  // the field after the six
constexpr std::size_t kSpiel77Length = kSpiel77Digits;
constexpr std::size_t kSuper6Length = kSuper6Digits;

// Only the exact text "0" stands for a missing number; "00" or "+0" get through here and are
// kept away from empty ticket slots by the evaluation.
bool NumberMissing(const std::string& text) {
  const std::string number = Trim(text);
  return number.empty() || number == "0";
}

}  // namespace

bool ZusatzzahlMissing(const DrawEntry& entry) {
  return NumberMissing(entry.numberTexts[kZusatzzahlIndex]);
}

std::optional<std::string> CheckDrawEntry(const DrawEntry& entry, ZusatzzahlRule rule) {
  const std::size_t checked = kDrawnCount + (rule == ZusatzzahlRule::Required ? 1 : 0);
  for (std::size_t i = 0; i < checked; ++i) {
    if (NumberMissing(entry.numberTexts[i])) return std::string(kMissingNumbersMessage);
  }
  // The lengths count every character as typed, blanks included.
  if (entry.spiel77Text.size() != kSpiel77Length) return std::string(kSpiel77LengthMessage);
  if (entry.super6Text.size() != kSuper6Length) return std::string(kSuper6LengthMessage);
  return std::nullopt;
}

}  // namespace kw
