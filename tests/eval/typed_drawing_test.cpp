// A drawing typed without a Zusatzzahl, checked by the plan of its day: which day's plan, and how
// the typed texts become a drawing. The classes and amounts of each plan are today_check's tests.
#include "eval/typed_drawing.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/support/builders.h"

namespace kw {
namespace {

using test::Day;

TEST(PlanDateOf, TheDrawingsOwnDateOrTheLatestDrawingDayUpToToday) {
  struct Row {
    const char* what;
    std::optional<Date> drawDate;
    Date today;
    Date plan;
  };
  const Row rows[] = {
      {"its own date, whatever today is", Day(2019, 12, 7), Day(2026, 12, 1), Day(2019, 12, 7)},
      {"a Tuesday takes Saturday", std::nullopt, Day(2026, 12, 1), Day(2026, 11, 28)},
      {"a Wednesday itself", std::nullopt, Day(2026, 12, 2), Day(2026, 12, 2)},
      {"the Sunday after the first day of 6 euro", std::nullopt, Day(2020, 9, 27),
       Day(2020, 9, 26)},
      {"no Wednesday drawing before 06.12.2000", std::nullopt, Day(2000, 12, 1), Day(2000, 11, 25)},
  };
  for (const Row& row : rows) EXPECT_EQ(PlanDateOf(row.drawDate, row.today), row.plan) << row.what;
}

// Game 1 holds 3 and 15 of the drawing; the lot number's Superzahl digit is 5.
TicketPlay Ticket() {
  TicketPlay ticket;
  ticket.games[0] = {3, 15, 22, 31, 40, 49};
  ticket.lotNumber = "4711235";
  ticket.spiel77 = true;
  return ticket;
}

DrawEntry Typed(const std::function<void(DrawEntry&)>& change = {}) {
  DrawEntry entry{{"3", "15", "8", "9", "10", "11", "", "5"}, "9911235", "000235"};
  if (change) change(entry);
  return entry;
}

// The plan of the day and the lines come from today's check (the main window's test shows them
// whole); here the Superzahl field: left empty it is a Superzahl not known, "0" a drawn 0.
TEST(EvaluateByDrawingDay, AnEmptySuperzahlIsNotKnownAndZeroIsDrawn) {
  const auto firstLine = [](const char* superzahl) {
    const EvaluationOutcome outcome = EvaluateByDrawingDay(
        Ticket(), Typed([&](DrawEntry& e) { e.numberTexts[7] = superzahl; }), Day(2026, 12, 5));
    EXPECT_EQ(outcome.kind, EvaluationOutcome::Kind::Report);
    return outcome.lines.front();
  };
  EXPECT_EQ(firstLine("5"), "Spiel 1: 2 Richtige + Superzahl, Gewinnklasse IX, 6,00 \x80");
  EXPECT_EQ(firstLine(" "), "Spiel 1: 2 Richtige, Gewinnklasse nicht bekannt");
  EXPECT_EQ(firstLine("0"), "Spiel 77: 5 Endziffern, Gewinnklasse III, 7.777,00 \x80");
}

TEST(EvaluateByDrawingDay, WhatCannotBeADrawingIsRefusedOrFailsAsTyping) {
  using Kind = EvaluationOutcome::Kind;
  struct Row {
    const char* what;
    std::function<void(DrawEntry&)> change;
    Kind kind;
    std::string message;
  };
  const std::string conversion(kConversionFailedMessage);
  const Row rows[] = {
      {"a drawn number missing", [](DrawEntry& e) { e.numberTexts[5] = "0"; }, Kind::Refused,
       std::string(kMissingNumbersMessage)},
      {"50", [](DrawEntry& e) { e.numberTexts[2] = "50"; }, Kind::ConversionFailed, conversion},
      {"-1, which a byte would keep as 255", [](DrawEntry& e) { e.numberTexts[2] = "-1"; },
       Kind::ConversionFailed, conversion},
      {"Superzahl 10", [](DrawEntry& e) { e.numberTexts[7] = "10"; }, Kind::ConversionFailed,
       conversion},
      {"a number twice", [](DrawEntry& e) { e.numberTexts[5] = "3"; }, Kind::Refused,
       "Die Ziehung vom 05.12.2026 enth\xE4lt die Zahl 3 zweimal"},
      {"a letter in Spiel 77", [](DrawEntry& e) { e.spiel77Text = "99x1235"; }, Kind::Refused,
       "Die Spiel-77-Zahl der Ziehung vom 05.12.2026 hat nicht genau 7 Ziffern"},
  };
  for (const Row& row : rows) {
    const EvaluationOutcome outcome =
        EvaluateByDrawingDay(Ticket(), Typed(row.change), Day(2026, 12, 5));
    EXPECT_EQ(outcome.kind, row.kind) << row.what;
    EXPECT_EQ(outcome.message, row.message) << row.what;
    EXPECT_TRUE(outcome.lines.empty()) << row.what;
  }
}

}  // namespace
}  // namespace kw
