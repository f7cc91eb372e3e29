#include "commands/commands.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "archive/archive.h"
#include "core/cp1252.h"
#include "eval/ticket_check.h"
#include "tests/support/builders.h"
#include "tests/support/captured_output.h"
#include "tests/support/temp_dir.h"

namespace kw {
namespace {

using test::Capture;
using test::Outcome;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

Drawing SaturdayWith(int day, std::array<uint8_t, 6> numbers, uint8_t superzahl) {
  return test::DrawingOf(test::Day(2026, 12, day), numbers, superzahl, "9911235", "000235",
                         {{PrizeGame::Lotto, 7, 1000, 1260}});
}

class Commands : public testing::Test {
 protected:
  std::filesystem::path Archive() const { return dir / "Ziehungen.sqlite"; }
  std::string Ticket(const std::string& keys, const std::string& lotNumber = "4711235") const {
    const std::string path = (dir / "t.sch").string();
    WriteFile(path, "[Schein]\r\nSpiel3=03 15 22 40 45 46 \r\nLosnummer=" + lotNumber +
                        "\r\nAblauf=19.12.2026\r\n" + keys);
    return path;
  }
  TempDir dir;
};

TEST_F(Commands, ImportPrintsItsResultAndRefusesABadFileWithItsLine) {
  WriteFile(dir / "z.csv",
            "date,n1,n2,n3,n4,n5,n6,superzahl\n2026-12-05,3,15,22,31,41,49,5\n"
            "2026-12-09,1,2,3,4,5,6,0\n");
  Outcome run = Capture(
      [&](auto out, auto err) { return ImportDrawsCommand(dir / "z.csv", Archive(), out, err); });
  EXPECT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(run.out, "2 Ziehungen gelesen: 2 neu, 0 schon im Archiv\n");

  WriteFile(dir / "bad.csv",
            "date,n1,n2,n3,n4,n5,n6,superzahl\n2026-12-12,3,15,22,31,41,49,5\n2026-12-16,1,2\n");
  run = Capture(
      [&](auto out, auto err) { return ImportDrawsCommand(dir / "bad.csv", Archive(), out, err); });
  EXPECT_EQ(run.code, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err.find("Zeile 3"), std::string::npos) << run.err;
  EXPECT_EQ(DrawingArchive(Archive()).Count(), 2) << "nothing of the refused file is stored";
}

TEST_F(Commands, ExportWritesTheArchiveAndSaysWhenItCannot) {
  DrawingArchive(Archive()).Store({SaturdayWith(5, {3, 15, 22, 31, 41, 49}, 5)}, "Test");
  Outcome run = Capture(
      [&](auto out, auto err) { return ExportDrawsCommand(dir / "out.csv", Archive(), out, err); });
  EXPECT_EQ(run.code, 0) << run.err;
  EXPECT_NE(ReadFile(dir / "out.csv").find("05.12.2026;Samstag;3;15;22;31;41;49;;5;9911235;000235"),
            std::string::npos);

  WriteFile(dir / "plain", "x");
  run = Capture([&](auto out, auto err) {
    return ExportDrawsCommand(dir / "plain" / "out.csv", Archive(), out, err);
  });
  EXPECT_EQ(run.code, 1);
  EXPECT_TRUE(run.err.starts_with("kreuzwart: ")) << run.err;
}

TEST_F(Commands, CheckPrintsTheTermDayByDayWithItsTotal) {
  DrawingArchive(Archive()).Store(
      {SaturdayWith(5, {3, 15, 22, 31, 41, 49}, 5), SaturdayWith(12, {1, 2, 4, 5, 6, 7}, 0)},
      "Test");
  const std::string ticket = Ticket("Beginn=05.12.2026\r\nZiehungstage=Samstag\r\nSuper6=nein\r\n");
  const Outcome run = Capture([&](auto out, auto err) {
    return CheckCommand({ticket}, Archive(), Date::FromYmd(2026, 12, 15), out, err);
  });
  EXPECT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out,
            "Laufzeit: 05.12.2026 bis 19.12.2026, Ziehungstage: Samstag, Spiel 77: ja "
            "(angenommen), Super 6: nein\n"
            "Sa 05.12.2026: 3 15 22 31 41 49, Superzahl 5\n"
            "  Spiel 3: 3 Richtige + Superzahl, Gewinnklasse VII, 12,60 \u20ac\n"
            "  Spiel 77: 5 Endziffern, Gewinnklasse III, 7.777,00 \u20ac\n"
            "Sa 12.12.2026: 1 2 4 5 6 7, Superzahl 0\n"
            "  Spiel 77: 5 Endziffern, Gewinnklasse III, 7.777,00 \u20ac\n"
            "Sa 19.12.2026: noch nicht gezogen\n"
            "Gewinn insgesamt: 15.566,60 \u20ac\n"
            "Einsatz ohne Bearbeitungsgeb\u00fchr: 11,10 \u20ac\n");
}

TEST_F(Commands, CheckWithoutArchiveFindsEveryDayMissingAndCreatesNone) {
  const std::string ticket = Ticket("Ziehungstage=Mittwoch\r\nBeginn=irgendwann\r\n");
  const Outcome run = Capture([&](auto out, auto err) {
    return CheckCommand({ticket}, Archive(), Date::FromYmd(2027, 1, 1), out, err);
  });
  EXPECT_EQ(run.code, 0);
  EXPECT_EQ(run.out,
            "Laufzeit: 16.12.2026 (angenommen) bis 19.12.2026, Ziehungstage: Mittwoch, Spiel 77: "
            "ja (angenommen), Super 6: ja (angenommen)\n"
            "Mi 16.12.2026: fehlt im Archiv\n"
            "Gewinn insgesamt: 0,00 \u20ac; 1 Ziehung fehlt im Archiv\n"
            "Einsatz ohne Bearbeitungsgeb\u00fchr: 4,95 \u20ac\n");
  // The setting named as the tab names it.
  EXPECT_EQ(run.err,
            "kreuzwart: Erste Ziehung: \"irgendwann\" ist kein Datum der Form TT.MM.JJJJ\n");
  EXPECT_FALSE(std::filesystem::exists(Archive()));
}

// What the check leaves out is said once on standard error, as the eval names it; the term
// line does not claim the add-on games for a ticket without a Losnummer.
TEST_F(Commands, CheckNamesWhatItLeavesOutOnce) {
  const struct {
    std::string keys;
    std::string err;
  } cases[] = {
      {"Super6=vielleicht\r\n",
       "kreuzwart: Super 6: \"vielleicht\" ist weder \"ja\" noch \"nein\"\n"},
      {"System4=13 13 14 15 16 17 18\r\n",
       "kreuzwart: System 4: die 13 steht zweimal, nicht ausgewertet\n"},
  };
  for (const auto& c : cases) {
    const std::string ticket = Ticket(c.keys);
    const Outcome run = Capture([&](auto out, auto err) {
      return CheckCommand({ticket}, Archive(), Date::FromYmd(2026, 12, 15), out, err);
    });
    EXPECT_EQ(run.code, 0) << c.keys;
    EXPECT_EQ(run.err, c.err) << c.keys;
  }
  const Outcome run = Capture([&](auto out, auto err) {
    return CheckCommand({Ticket("", "")}, Archive(), Date::FromYmd(2026, 12, 15), out, err);
  });
  const auto none = [](Date, Date) { return std::vector<Drawing>{}; };
  const std::optional<TicketCheck> check =
      CheckTicketFile(Ticket("", ""), none, Date::FromYmd(2026, 12, 15)).check;
  ASSERT_TRUE(check);
  EXPECT_TRUE(run.out.starts_with(Cp1252ToUtf8(TermLine(*check)) + "\n")) << run.out;
}

// Several tickets: each under its name, one that cannot be read among them, and the sum of the
// others; the exit code says that one failed.
TEST_F(Commands, CheckOfSeveralTicketsEndsWithTheSumOfThoseItCouldRead) {
  DrawingArchive(Archive()).Store({SaturdayWith(5, {3, 15, 22, 31, 41, 49}, 5)}, "Test");
  const std::string a = Ticket("Beginn=05.12.2026\r\nZiehungstage=Samstag\r\nSuper6=nein\r\n");
  const std::string missing = (dir / "weg.sch").string();
  const Outcome run = Capture([&](auto out, auto err) {
    return CheckCommand({a, missing, a}, Archive(), Date::FromYmd(2026, 12, 8), out, err);
  });
  EXPECT_EQ(run.code, 1);
  EXPECT_EQ(run.err, "kreuzwart: Schein \u00bb" + missing + "\u00ab: Datei fehlt\n");
  EXPECT_TRUE(run.out.starts_with("Schein: " + a + "\nLaufzeit: ")) << run.out;
  EXPECT_NE(run.out.find("\nSchein: " + missing + "\nSchein: " + a + "\n"), std::string::npos)
      << run.out;
  // Two of 7.789,60 € won, each for three Saturdays of a game and Spiel 77 at 3,70 €.
  EXPECT_TRUE(
      run.out.ends_with("\nAlle Scheine: Einsatz ohne Bearbeitungsgeb\u00fchr 22,20 "
                        "\u20ac, Gewinn 15.579,20 \u20ac (1 Schein nicht gelesen)\n"))
      << run.out;
}

TEST_F(Commands, CheckFailsForATicketOrAnArchiveItCannotRead) {
  Outcome run = Capture([&](auto out, auto err) {
    return CheckCommand({(dir / "none.sch").string()}, Archive(), Date::FromYmd(2026, 12, 15), out,
                        err);
  });
  EXPECT_EQ(run.code, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err,
            "kreuzwart: Schein \u00bb" + (dir / "none.sch").string() + "\u00ab: Datei fehlt\n");
  // A file that is there but no ticket: the ticket check's own refusal, in UTF-8.
  const std::string badDate = (dir / "datum.sch").string();
  WriteFile(badDate, test::TicketFile({"03 15 22 31 40 49"}, "4711235", "31.02.2026"));
  run = Capture([&](auto out, auto err) {
    return CheckCommand({badDate}, Archive(), Date::FromYmd(2026, 12, 15), out, err);
  });
  EXPECT_EQ(run.code, 1);
  EXPECT_EQ(run.err, "kreuzwart: " + Cp1252ToUtf8(TicketRefusal(badDate, 2026)) + "\n");

  WriteFile(Archive(), "keine Datenbank, nur Text, der lang genug ist, um wie eine Datei zu sein");
  const std::string before = ReadFile(Archive());
  run = Capture([&](auto out, auto err) {
    return CheckCommand({Ticket("")}, Archive(), Date::FromYmd(2026, 12, 15), out, err);
  });
  EXPECT_EQ(run.code, 1);
  EXPECT_NE(run.err.find(Archive().string()), std::string::npos) << run.err;
  EXPECT_EQ(ReadFile(Archive()), before);
}

}  // namespace
}  // namespace kw
