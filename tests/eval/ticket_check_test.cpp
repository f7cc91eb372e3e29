#include "eval/ticket_check.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/cp1252.h"
#include "tests/support/builders.h"
#include "tests/support/temp_dir.h"

namespace kw {
namespace {

using test::Day;
using test::TempDir;
using test::TicketFile;

TicketFileCheck Checked(std::vector<Date> days) {
  TicketFileCheck file;
  file.check.emplace();
  file.check->days = std::move(days);
  return file;
}

// Where a ticket stands, and which days "Ziehungen holen" asks for, by the day: the term's
// first and last drawing day are its own, the day after is not.
TEST(TicketCheckTest, StateAndFetchRangeAtTheEdgesOfTheTerm) {
  const std::vector<Date> term = {Day(2026, 12, 5), Day(2026, 12, 9), Day(2026, 12, 12)};
  struct Row {
    Date today;
    const char* state;
    std::optional<std::pair<Date, Date>> fetch;
  };
  const Row rows[] = {
      {Day(2026, 12, 4), "beginnt am 05.12.2026", std::nullopt},
      {Day(2026, 12, 5), "l\xE4uft", std::pair{Day(2026, 12, 5), Day(2026, 12, 5)}},
      {Day(2026, 12, 10), "l\xE4uft", std::pair{Day(2026, 12, 5), Day(2026, 12, 10)}},
      {Day(2026, 12, 12), "l\xE4uft", std::pair{Day(2026, 12, 5), Day(2026, 12, 12)}},
      {Day(2026, 12, 13), "abgelaufen am 12.12.2026",
       std::pair{Day(2026, 12, 5), Day(2026, 12, 12)}},
  };
  for (const Row& row : rows) {
    const std::vector<TicketFileCheck> tickets = {Checked(term)};
    EXPECT_EQ(StateText(*tickets[0].check, row.today), row.state) << FormatShortDate(row.today);
    EXPECT_EQ(FetchRange(tickets, row.today), row.fetch) << FormatShortDate(row.today);
  }
  EXPECT_EQ(StateText(*Checked({}).check, Day(2026, 12, 5)), "keine Ziehung");
}

// Several tickets: one range over all that have begun; one not read, or without a day, asks for
// nothing and is counted as not read in the sum.
TEST(TicketCheckTest, FetchRangeAndSumOverTickets) {
  TicketFileCheck unread;
  unread.reason = "Datei fehlt";
  const std::vector<TicketFileCheck> tickets = {
      Checked({Day(2026, 11, 18), Day(2026, 11, 21)}), unread, Checked({}),
      Checked({Day(2026, 12, 2), Day(2026, 12, 30)}), Checked({Day(2027, 1, 2)})};
  EXPECT_EQ(FetchRange(tickets, Day(2026, 12, 10)),
            std::pair(Day(2026, 11, 18), Day(2026, 12, 10)));
  EXPECT_EQ(FetchRange(std::span(tickets).subspan(1, 2), Day(2026, 12, 10)), std::nullopt);
  EXPECT_EQ(SumOf(tickets).unread, 1);

  // No ticket to name days: the archive up to today.
  const Date today = Day(2026, 12, 10);
  EXPECT_EQ(ArchiveFetchRange(std::nullopt, today), std::pair(Day(2026, 10, 16), today));
  EXPECT_EQ(ArchiveFetchRange(Day(2026, 12, 5), today), std::pair(Day(2026, 12, 6), today));
  EXPECT_EQ(ArchiveFetchRange(Day(2026, 12, 9), today), std::pair(today, today));
  EXPECT_EQ(ArchiveFetchRange(today, today), std::nullopt);
}

// Every answer why a file cannot be checked, as the tab, the window, the start and --check show
// it: the file's name and the reason, German, the first problem of the file only. A Losnummer
// that cannot be read does not stop the check: its first problem line names it.
TEST(TicketCheckTest, EveryRefusalNamesTheFileAndWhy) {
  TempDir dir;
  const auto none = [](Date, Date) { return std::vector<Drawing>{}; };
  const std::string good = TicketFile({"03 15 22 31 40 49"}, "4711235", "12.12.2026");
  struct Row {
    const char* name;
    std::string bytes;  // empty: no file; "/": a folder
    std::string said;   // after "Schein »<path>«"
    bool missing = false;
  };
  const Row rows[] = {
      {"weg.sch", "", ": Datei fehlt", true},
      {"ordner.sch", "/", " ist keine Schein-Datei (ein Ordner)"},
      {"gross.sch", std::string(kMaxProfileFileSize + 1, 'x'),
       " ist keine Schein-Datei (gr\xF6\xDF"
       "er als 4 MB)"},
      {"bild.sch", "\x89PNG\r\n\x1a\n[Schein", " ist keine Schein-Datei (kein Abschnitt [Schein])"},
      {"datum.sch", TicketFile({"03 15 22 31 40 49"}, "4711235", "31.02.2026"),
       ": Ablauf \xBB"
       "31.02.2026\xAB ist kein Datum"},
      {"ohne.sch", "[Schein]\r\nSpiel1=03 15 22 31 40 49 \r\n", ": Ablauf fehlt"},
      {"spiel.sch", TicketFile({"03 15 22 31 40 49", "1x 02 03 04 05 06"}, "4711235", "12.12.2026"),
       ": Spiel2 \xBB"
       "1x 02 03 04 05 06\xAB ist kein Spiel aus sechs Zahlen"},
      {"los.sch", TicketFile({"03 15 22 31 40 49"}, "12345a7", "12.12.2026"),
       ": Losnummer \xBB"
       "12345a7\xAB ist keine siebenstellige Zahl"},
      {"gut.sch", good, ""},
  };
  for (const Row& row : rows) {
    const std::string path = (dir / row.name).string();
    if (row.bytes == "/") {
      std::filesystem::create_directory(path);
    } else if (!row.bytes.empty()) {
      test::WriteFile(path, row.bytes);
    }
    const TicketFileCheck file = CheckTicketFile(path, none, Day(2026, 12, 10));
    std::string said = file.RefusalText();
    if (file.check && !ProblemLines(*file.check).empty()) {
      said = "Schein \xBB" + path + "\xAB: " + ProblemLines(*file.check).front();
    }
    EXPECT_EQ(said, row.said.empty() ? "" : "Schein \xBB" + path + "\xAB" + row.said) << row.name;
    EXPECT_EQ(file.missing, row.missing) << row.name;
    EXPECT_EQ(TicketRefusal(path, 2026), file.check ? "" : said) << row.name;
  }
}

// A day whose Spiel 77 number the archive lacks is one day in the sum, however many tickets play
// over it.
TEST(TicketCheckTest, TheSumCountsADayWithoutItsAddOnNumberOnce) {
  const Date day = Day(2026, 12, 9);
  const auto source = [&](Date, Date) {
    return std::vector<Drawing>{test::DrawingOf(day, {11, 12, 13, 14, 16, 17}, 1)};
  };
  const auto ticketOn = [&](bool spiel77) {
    TermTicket ticket;
    ticket.ticket.games[0] = {1, 2, 3, 4, 5, 6};
    ticket.ticket.lotNumber = "4711235";
    ticket.term.firstDay.value = ticket.term.lastDay = day;
    ticket.term.drawDays.value = DrawDays::Wednesday;
    ticket.term.spiel77.value = spiel77;
    return TicketFileCheck{"a.sch", CheckTicket(ticket, source, Day(2026, 12, 10)), false, {}};
  };
  for (const bool secondPlaysSpiel77 : {false, true}) {
    const std::vector<TicketFileCheck> tickets = {ticketOn(true), ticketOn(secondPlaysSpiel77)};
    const std::string line = AllTicketsLine(SumOf(tickets));
    EXPECT_TRUE(line.ends_with("; Spiel 77: Gewinnzahl fehlt an 1 Tag")) << line;
  }
}

// A Losnummer is read by its first seven digits; one without them leaves out the Superzahl (4
// right shows class VI, not V), Spiel 77 and Super 6, in the check and in the stake, and is named.
TEST(TicketCheckTest, LosnummerDecidesTheSuperzahlAndTheAddOnGames) {
  const Date day = Day(2025, 10, 1);
  Drawing drawing = test::DrawingOf(day, {3, 15, 22, 31, 40, 49}, 7, "0000067", "000067");
  const auto source = [&](Date, Date) { return std::vector<Drawing>{drawing}; };
  struct Row {
    const char* lotNumber;
    std::string problem;  // empty: none
    int prizeClass;
    bool addOns;  // Spiel 77 and Super 6 checked and paid
  };
  const std::string open = "\xBB", close = "\xAB";
  const Row rows[] = {
      {"", "Losnummer fehlt", 6, false},
      {"1", "Losnummer " + open + "1" + close + " ist keine siebenstellige Zahl", 6, false},
      {"12345a7", "Losnummer " + open + "12345a7" + close + " ist keine siebenstellige Zahl", 6,
       false},
      {"1234567", "", 5, true},
      {"123456789",
       "Losnummer " + open + "123456789" + close +
           ": gepr\xFC"
           "ft mit 1234567",
       5, true},
  };
  const std::string left =
      "nicht gepr\xFC"
      "ft (ohne Losnummer)";
  TempDir dir;
  const std::string path = (dir / "a.sch").string();
  for (const Row& row : rows) {
    test::WriteFile(path, TicketFile({"03 15 22 31 01 02"}, row.lotNumber, "01.10.2025",
                                     "Beginn=01.10.2025\r\nZiehungstage=Mittwoch\r\n"));
    const TicketFileCheck file = CheckTicketFile(path, source, Day(2026, 12, 10));
    ASSERT_TRUE(file.check) << row.lotNumber;
    const TicketCheck& check = *file.check;
    const std::vector<std::string> problems =
        row.problem.empty() ? std::vector<std::string>{} : std::vector<std::string>{row.problem};
    EXPECT_EQ(ProblemLines(check), problems) << row.lotNumber;
    ASSERT_EQ(check.term.days.size(), 1u);
    const DrawingCheck& drawn = *check.term.days[0].check;
    EXPECT_EQ(drawn.games.at(0).win.prizeClass, row.prizeClass) << row.lotNumber;
    EXPECT_EQ(drawn.spiel77.played, row.addOns) << row.lotNumber;
    EXPECT_EQ(drawn.super6.played, row.addOns) << row.lotNumber;
    // A game 1,20 €; Spiel 77 2,50 € and Super 6 1,25 € on top.
    EXPECT_EQ(check.stake.cents, row.addOns ? 495 : 120) << row.lotNumber;
    EXPECT_EQ(WithoutLotNumber(check), !row.addOns) << row.lotNumber;
    EXPECT_TRUE(
        TermLine(check).ends_with(row.addOns ? "Spiel 77: ja (angenommen), Super 6: ja (angenommen)"
                                             : "Spiel 77: " + left + ", Super 6: " + left))
        << TermLine(check);
  }
}

}  // namespace
}  // namespace kw
