#include "eval/evaluation.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace kw {
namespace {

using Kind = EvaluationOutcome::Kind;
using Lines = std::vector<std::string>;

Ticket TicketWith(std::string_view losnummer, std::vector<Game> games = {}) {
  Ticket ticket;
  ticket.path = "schein.sch";
  SetLotNumber(ticket, losnummer);
  for (std::size_t g = 0; g < games.size(); ++g) ticket.games[g] = games[g];
  return ticket;
}

DrawEntry Drawing(std::array<std::string, 8> numbers, std::string spiel77 = "0000000",
                  std::string super6 = "000000") {
  return {std::move(numbers), std::move(spiel77), std::move(super6)};
}

TEST(EvaluateTicketTest, WorkedExample) {
  Ticket ticket = TicketWith("4711235", {{}, {}, {3, 7, 12, 25, 33, 41}, {}, {1, 2, 4, 5, 6, 8}});
  const EvaluationOutcome outcome = EvaluateTicket(
      ticket, Drawing({"3", "12", "19", "25", "40", "44", "7", "5"}, "9911235", "000235"));
  ASSERT_EQ(outcome.kind, Kind::Report);
  const Lines report = {
      "Richtige in Spiel 3: 3 (und Zusatzzahl) => Gewinnklasse VII",
      "",
      "Richtige im Spiel77: 5 => 7000 EUR (Gewinnklasse III)",
      "Richtige bei Super6: 3 => 66 EUR (Gewinnklasse IV)",
  };
  EXPECT_EQ(outcome.lines, report);
  EXPECT_EQ(ticket.hits, (std::array<uint8_t, 12>{0, 0, 3}));
  EXPECT_EQ(ticket.spiel77Hits, 5);
  EXPECT_EQ(ticket.super6Hits, 3);
}

// One game against one drawing; the report's first line, or nothing when the game has no line.
struct GameCase {
  const char* name;
  std::string_view losnummer;
  Game game;
  std::array<std::string, 8> drawing;
  std::string_view line;
  friend void PrintTo(const GameCase& c, std::ostream* os) { *os << c.name; }
};

class GameLineTest : public ::testing::TestWithParam<GameCase> {};

TEST_P(GameLineTest, ClassesTheGame) {
  const GameCase& c = GetParam();
  Ticket ticket = TicketWith(c.losnummer, {c.game});
  const EvaluationOutcome outcome = EvaluateTicket(ticket, Drawing(c.drawing));
  ASSERT_EQ(outcome.kind, Kind::Report);
  EXPECT_EQ(outcome.lines.size() == 1 ? "" : outcome.lines.front(), c.line);
}

const std::array<std::string, 8> k1To6 = {"1", "2", "3", "4", "5", "6", "7", "5"};
std::array<std::string, 8> Superzahl(std::string text) {
  auto drawing = k1To6;
  drawing[7] = std::move(text);
  return drawing;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Classes, GameLineTest,
    ::testing::Values(
        GameCase{"OnlyZusatzzahl", "1234565", {7, 10, 11, 12, 13, 14}, k1To6, ""},
        GameCase{"One", "1234565", {1, 10, 11, 12, 13, 14}, k1To6,
                 "Richtige in Spiel 1: 1 => kein Gewinn"},
        GameCase{"TwoZ", "1234565", {1, 2, 7, 12, 13, 14}, k1To6,
                 "Richtige in Spiel 1: 2 (und Zusatzzahl) => kein Gewinn"},
        GameCase{"Three", "1234565", {1, 2, 3, 12, 13, 14}, k1To6,
                 "Richtige in Spiel 1: 3 => Gewinnklasse VIII"},
        GameCase{"FourZ", "1234565", {1, 2, 3, 4, 7, 14}, k1To6,
                 "Richtige in Spiel 1: 4 (und Zusatzzahl) => Gewinnklasse V"},
        GameCase{"Four", "1234565", {1, 2, 3, 4, 13, 14}, k1To6,
                 "Richtige in Spiel 1: 4 => Gewinnklasse VI"},
        GameCase{"Five", "1234565", {1, 2, 3, 4, 5, 14}, k1To6,
                 "Richtige in Spiel 1: 5 => Gewinnklasse IV"},
        GameCase{"FiveZ", "1234565", {1, 2, 3, 4, 5, 7}, k1To6,
                 "Richtige in Spiel 1: 5 (und Zusatzzahl) => Gewinnklasse III"},
        GameCase{"SixSuperzahl", "1234565", {6, 5, 4, 3, 2, 1}, Superzahl("5"),
                 "Richtige in Spiel 1: 6 => GEWINNKLASSE I"},
        GameCase{"SixSuperzahlLeadingZero", "1234565", {1, 2, 3, 4, 5, 6}, Superzahl("05"),
                 "Richtige in Spiel 1: 6 => Gewinnklasse II"},
        GameCase{"SixSuperzahlBlank", "1234565", {1, 2, 3, 4, 5, 6}, Superzahl(" 5"),
                 "Richtige in Spiel 1: 6 => Gewinnklasse II"},
        GameCase{"SixSuperzahlEmpty", "1234565", {1, 2, 3, 4, 5, 6}, Superzahl(""),
                 "Richtige in Spiel 1: 6 => Gewinnklasse II"},
        GameCase{"SixWrongSuperzahl", "1234565", {1, 2, 3, 4, 5, 6}, Superzahl("3"),
                 "Richtige in Spiel 1: 6 => Gewinnklasse II"},
        GameCase{"SixSuperzahlWithLetter", "1234565", {1, 2, 3, 4, 5, 6}, Superzahl("5x"),
                 "Richtige in Spiel 1: 6 => Gewinnklasse II"},
        GameCase{"SixSuperzahlTwoDigits", "1234565", {1, 2, 3, 4, 5, 6}, Superzahl("56"),
                 "Richtige in Spiel 1: 6 => Gewinnklasse II"},
        GameCase{"SixSuperzahlTrailingBlank", "1234565", {1, 2, 3, 4, 5, 6}, Superzahl("5 "),
                 "Richtige in Spiel 1: 6 => Gewinnklasse II"},
        GameCase{"SixShortLotNumber", "123455", {1, 2, 3, 4, 5, 6}, Superzahl("5"),
                 "Richtige in Spiel 1: 6 => Gewinnklasse II"},
        GameCase{"SixEmptyLotNumber", "", {1, 2, 3, 4, 5, 6}, Superzahl(""),
                 "Richtige in Spiel 1: 6 => Gewinnklasse II"},
        // Read past the six characters, the lot number would end in a NUL byte; the sanitizer
        // build stops at the read itself.
        GameCase{"SixSixCharacterLotNumberNulSuperzahl", "123455", {1, 2, 3, 4, 5, 6},
                 Superzahl(std::string(1, '\0')), "Richtige in Spiel 1: 6 => Gewinnklasse II"},
        GameCase{"RepeatedDrawnValue", "1234565", {1, 2, 3, 4, 5, 9},
                 {"1", "2", "3", "4", "5", "5", "7", "5"},
                 "Richtige in Spiel 1: 6 => GEWINNKLASSE I"},
        GameCase{"SevenHitsNoClass", "1234565", {1, 1, 2, 3, 4, 5},
                 {"1", "2", "3", "4", "5", "5", "7", "5"}, "Richtige in Spiel 1: 7"},
        GameCase{"HexAndLeadingSpaces", "1234565", {12, 13, 14, 15, 16, 17},
                 {"0x0C", "$d", "  14", "+15", "x10", "50", "7", "5"},
                 "Richtige in Spiel 1: 5 => Gewinnklasse IV"},
        GameCase{"NoRangeCut", "1234565", {44, 45, 46, 47, 48, 49},
                 {"300", "1", "2", "3", "4", "5", "7", "5"}, ""}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// A drawn number that converts to 0 finds no ticket number: a slot holding 0 is no entry.
class ZeroDrawnNumberTest : public ::testing::TestWithParam<std::string> {};

TEST_P(ZeroDrawnNumberTest, NeverMatchesEmptySlots) {
  Ticket ticket = TicketWith("1234565", {{1, 2, 3, 0, 0, 0}, {0, 2, 0, 0, 0, 0}});
  for (std::size_t field : {0u, 6u}) {
    auto drawing = k1To6;
    drawing[field] = GetParam();
    const EvaluationOutcome outcome = EvaluateTicket(ticket, Drawing(drawing));
    EXPECT_EQ(outcome.lines.at(0), field == 0 ? "Richtige in Spiel 1: 2 => kein Gewinn"
                                              : "Richtige in Spiel 1: 3 => Gewinnklasse VIII");
    EXPECT_EQ(ticket.hits, (std::array<uint8_t, 12>{uint8_t(field == 0 ? 2 : 3), 1}));
  }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Texts, ZeroDrawnNumberTest,
                         ::testing::Values("00", "+0", "-0", "0x0", "$00", " 00"));
// clang-format on

TEST(EvaluateTicketTest, EmptyTicketGivesOneEmptyLine) {
  Ticket ticket;
  const auto outcome = EvaluateTicket(ticket, Drawing(k1To6, "1234567", "234567"));
  EXPECT_EQ(outcome.lines, Lines{""});
}

TEST(EvaluateTicketTest, GameNumbersHaveNoLeadingZero) {
  Ticket ticket = TicketWith("1234565", {{1, 10, 11, 12, 13, 14}});
  ticket.games[11] = {2, 3, 10, 11, 12, 13};
  const auto outcome = EvaluateTicket(ticket, Drawing(k1To6));
  EXPECT_EQ(outcome.lines, (Lines{"Richtige in Spiel 1: 1 => kein Gewinn",
                                  "Richtige in Spiel 12: 2 => kein Gewinn", ""}));
}

// Final digits matched from the right up to the first difference, and their prize lines.
struct AddOnCase {
  std::string_view losnummer;
  std::string spiel77;
  std::string super6;
  Lines tail;  // the lines after the empty one
  friend void PrintTo(const AddOnCase& c, std::ostream* os) {
    *os << '"' << c.losnummer << "\" \"" << c.spiel77 << "\" \"" << c.super6 << '"';
  }
};

class AddOnGamesTest : public ::testing::TestWithParam<AddOnCase> {};

TEST_P(AddOnGamesTest, MatchesFinalDigits) {
  const AddOnCase& c = GetParam();
  Ticket ticket = TicketWith(c.losnummer);
  const auto outcome = EvaluateTicket(ticket, Drawing(k1To6, c.spiel77, c.super6));
  Lines expected{""};
  expected.insert(expected.end(), c.tail.begin(), c.tail.end());
  EXPECT_EQ(outcome.lines, expected);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Digits, AddOnGamesTest,
    ::testing::Values(
        AddOnCase{"4711235", "4711234", "711234", {}},
        AddOnCase{"4711235", "0000005", "000005",
                  {"Richtige im Spiel77: 1 => 2.50 EUR (Gewinnklasse VII)",
                   "Richtige bei Super6: 1 => 2.50 EUR (Gewinnklasse VI)"}},
        AddOnCase{"4711235", "4711935", "711935",
                  {"Richtige im Spiel77: 2 => 7 EUR (Gewinnklasse VI)",
                   "Richtige bei Super6: 2 => 6 EUR (Gewinnklasse V)"}},
        AddOnCase{"4711235", "0000235", "000235",
                  {"Richtige im Spiel77: 3 => 70 EUR (Gewinnklasse V)",
                   "Richtige bei Super6: 3 => 66 EUR (Gewinnklasse IV)"}},
        AddOnCase{"4711235", "0001235", "001235",
                  {"Richtige im Spiel77: 4 => 700 EUR (Gewinnklasse IV)",
                   "Richtige bei Super6: 4 => 666 EUR (Gewinnklasse III)"}},
        AddOnCase{"4711235", "0011235", "011235",
                  {"Richtige im Spiel77: 5 => 7000 EUR (Gewinnklasse III)",
                   "Richtige bei Super6: 5 => 6666 EUR (Gewinnklasse II)"}},
        AddOnCase{"4711235", "A711235", "711235",
                  {"Richtige im Spiel77: 6 => 70000 EUR (Gewinnklasse II)",
                   "Richtige bei Super6: 6 => 100000 EUR (Gewinnklasse I)"}},
        AddOnCase{"4711235", "4711235", "71123A",
                  {"Richtige im Spiel77: 7 => Bekanntgabe ! (Gewinnklasse I)"}},
        AddOnCase{"47112359", "4711235", "711235",
                  {"Richtige im Spiel77: 7 => Bekanntgabe ! (Gewinnklasse I)",
                   "Richtige bei Super6: 6 => 100000 EUR (Gewinnklasse I)"}},
        AddOnCase{"112350", "0112350", "112350", {}},
        AddOnCase{"", "       ", "      ", {}}));
// clang-format on

TEST(EvaluateTicketTest, ConversionFailureResetsCountersAndGivesNoLines) {
  for (std::size_t field = 0; field < 7; ++field) {
    for (const char* text : {"3 ", "ab", "x", "1.5", "99999999999"}) {
      Ticket ticket = TicketWith("1234565", {{1, 2, 3, 4, 5, 6}});
      ticket.hits.fill(9);
      ticket.spiel77Hits = ticket.super6Hits = 9;
      auto drawing = k1To6;
      drawing[field] = text;
      const auto outcome = EvaluateTicket(ticket, Drawing(drawing, "1234565", "234565"));
      EXPECT_EQ(outcome.kind, Kind::ConversionFailed) << field << " '" << text << "'";
      EXPECT_EQ(outcome.message, kConversionFailedMessage);
      EXPECT_TRUE(outcome.lines.empty());
      EXPECT_EQ(ticket.hits, (std::array<uint8_t, 12>{}));
      EXPECT_EQ(ticket.spiel77Hits + ticket.super6Hits, 0);
    }
  }
}

TEST(EvaluateTicketTest, RefusalLeavesCountersAlone) {
  Ticket ticket = TicketWith("1234565", {{1, 2, 3, 4, 5, 6}});
  ticket.hits[0] = 6;
  ticket.spiel77Hits = 7;
  const auto outcome = EvaluateTicket(ticket, Drawing(k1To6, "123456", "234565"));
  EXPECT_EQ(outcome.kind, Kind::Refused);
  EXPECT_EQ(outcome.message, kSpiel77LengthMessage);
  EXPECT_EQ(ticket.hits[0], 6);
  EXPECT_EQ(ticket.spiel77Hits, 7);
}

}  // namespace
}  // namespace kw
