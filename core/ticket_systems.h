#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/lottery_rules.h"

namespace kw {

// The system fields of a ticket (Systemschein): 7 to 16 numbers crossed in one field stand for
// every game of six of them, the full system "007" to "016". The ticket file keeps up to four in
// keys of their own, "System1" to "System4", beside the games and written like them: each number
// as two digits followed by a blank ("03 07 12 25 33 41 44 48 ").

constexpr int kSystemCount = 4;
constexpr int kFewestSystemNumbers = 7;
constexpr int kMostSystemNumbers = 16;
inline constexpr const char* kSystemKeyPrefix = "System";

// One system field as the file holds it or as it was typed.
struct TicketSystem {
  std::string text;              // Windows-1252, as read or typed
  std::vector<uint8_t> numbers;  // the numbers in the order written; only for a full system
  std::string problem;           // why the text is no full system (German); empty otherwise

  // No numbers, no reason and nothing but blanks: the field plays no system.
  bool IsEmpty() const;
  // A full system, to be checked.
  bool IsSystem() const { return problem.empty() && !numbers.empty(); }

  friend bool operator==(const TicketSystem&, const TicketSystem&) = default;
};

using TicketSystems = std::array<TicketSystem, kSystemCount>;
using SystemTexts = std::array<std::string, kSystemCount>;

// The key of system 1 to 4: "System1".
std::string SystemKey(int system);

// Reads the four fields together. Numbers are separated by blanks or commas; 7 to 16 distinct
// numbers of 1 to 49 make a full system. Anything else is kept as it stands with the reason, and
// nothing of it is guessed: "\"5x\" ist keine Zahl von 1 bis 49", "die 13 steht zweimal",
// "6 Zahlen; ein System hat 7 bis 16 Zahlen".
//
// Partial systems (Teilsysteme, "VEW 622" and the like) play row tables that only the lottery's
// brochures print. A field whose text begins with "VEW" or "Teilsystem" (letter case aside) names
// one; that ticket is no Systemschein of full systems, so every field of it that holds text is
// unreadable: "Teilsysteme (VEW) werden nicht unterstützt" for the field naming it, "der Schein
// hat in System 1 ein Teilsystem" for the others. The games of such a ticket count as before.
TicketSystems ReadSystems(const SystemTexts& texts);

// Whether the numbers make a full system: 7 to 16 of them, each 1 to 49, none twice.
bool IsFullSystem(const std::vector<uint8_t>& numbers);

// The file's form: "03 07 12 25 33 41 44 48 ".
std::string FormatSystemValue(const std::vector<uint8_t>& numbers);

// What a field shows: the numbers as the game fields show theirs ("3 7 12 25 33 41 44 48"), the
// text itself where it is no full system.
std::string SystemFieldText(const TicketSystem& system);

// C(n, k), the ways to pick k of n; 0 where k is below 0 or above n.
constexpr int64_t Choose(int n, int k) {
  if (k < 0 || n < 0 || k > n) return 0;
  int64_t result = 1;
  for (int i = 1; i <= k; ++i) result = result * (n - k + i) / i;
  return result;
}

// "008" for a system of 8 numbers.
std::string SystemName(int size);

// The games a full system stands for: C(n, 6), 28 for the 008.
inline int64_t SystemRows(int size) { return Choose(size, kNumbersPerGame); }

// What the editor shows beside a field as the person types: "System 008, 28 Tippreihen", the
// reason it is no full system, or nothing for an empty field.
std::string SystemSummary(const TicketSystem& system);

}  // namespace kw
