#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/drawing.h"
#include "core/error.h"
#include "core/records.h"
#include "eval/prize_plan.h"

namespace kw {

// A ticket checked against one real drawing by the prize plan of the drawing's date. Unlike
// EvaluateTicket, which compares typed text by the rules of the years before 2013, this works on
// values and never shows a class or an amount it does not know.

// The ticket as today's check sees it.
struct TicketPlay {
  Games games{};            // a game whose first number is 0 is not played
  std::string lotNumber;    // the "Losnummer": Spiel 77, Super 6 and the Superzahl digit
  bool spiel77 = false;     // whether the ticket plays Spiel 77
  bool super6 = false;      // whether the ticket plays Super 6
  TicketSystems systems{};  // an empty field plays no system
};

// The ticket's Superzahl digit: the last digit of a lot number of exactly seven digits. Any
// other lot number has none, and matches nothing in Spiel 77 and Super 6 either.
std::optional<int> SuperzahlDigit(std::string_view lotNumber);

// A played game is valid when it holds six different numbers from 1 to 49. A hand-written file
// can hold anything else (a repeated number, a 0 after the first number, 50 and more): such a
// game is reported as not valid and never wins.
bool IsValidGame(const Game& game);

// What one game or add-on game won.
struct Win {
  enum class Kind {
    None,            // no win
    Amount,          // class and amount known: fixed, or the drawing's quota
    QuotaPending,    // class known, paid by quota, the drawing's quota not published yet
    QuotaMissing,    // the same more than a week after the drawing: the archive lacks it
    AmountNotKnown,  // class known, the amount of that time not known to the program
    ClassNotKnown,   // no plan for the date, or the class depends on what the drawing lacks
  };
  Kind kind = Kind::None;
  int prizeClass = 0;  // 1 (I) to 9 (IX) where the class is known
  int64_t cents = 0;   // for Amount

  friend bool operator==(const Win&, const Win&) = default;
};

struct GameCheck {
  int game = 0;                 // 1 to 12, its place on the ticket
  bool valid = true;            // false: the game is none (see IsValidGame) and was not checked
  int hits = 0;                 // drawn numbers in the game
  bool zusatzzahl = false;      // the game holds the drawn Zusatzzahl
  bool superzahl = false;       // the ticket's Superzahl digit equals the drawn Superzahl
  Extra counted = Extra::None;  // the extra that the won class asks for
  Win win;
};

// The rows of a system that won alike: the same hits, the same extra and so the same class.
struct SystemWin {
  int hits = 0;
  Extra counted = Extra::None;  // the extra that the won class asks for
  int64_t rows = 0;
  Win win;  // of one row: Amount's cents are what each of the rows gets

  friend bool operator==(const SystemWin&, const SystemWin&) = default;
};

// A full system checked as all its rows, counted and not expanded: with k of its n numbers drawn,
// C(k, j) * C(n - k, 6 - j) of its rows have j right. The Superzahl digit is the ticket's, alike
// for every row; before May 2013, when the Zusatzzahl is one of the system's numbers,
// C(k, j) * C(n - k - 1, 5 - j) of the rows with j right hold it.
struct SystemCheck {
  int system = 0;           // 1 to 4, its field on the ticket
  bool valid = true;        // false: the field holds no full system and was not checked
  std::string problem;      // why not, for a field that is not valid
  int size = 0;             // n, its numbers
  int drawn = 0;            // k, the drawn numbers among them
  bool zusatzzahl = false;  // the system holds the drawn Zusatzzahl
  bool superzahl = false;   // the ticket's Superzahl digit equals the drawn Superzahl
  std::vector<SystemWin>
      wins;  // one per class won (or per hits of a class not known), highest first
};

struct AddOnCheck {
  bool played = false;       // the ticket plays the game; nothing else is set otherwise
  bool numberKnown = false;  // the drawing holds the game's number
  // Played with a lot number that can win, but the drawing lacks the game's number: what it
  // won is not known. Counted by days, apart from the games.
  bool numberMissing = false;
  int digits = 0;  // matching final digits
  Win win;
};

// The known amounts in cent, and how many wins or games have none yet; a system's rows count as
// that many games.
struct CheckTotals {
  int64_t cents = 0;
  int awaitingQuota = 0;         // wins of a class paid by quota whose quota is not (yet) known
  int amountNotKnown = 0;        // wins whose amount of that time is not known to the program
  int classNotKnown = 0;         // games whose class cannot be told
  int quotaMissing = 0;          // wins whose quota the archive lacks more than a week after
  int spiel77NumberMissing = 0;  // drawings whose Spiel 77 number is not known (played)
  int super6NumberMissing = 0;   // the same for Super 6
  int drawingsMissing = 0;       // drawing days of a term that the archive lacks: still open
  int WithoutAmount() const {
    return awaitingQuota + amountNotKnown + classNotKnown + quotaMissing;
  }
  CheckTotals& operator+=(const CheckTotals& other);
  friend bool operator==(const CheckTotals&, const CheckTotals&) = default;
};

struct DrawingCheck {
  Date date;
  const PrizePlan* lottoPlan = nullptr;  // nothing where the plan of the date is not known
  std::vector<GameCheck> games;          // the played games, in the ticket's order
  std::vector<SystemCheck> systems;      // the system fields that hold anything, in their order
  AddOnCheck spiel77;
  AddOnCheck super6;
  CheckTotals totals;

  // Whether any game or add-on game won or may have won.
  bool AnyWin() const;
};

// The refusal of a drawing that cannot be one (DrawingProblem's message).
class DrawingRefused : public Error {
 public:
  using Error::Error;
};

// Checks the ticket against the drawing by the plan of its date. Throws DrawingRefused for a
// drawing that DrawingProblem refuses: today's check works on real drawings, not on typing.
// today tells a quota that may still come from one the archive lacks; without it every missing
// quota may still come.
DrawingCheck CheckDrawing(const TicketPlay& ticket, const Drawing& drawing,
                          std::optional<Date> today = std::nullopt);

}  // namespace kw
