#include "core/ticket_systems.h"

#include <algorithm>
#include <optional>

#include "core/text.h"

namespace kw {

namespace {

// A word longer than this is cut in the reason, so that the reason fits beside the field.
constexpr std::size_t kLongestQuotedWord = 10;

bool IsSeparator(char c) { return static_cast<unsigned char>(c) <= 32 || c == ','; }

std::vector<std::string_view> Words(std::string_view text) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && IsSeparator(text[i])) ++i;
    const std::size_t start = i;
    while (i < text.size() && !IsSeparator(text[i])) ++i;
    if (i > start) words.push_back(text.substr(start, i - start));
  }
  return words;
}

// 1 to 49 written in decimal digits only, as a person crosses it; anything else is no number.
std::optional<uint8_t> NumberOf(std::string_view word) {
  if (word.empty() || word.size() > 2) return std::nullopt;
  int value = 0;
  for (char c : word) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (value < kLowestNumber || value > kHighestNumber) return std::nullopt;
  return static_cast<uint8_t>(value);
}

std::string Quoted(std::string_view word) {
  if (word.size() <= kLongestQuotedWord) return "\"" + std::string(word) + "\"";
  return "\"" + std::string(word.substr(0, kLongestQuotedWord)) + "\x85\"";
}

bool StartsWithNoCase(std::string_view text, std::string_view start) {
  return text.size() >= start.size() && EqualsNoCase(text.substr(0, start.size()), start);
}

bool NamesPartialSystem(std::string_view text) {
  const std::string_view trimmed = TrimView(text);
  return StartsWithNoCase(trimmed, "VEW") || StartsWithNoCase(trimmed, "Teilsystem");
}

TicketSystem ReadOne(std::string text) {
  TicketSystem system;
  system.text = std::move(text);
  std::vector<uint8_t> numbers;
  for (std::string_view word : Words(system.text)) {
    const std::optional<uint8_t> number = NumberOf(word);
    if (!number) {
      system.problem = Quoted(word) + " ist keine Zahl von " + NumberRangeText();
      return system;
    }
    numbers.push_back(*number);
  }
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    const auto before = numbers.begin() + static_cast<std::ptrdiff_t>(i);
    if (std::find(numbers.begin(), before, numbers[i]) != before) continue;
    const auto times = std::count(before, numbers.end(), numbers[i]);
    if (times > 1) {
      system.problem =
          "die " + std::to_string(numbers[i]) + " steht " + TimesWord(static_cast<int>(times));
      return system;
    }
  }
  const int count = static_cast<int>(numbers.size());
  if (count == 0 && system.IsEmpty()) return system;
  if (count < kFewestSystemNumbers || count > kMostSystemNumbers) {
    system.problem = CountText(count, "Zahl", "Zahlen") + "; ein System hat " +
                     std::to_string(kFewestSystemNumbers) + " bis " +
                     std::to_string(kMostSystemNumbers) + " Zahlen";
    return system;
  }
  system.numbers = std::move(numbers);
  return system;
}

}  // namespace

bool TicketSystem::IsEmpty() const {
  return numbers.empty() && problem.empty() && TrimView(text).empty();
}

std::string SystemKey(int system) { return kSystemKeyPrefix + std::to_string(system); }

TicketSystems ReadSystems(const SystemTexts& texts) {
  TicketSystems systems;
  int partial = 0;  // the first field naming a partial system, counted from 1
  for (int i = 0; i < kSystemCount; ++i) {
    if (!partial && NamesPartialSystem(texts[i])) partial = i + 1;
  }
  for (int i = 0; i < kSystemCount; ++i) {
    if (!partial) {
      systems[i] = ReadOne(texts[i]);
      continue;
    }
    systems[i].text = texts[i];
    if (systems[i].IsEmpty()) continue;
    systems[i].problem =
        NamesPartialSystem(texts[i])
            ? "Teilsysteme (VEW) werden nicht unterst\xFCtzt"
            : "der Schein hat in System " + std::to_string(partial) + " ein Teilsystem";
  }
  return systems;
}

bool IsFullSystem(const std::vector<uint8_t>& numbers) {
  const auto count = static_cast<int>(numbers.size());
  if (count < kFewestSystemNumbers || count > kMostSystemNumbers) return false;
  uint64_t seen = 0;
  for (const uint8_t number : numbers) {
    if (number < kLowestNumber || number > kHighestNumber) return false;
    const uint64_t bit = uint64_t{1} << number;
    if (seen & bit) return false;
    seen |= bit;
  }
  return true;
}

std::string FormatSystemValue(const std::vector<uint8_t>& numbers) {
  std::string value;
  value.reserve(numbers.size() * 3);
  for (const uint8_t number : numbers) {
    if (number < 10) value += '0';
    value += std::to_string(number);
    value += ' ';
  }
  return value;
}

std::string SystemFieldText(const TicketSystem& system) {
  if (!system.IsSystem()) return system.text;
  std::string text;
  for (const uint8_t number : system.numbers) {
    if (!text.empty()) text += ' ';
    text += std::to_string(number);
  }
  return text;
}

std::string SystemName(int size) {
  std::string name = std::to_string(size);
  return std::string(name.size() < 3 ? 3 - name.size() : 0, '0') + name;
}

std::string SystemSummary(const TicketSystem& system) {
  if (!system.problem.empty()) return system.problem;
  if (!system.IsSystem()) return {};
  const int size = static_cast<int>(system.numbers.size());
  return "System " + SystemName(size) + ", " +
         CountText(SystemRows(size), "Tippreihe", "Tippreihen");
}

}  // namespace kw
