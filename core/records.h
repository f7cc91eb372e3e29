#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/date.h"
#include "core/lottery_rules.h"
#include "core/text.h"
#include "core/ticket_systems.h"

namespace kw {

constexpr int kGameCount = 12;
constexpr int kDrawNumberCount = 8;  // six drawn numbers, the Zusatzzahl, the Superzahl

// One game: six numbers in the order the ticket file lists them; 0 is no entry.
using Game = std::array<uint8_t, kNumbersPerGame>;
using Games = std::array<Game, kGameCount>;

// A game is empty when its first number is 0, whatever the other five hold.
inline bool IsEmptyGame(const Game& game) { return game[0] == 0; }

// The current ticket, owned by the main window.
struct Ticket {
  std::string path;  // the ticket file it was read from; empty: no ticket loaded
  Games games{};
  // The "Losnummer": Spiel 77 number, its last digit the Superzahl digit.
  FixedText<kSpiel77Digits> lotNumber;
  FixedText<kSuper6Digits> super6Number;   // characters 2 to 7 of the lot number
  std::array<uint8_t, kGameCount> hits{};  // counters of the last evaluation
  uint8_t spiel77Hits = 0;
  uint8_t super6Hits = 0;
  Date expiryDate;  // "Ablauf": the last day the ticket takes part
};

// The ticket editor's own working copy.
struct EditorTicket {
  Games games{};
  std::string lotNumber;  // as read or typed, not cut
  Date expiryDate;
  TicketSystems systems{};  // "System1" to "System4"; the main window's ticket has none
};

// One drawing.
struct DrawResult {
  std::array<uint8_t, kDrawNumberCount> numbers{};  // 1-6 drawn, 7 Zusatzzahl, 8 Superzahl
  std::string spiel77;
  std::string super6;
  // As text, "TT.MM.JJJJ" as the results page writes it; "???" when the stored line carried no
  // date.
  FixedText<10> drawDate;
};

enum class DrawDay { Wednesday, Saturday };

// The two drawings the program keeps, Wednesday first.
struct StoredDraws {
  std::array<DrawResult, 2> draws{};

  DrawResult& operator[](DrawDay day) { return draws[static_cast<std::size_t>(day)]; }
  const DrawResult& operator[](DrawDay day) const { return draws[static_cast<std::size_t>(day)]; }
};

// Resets the counters of the last evaluation; with resetTicket also empties path, lot number,
// Super 6 number and all games. The expiry date stays in both forms.
void ClearTicket(Ticket& ticket, bool resetTicket);

// Sets the lot number and the Super 6 number derived from it, as a ticket file read does.
void SetLotNumber(Ticket& ticket, std::string_view losnummer);

}  // namespace kw
