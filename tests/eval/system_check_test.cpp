// Full systems in today's check: every row counted as if played alone, and never expanded.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "eval/today_check.h"
#include "eval/today_report.h"

namespace kw {
namespace {

using Lines = std::vector<std::string>;
using Numbers = std::vector<uint8_t>;

const Date k2012 = Date::FromYmd(2012, 6, 2);  // Zusatzzahl plan, Saturday
const Date k2021 = Date::FromYmd(2021, 6, 5);  // Superzahl plan, class IX 6 euro

// The numbers 1 to 6 drawn; 7 is the Zusatzzahl where one is drawn.
Drawing DrawingOf(Date date, std::optional<uint8_t> superzahl,
                  std::optional<uint8_t> zusatzzahl = std::nullopt) {
  Drawing drawing;
  drawing.date = date;
  drawing.numbers = {4, 1, 6, 2, 5, 3};
  drawing.superzahl = superzahl;
  drawing.zusatzzahl = zusatzzahl;
  return drawing;
}

// A system of n numbers holding k of the drawn 1 to 6, then 7 (the Zusatzzahl, where one is
// drawn) and 8, 9 ... for the rest.
Numbers SystemOf(int n, int k) {
  Numbers numbers;
  for (int i = 1; i <= k; ++i) numbers.push_back(static_cast<uint8_t>(i));
  for (int i = 0; i < n - k; ++i) numbers.push_back(static_cast<uint8_t>(7 + i));
  return numbers;
}

// The lot number's last digit 5 is the Superzahl digit of every row.
TicketPlay TicketOf(std::vector<Numbers> systems, std::string lotNumber = "1234565") {
  TicketPlay ticket;
  for (std::size_t s = 0; s < systems.size(); ++s) {
    ticket.systems[s] = ReadSystems({FormatSystemValue(systems[s]), "", "", ""})[0];
  }
  ticket.lotNumber = std::move(lotNumber);
  return ticket;
}

// The rows of each kind of hit, highest first: {hits, rows}.
std::vector<std::pair<int, int64_t>> RowsByHits(const SystemCheck& check) {
  std::vector<std::pair<int, int64_t>> rows;
  for (const SystemWin& win : check.wins) rows.emplace_back(win.hits, win.rows);
  return rows;
}

// Today every row with two right or more and the Superzahl wins: the rows by hits show whole.
TEST(SystemCheckTest, ThePublishedChecks) {
  const struct {
    int n;
    int k;
    std::vector<std::pair<int, int64_t>> rows;
  } cases[] = {
      {8, 6, {{6, 1}, {5, 12}, {4, 15}}}, {8, 5, {{5, 3}, {4, 15}, {3, 10}}},
      {8, 4, {{4, 6}, {3, 16}, {2, 6}}},  {10, 6, {{6, 1}, {5, 24}, {4, 90}, {3, 80}, {2, 15}}},
      {7, 5, {{5, 2}, {4, 5}}},
  };
  for (const auto& c : cases) {
    const DrawingCheck check = CheckDrawing(TicketOf({SystemOf(c.n, c.k)}), DrawingOf(k2021, 5));
    ASSERT_EQ(check.systems.size(), 1u);
    EXPECT_EQ(check.systems[0].size, c.n);
    EXPECT_EQ(check.systems[0].drawn, c.k);
    EXPECT_EQ(RowsByHits(check.systems[0]), c.rows) << c.n << " with " << c.k;
  }
}

TEST(SystemCheckTest, OneLinePerClassWithTheAmountOfEachRowAndOfAll) {
  Drawing drawing = DrawingOf(k2021, 5);
  drawing.quotas = {{PrizeGame::Lotto, 7, 120000, 1170}};
  const TicketPlay ticket = TicketOf({SystemOf(7, 3), SystemOf(8, 6)});
  const DrawingCheck check = CheckDrawing(ticket, drawing);
  EXPECT_EQ(DrawingReportLines(check),
            (Lines{
                "System 1 (007): 4 \xD7 3 Richtige + Superzahl, Gewinnklasse VII, je 11,70 \x80, "
                "zusammen 46,80 \x80",
                "System 1 (007): 3 \xD7 2 Richtige + Superzahl, Gewinnklasse IX, je 6,00 \x80, "
                "zusammen 18,00 \x80",
                "System 2 (008): 1 \xD7 6 Richtige + Superzahl, Gewinnklasse I, Quote noch nicht "
                "bekannt",
                "System 2 (008): 12 \xD7 5 Richtige + Superzahl, Gewinnklasse III, Quote noch "
                "nicht bekannt",
                "System 2 (008): 15 \xD7 4 Richtige + Superzahl, Gewinnklasse V, Quote noch nicht "
                "bekannt",
                "Gewinn insgesamt: 64,80 \x80 (dazu 28 Gewinne mit noch unbekannter Quote)",
            }));
  EXPECT_EQ(check.totals, (CheckTotals{6480, 28, 0, 0}));
}

// The Superzahl is the ticket's for every row alike: it moves all rows of the same hits into
// the class with it, or none. Before May 2013 it decides only between I and II.
TEST(SystemCheckTest, TheSuperzahlMovesEveryRowOfTheSameHits) {
  const struct {
    Drawing drawing;
    std::string lotNumber;
    Lines lines;
  } cases[] = {
      {DrawingOf(k2021, 4),
       "1234565",
       {"System 1 (009): 1 \xD7 6 Richtige, Gewinnklasse II, Quote noch nicht bekannt",
        "System 1 (009): 18 \xD7 5 Richtige, Gewinnklasse IV, Quote noch nicht bekannt",
        "System 1 (009): 45 \xD7 4 Richtige, Gewinnklasse VI, Quote noch nicht bekannt",
        "System 1 (009): 20 \xD7 3 Richtige, Gewinnklasse VIII, Quote noch nicht bekannt"}},
      {DrawingOf(k2021, 5),
       "123456",  // no Superzahl digit, whatever is drawn
       {"System 1 (009): 1 \xD7 6 Richtige, Gewinnklasse II, Quote noch nicht bekannt",
        "System 1 (009): 18 \xD7 5 Richtige, Gewinnklasse IV, Quote noch nicht bekannt",
        "System 1 (009): 45 \xD7 4 Richtige, Gewinnklasse VI, Quote noch nicht bekannt",
        "System 1 (009): 20 \xD7 3 Richtige, Gewinnklasse VIII, Quote noch nicht bekannt"}},
      {DrawingOf(k2021, std::nullopt),
       "1234565",
       {"System 1 (009): 1 \xD7 6 Richtige, Gewinnklasse nicht bekannt",
        "System 1 (009): 18 \xD7 5 Richtige, Gewinnklasse nicht bekannt",
        "System 1 (009): 45 \xD7 4 Richtige, Gewinnklasse nicht bekannt",
        "System 1 (009): 20 \xD7 3 Richtige, Gewinnklasse nicht bekannt"}},
      {DrawingOf(k2012, 5, 49),
       "1234565",
       {"System 1 (009): 1 \xD7 6 Richtige + Superzahl, Gewinnklasse I, Quote noch nicht "
        "bekannt",
        "System 1 (009): 18 \xD7 5 Richtige, Gewinnklasse IV, Quote noch nicht bekannt",
        "System 1 (009): 45 \xD7 4 Richtige, Gewinnklasse VI, Quote noch nicht bekannt",
        "System 1 (009): 20 \xD7 3 Richtige, Gewinnklasse VIII, Quote noch nicht bekannt"}},
  };
  for (const auto& c : cases) {
    Lines lines =
        DrawingReportLines(CheckDrawing(TicketOf({SystemOf(9, 6)}, c.lotNumber), c.drawing));
    lines.pop_back();
    EXPECT_EQ(lines, c.lines) << FormatShortDate(c.drawing.date) << " " << c.lotNumber;
  }
}

// Before May 2013, when the Zusatzzahl is one of the system's numbers not drawn, it splits the
// rows of each hits into those holding it and the rest.
TEST(SystemCheckTest, TheZusatzzahlSplitsTheRowsBefore2013) {
  Drawing drawing = DrawingOf(k2012, 0, 7);
  drawing.quotas = {{PrizeGame::Lotto, 5, 5000, 3000},
                    {PrizeGame::Lotto, 6, 80000, 4000},
                    {PrizeGame::Lotto, 7, 100000, 2500},
                    {PrizeGame::Lotto, 8, 900000, 1000}};
  const DrawingCheck held = CheckDrawing(TicketOf({SystemOf(8, 4)}), drawing);
  EXPECT_TRUE(held.systems[0].zusatzzahl);
  EXPECT_EQ(DrawingReportLines(held),
            (Lines{
                "System 1 (008): 3 \xD7 4 Richtige + Zusatzzahl, Gewinnklasse V, je 30,00 \x80, "
                "zusammen 90,00 \x80",
                "System 1 (008): 3 \xD7 4 Richtige, Gewinnklasse VI, je 40,00 \x80, zusammen "
                "120,00 \x80",
                "System 1 (008): 12 \xD7 3 Richtige + Zusatzzahl, Gewinnklasse VII, je 25,00 "
                "\x80, zusammen 300,00 \x80",
                "System 1 (008): 4 \xD7 3 Richtige, Gewinnklasse VIII, je 10,00 \x80, zusammen "
                "40,00 \x80",
                "Gewinn insgesamt: 550,00 \x80",
            }));
  // Without the Zusatzzahl among its numbers no row holds it; the same rows by hits.
  drawing.zusatzzahl = 49;
  const DrawingCheck apart = CheckDrawing(TicketOf({SystemOf(8, 4)}), drawing);
  EXPECT_FALSE(apart.systems[0].zusatzzahl);
  EXPECT_EQ(RowsByHits(apart.systems[0]), (std::vector<std::pair<int, int64_t>>{{4, 6}, {3, 16}}));
  EXPECT_EQ(apart.totals.cents, 6 * 4000 + 16 * 1000);
  // A drawing of that time without its Zusatzzahl: the classes of 3 to 5 right are not known.
  drawing.zusatzzahl.reset();
  EXPECT_EQ(CheckDrawing(TicketOf({SystemOf(8, 4)}), drawing).totals, (CheckTotals{0, 0, 0, 22}));
}

TEST(SystemCheckTest, AFieldThatIsNoFullSystemIsNamedAndNeverWins) {
  TicketPlay ticket = TicketOf({SystemOf(8, 6)});
  ticket.systems[2] = ReadSystems({"", "", "01 02 03 04 05 06 13 13", ""})[2];
  ticket.systems[3].numbers = {1, 2, 3, 4, 5, 6};  // a hand-made play: six numbers are a game
  const DrawingCheck check = CheckDrawing(ticket, DrawingOf(k2021, 5));
  ASSERT_EQ(check.systems.size(), 3u);
  EXPECT_FALSE(check.systems[1].valid);
  EXPECT_TRUE(check.systems[1].wins.empty());
  const Lines lines = DrawingReportLines(check);
  EXPECT_EQ(lines[3], "System 3: nicht ausgewertet (die 13 steht zweimal)");
  EXPECT_EQ(lines[4],
            "System 4: nicht ausgewertet (keine 7 bis 16 verschiedenen Zahlen von 1 "
            "bis 49)");
  EXPECT_EQ(check.totals.awaitingQuota, 28);

  EXPECT_EQ(DrawingReportLines(CheckDrawing(TicketOf({SystemOf(8, 1)}), DrawingOf(k2021, 4))),
            (Lines{"kein Gewinn", "Gewinn insgesamt: 0,00 \x80"}));
}

// Every row of the system as a game of its own, checked twelve at a time like the games of a
// ticket: what they won, class by class, and their totals.
struct Expanded {
  std::map<std::tuple<int, Extra, Win::Kind, int, int64_t>, int64_t> rows;
  CheckTotals totals;
};

Expanded ExpandedCheck(const Numbers& system, const Drawing& drawing) {
  Expanded expanded;
  std::vector<Game> games;
  std::vector<bool> pick(system.size(), false);
  std::fill(pick.end() - 6, pick.end(), true);
  do {
    Game game{};
    std::size_t at = 0;
    for (std::size_t i = 0; i < system.size(); ++i) {
      if (pick[i]) game[at++] = system[i];
    }
    games.push_back(game);
  } while (std::next_permutation(pick.begin(), pick.end()));
  for (std::size_t first = 0; first < games.size(); first += kGameCount) {
    TicketPlay ticket;
    ticket.lotNumber = "1234565";
    for (std::size_t g = 0; g < kGameCount && first + g < games.size(); ++g) {
      ticket.games[g] = games[first + g];
    }
    const DrawingCheck check = CheckDrawing(ticket, drawing);
    for (const GameCheck& game : check.games) {
      if (game.win.kind == Win::Kind::None) continue;
      ++expanded
            .rows[{game.hits, game.counted, game.win.kind, game.win.prizeClass, game.win.cents}];
    }
    expanded.totals += check.totals;
  }
  return expanded;
}

class CountedAgainstExpandedTest : public ::testing::TestWithParam<std::tuple<int, int>> {};

TEST_P(CountedAgainstExpandedTest, EveryRowAsIfPlayedAlone) {
  const auto [n, k] = GetParam();
  Drawing today = DrawingOf(k2021, 5);
  Drawing zusatzzahl = DrawingOf(k2012, 5, 7);  // one of the system's numbers where n > k
  for (Drawing* drawing : {&today, &zusatzzahl}) {
    for (int prizeClass = 1; prizeClass <= 8; ++prizeClass) {
      if (prizeClass % 3 != 0)
        drawing->quotas.push_back({PrizeGame::Lotto, prizeClass, 10, 100 * prizeClass});
    }
  }
  for (const Drawing& drawing : {today, zusatzzahl}) {
    SCOPED_TRACE(FormatShortDate(drawing.date));
    const Numbers system = SystemOf(n, k);
    const DrawingCheck counted = CheckDrawing(TicketOf({system}), drawing);
    Expanded fromCounts;
    for (const SystemWin& win : counted.systems.at(0).wins) {
      fromCounts.rows[{win.hits, win.counted, win.win.kind, win.win.prizeClass, win.win.cents}] +=
          win.rows;
    }
    const Expanded expanded = ExpandedCheck(system, drawing);
    EXPECT_EQ(fromCounts.rows, expanded.rows);
    EXPECT_EQ(counted.totals, expanded.totals);
  }
}

INSTANTIATE_TEST_SUITE_P(EveryFullSystemAndEveryDrawnCount, CountedAgainstExpandedTest,
                         ::testing::Combine(::testing::Range(kFewestSystemNumbers,
                                                             kMostSystemNumbers + 1),
                                            ::testing::Range(0, kNumbersPerGame + 1)),
                         [](const auto& info) {
                           return "n" + std::to_string(std::get<0>(info.param)) + "_k" +
                                  std::to_string(std::get<1>(info.param));
                         });

}  // namespace
}  // namespace kw
