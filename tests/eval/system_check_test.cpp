// Full systems in today's check: every row counted as if played alone, and never expanded.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <tuple>

#include "eval/today_check.h"
#include "eval/today_report.h"

namespace kw {
namespace {

using Lines = std::vector<std::string>;
using Numbers = std::vector<uint8_t>;
using Quotas = std::vector<Quota>;

const Date k2012 = Date::FromYmd(2012, 6, 2);  // Zusatzzahl plan
const Date k2021 = Date::FromYmd(2021, 6, 5);  // Superzahl plan, class IX 6 euro

// 1 to 6 drawn; 7 the Zusatzzahl where one is drawn. The ticket's Superzahl digit is 5.
Drawing DrawingOf(Date date, uint8_t superzahl, std::optional<uint8_t> zusatzzahl,
                  Quotas quotas = {}) {
  return {date, {4, 1, 6, 2, 5, 3}, zusatzzahl, superzahl, {}, {}, std::move(quotas)};
}

// n numbers holding k of the drawn ones, then 7 (the Zusatzzahl where drawn), 8, 9 ...
Numbers SystemOf(int n, int k) {
  Numbers numbers;
  for (int i = 1; i <= n; ++i) numbers.push_back(static_cast<uint8_t>(i <= k ? i : 6 + i - k));
  return numbers;
}

TicketPlay TicketOf(const std::string& system) {
  TicketPlay ticket;
  ticket.lotNumber = "1234565";
  ticket.systems = ReadSystems({system, "", "", ""});
  return ticket;
}

TEST(SystemCheckTest, ThePublishedChecks) {
  const struct {
    int n, k;
    std::vector<std::pair<int, int64_t>> rows;  // {hits, rows}
  } cases[] = {
      {8, 6, {{6, 1}, {5, 12}, {4, 15}}}, {8, 5, {{5, 3}, {4, 15}, {3, 10}}},
      {8, 4, {{4, 6}, {3, 16}, {2, 6}}},  {10, 6, {{6, 1}, {5, 24}, {4, 90}, {3, 80}, {2, 15}}},
      {7, 5, {{5, 2}, {4, 5}}},
  };
  for (const auto& c : cases) {
    // With the Superzahl every row of two right and more wins today: the rows show whole.
    const DrawingCheck check = CheckDrawing(TicketOf(FormatSystemValue(SystemOf(c.n, c.k))),
                                            DrawingOf(k2021, 5, std::nullopt));
    std::vector<std::pair<int, int64_t>> rows;
    for (const SystemWin& win : check.systems.at(0).wins) rows.emplace_back(win.hits, win.rows);
    EXPECT_EQ(rows, c.rows) << c.n << " with " << c.k;
  }
}

TEST(SystemCheckTest, OneLinePerClassWithItsRowsAndTheTotalCountsEveryRow) {
  const Quotas quotas = {{PrizeGame::Lotto, 5, 9, 3000},
                         {PrizeGame::Lotto, 6, 9, 4000},
                         {PrizeGame::Lotto, 7, 9, 1170},
                         {PrizeGame::Lotto, 8, 9, 1000}};
  const struct {
    const char* name;
    std::string system;
    Drawing drawing;
    Lines lines;
  } cases[] = {
      {"today with the Superzahl",
       "1 2 3 7 8 9 10",
       DrawingOf(k2021, 5, std::nullopt, quotas),
       {"System 1 (007): 4 \xD7 3 Richtige + Superzahl, Gewinnklasse VII, je 11,70 \x80, "
        "zusammen 46,80 \x80",
        "System 1 (007): 3 \xD7 2 Richtige + Superzahl, Gewinnklasse IX, je 6,00 \x80, "
        "zusammen 18,00 \x80",
        "Gewinn insgesamt: 64,80 \x80"}},
      // Without the ticket's Superzahl every row of the same hits moves to the class below.
      {"today without the Superzahl",
       "1 2 3 4 5 6 7 8 9",
       DrawingOf(k2021, 4, std::nullopt),
       {"System 1 (009): 1 \xD7 6 Richtige, Gewinnklasse II, Quote noch nicht bekannt",
        "System 1 (009): 18 \xD7 5 Richtige, Gewinnklasse IV, Quote noch nicht bekannt",
        "System 1 (009): 45 \xD7 4 Richtige, Gewinnklasse VI, Quote noch nicht bekannt",
        "System 1 (009): 20 \xD7 3 Richtige, Gewinnklasse VIII, Quote noch nicht bekannt",
        "Gewinn insgesamt: 0,00 \x80 (dazu 84 Gewinne mit noch unbekannter Quote)"}},
      // The Zusatzzahl 7 is the system's: 3 of the 6 rows with four right hold it, 12 of 16
      // with three.
      {"2012 with the Zusatzzahl",
       "1 2 3 4 7 8 9 10",
       DrawingOf(k2012, 0, 7, quotas),
       {"System 1 (008): 3 \xD7 4 Richtige + Zusatzzahl, Gewinnklasse V, je 30,00 \x80, "
        "zusammen 90,00 \x80",
        "System 1 (008): 3 \xD7 4 Richtige, Gewinnklasse VI, je 40,00 \x80, zusammen 120,00 \x80",
        "System 1 (008): 12 \xD7 3 Richtige + Zusatzzahl, Gewinnklasse VII, je 11,70 \x80, "
        "zusammen 140,40 \x80",
        "System 1 (008): 4 \xD7 3 Richtige, Gewinnklasse VIII, je 10,00 \x80, zusammen 40,00 \x80",
        "Gewinn insgesamt: 390,40 \x80"}},
      {"2012, the Zusatzzahl not the system's",
       "1 2 3 4 49 8 9 10",
       DrawingOf(k2012, 0, 7, quotas),
       {"System 1 (008): 6 \xD7 4 Richtige, Gewinnklasse VI, je 40,00 \x80, zusammen 240,00 \x80",
        "System 1 (008): 16 \xD7 3 Richtige, Gewinnklasse VIII, je 10,00 \x80, zusammen "
        "160,00 \x80",
        "Gewinn insgesamt: 400,00 \x80"}},
      // No plan known: the rows of three right, with and without the Zusatzzahl, are one line.
      {"1995, no plan known",
       "1 2 3 7 8 9 10 11",
       DrawingOf(Date::FromYmd(1995, 1, 7), 0, 7),
       {"System 1 (008): 10 \xD7 3 Richtige, Gewinnklasse nicht bekannt",
        "Gewinn insgesamt: 0,00 \x80 (dazu 10 Spiele mit unbekannter Gewinnklasse)"}},
      {"no full system",
       "1 2 3 4 5 6 13 13",
       DrawingOf(k2021, 5, std::nullopt),
       {"System 1: nicht ausgewertet (die 13 steht zweimal)", "kein Gewinn",
        "Gewinn insgesamt: 0,00 \x80"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DrawingReportLines(CheckDrawing(TicketOf(c.system), c.drawing)), c.lines) << c.name;
  }
}

// Every row as a game of its own, checked twelve at a time like a ticket's games, against the
// counted rows: each kind of win and the totals.
using Kinds = std::map<std::tuple<int, Extra, Win::Kind, int, int64_t>, int64_t>;

class CountedAgainstExpandedTest : public ::testing::TestWithParam<std::tuple<int, int>> {};

TEST_P(CountedAgainstExpandedTest, EveryRowAsIfPlayedAlone) {
  const auto [n, k] = GetParam();
  const Numbers system = SystemOf(n, k);
  Quotas quotas;  // some classes paid, the others pending
  for (int c = 1; c <= 8; ++c) {
    if (c % 3) quotas.push_back({PrizeGame::Lotto, c, 10, 100 * c});
  }
  for (const Drawing& drawing :
       {DrawingOf(k2021, 5, std::nullopt, quotas), DrawingOf(k2012, 5, 7, quotas)}) {
    const DrawingCheck counted = CheckDrawing(TicketOf(FormatSystemValue(system)), drawing);
    Kinds fromCounts;
    for (const SystemWin& w : counted.systems.at(0).wins) {
      fromCounts[{w.hits, w.counted, w.win.kind, w.win.prizeClass, w.win.cents}] += w.rows;
    }
    Kinds expanded;
    CheckTotals expandedTotals;
    std::vector<bool> pick(system.size(), false);
    std::fill(pick.end() - kNumbersPerGame, pick.end(), true);
    TicketPlay games;
    games.lotNumber = "1234565";
    int g = 0;
    bool more = true;
    while (more) {
      std::size_t at = 0;
      for (std::size_t i = 0; i < system.size(); ++i) {
        if (pick[i]) games.games[g][at++] = system[i];
      }
      more = std::next_permutation(pick.begin(), pick.end());
      if (++g < kGameCount && more) continue;
      const DrawingCheck check = CheckDrawing(games, drawing);
      for (const GameCheck& r : check.games) {
        if (r.win.kind != Win::Kind::None) {
          ++expanded[{r.hits, r.counted, r.win.kind, r.win.prizeClass, r.win.cents}];
        }
      }
      expandedTotals += check.totals;
      games.games = Games{};
      g = 0;
    }
    EXPECT_EQ(fromCounts, expanded) << FormatShortDate(drawing.date);
    EXPECT_EQ(counted.totals, expandedTotals) << FormatShortDate(drawing.date);
  }
}

INSTANTIATE_TEST_SUITE_P(EverySystemEveryDrawnCount, CountedAgainstExpandedTest,
                         ::testing::Combine(::testing::Range(kFewestSystemNumbers,
                                                             kMostSystemNumbers + 1),
                                            ::testing::Range(0, kNumbersPerGame + 1)));

}  // namespace
}  // namespace kw
