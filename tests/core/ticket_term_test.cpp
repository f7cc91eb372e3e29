#include "core/ticket_term.h"

#include <gtest/gtest.h>

#include "core/error.h"
#include "core/ticket_file.h"
#include "tests/support/temp_dir.h"

namespace kw {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

const Date kSaturday19 = Date::FromYmd(2026, 12, 19);

TicketTerm TermOf(const std::string& keys, Date expiry = kSaturday19) {
  return ReadTicketTerm(Profile::Parse("[Schein]\r\n" + keys), expiry);
}

std::vector<Date> Days(std::initializer_list<int> decemberDays) {
  std::vector<Date> days;
  for (int d : decemberDays) days.push_back(Date::FromYmd(2026, 12, d));
  return days;
}

TEST(TicketTerm, AFileWithoutTheKeysPlaysTheWeekUpToItsExpiry) {
  const TicketTerm term = TermOf("Ablauf=19.12.2026\r\n");
  EXPECT_EQ(term.firstDay.value, Date::FromYmd(2026, 12, 16));
  EXPECT_EQ(term.drawDays.value, DrawDays::Both);
  EXPECT_TRUE(term.spiel77.value);
  EXPECT_TRUE(term.super6.value);
  EXPECT_TRUE(term.firstDay.assumed && term.drawDays.assumed && term.spiel77.assumed &&
              term.super6.assumed);
  EXPECT_EQ(TermDrawingDays(term), Days({16, 19}));
  EXPECT_EQ(TermLine(term),
            "Laufzeit: 16.12.2026 (angenommen) bis 19.12.2026, Ziehungstage: Mittwoch und Samstag "
            "(angenommen), Spiel 77: ja (angenommen), Super 6: ja (angenommen)");
}

TEST(TicketTerm, TheAssumedWeekStartsOnItsFirstDayPlayed) {
  // Expiry on a Wednesday, Saturdays only: the week 10.12 to 16.12 holds the 12th.
  const TicketTerm term = TermOf("Ziehungstage=Samstag\r\n", Date::FromYmd(2026, 12, 16));
  EXPECT_EQ(term.firstDay.value, Date::FromYmd(2026, 12, 12));
  EXPECT_EQ(TermDrawingDays(term), Days({12}));
  // Expiry on a Saturday: the Wednesday before it belongs to the week.
  EXPECT_EQ(TermDrawingDays(TermOf("", Date::FromYmd(2026, 12, 12))), Days({9, 12}));
  // The expiry itself the only day played: the term is that day.
  EXPECT_EQ(TermOf("Ziehungstage=Samstag\r\n").firstDay.value, kSaturday19);
}

TEST(TicketTerm, TheKeysOfTheFileCount) {
  const TicketTerm term =
      TermOf("Beginn=14.11.2026\r\nZiehungstage=Samstag\r\nSpiel77=nein\r\nSuper6=JA\r\n");
  EXPECT_FALSE(term.firstDay.assumed || term.drawDays.assumed || term.spiel77.assumed ||
               term.super6.assumed);
  EXPECT_FALSE(term.spiel77.value);
  EXPECT_TRUE(term.super6.value) << "letter case does not matter";
  const std::vector<Date> days = TermDrawingDays(term);
  ASSERT_EQ(days.size(), 6u);
  EXPECT_EQ(days.front(), Date::FromYmd(2026, 11, 14));
  EXPECT_EQ(days.back(), kSaturday19) << "the expiry itself is part of the term";
  EXPECT_EQ(TermLine(term),
            "Laufzeit: 14.11.2026 bis 19.12.2026, Ziehungstage: Samstag, Spiel 77: nein, "
            "Super 6: ja");
  EXPECT_EQ(TermDrawingDays(TermOf("Beginn=19.12.2026\r\n")), Days({19}));
  EXPECT_EQ(TermDrawingDays(TermOf("Beginn=17.12.2026\r\n")), Days({19}))
      << "a first day that is no drawing day starts the term at the next one";
}

TEST(TicketTerm, AValueThatCannotBeReadIsNamedAndTreatedAsAbsent) {
  const TicketTerm bad =
      TermOf("Beginn=1.12.2026\r\nZiehungstage=Freitag\r\nSpiel77=vielleicht\r\nSuper6=1\r\n");
  EXPECT_EQ(bad.firstDay.problem, "\"1.12.2026\" ist kein Datum der Form TT.MM.JJJJ");
  EXPECT_EQ(bad.drawDays.problem,
            "\"Freitag\" ist keiner der Ziehungstage \"Mittwoch\", \"Samstag\" oder \"Mittwoch "
            "und Samstag\"");
  EXPECT_EQ(bad.spiel77.problem, "\"vielleicht\" ist weder \"ja\" noch \"nein\"");
  EXPECT_EQ(bad.super6.problem, "\"1\" ist weder \"ja\" noch \"nein\"");
  EXPECT_TRUE(bad.firstDay.assumed && bad.drawDays.assumed && bad.spiel77.assumed &&
              bad.super6.assumed);
  EXPECT_EQ(TermDrawingDays(bad), Days({16, 19})) << "as if the keys were missing";

  const TicketTerm late = TermOf("Beginn=20.12.2026\r\n");
  EXPECT_EQ(late.firstDay.problem, "Der Beginn 20.12.2026 liegt nach dem Ablauf 19.12.2026");
  EXPECT_TRUE(late.firstDay.assumed);
  EXPECT_EQ(TermDrawingDays(late), Days({16, 19}));
}

TEST(TicketTerm, WritingASettingKeepsEveryOtherLineAndTheEditorKeepsTheSettings) {
  TempDir dir;
  const std::string path = (dir / "t.sch").string();
  const std::string windows =
      "; von Hand\r\n[Schein]\r\nSpiel1=03 15 22 31 40 49 \r\nLosnummer=4711235\r\n"
      "Ablauf=19.12.2026\r\n[Notizen]\r\nx=1\r\n";
  WriteFile(path, windows);
  WriteTermDrawDays(path, DrawDays::Saturday);
  const std::string written = ReadFile(path);
  EXPECT_EQ(written,
            "; von Hand\r\n[Schein]\r\nSpiel1=03 15 22 31 40 49 \r\nLosnummer=4711235\r\n"
            "Ablauf=19.12.2026\r\nZiehungstage=Samstag\r\n[Notizen]\r\nx=1\r\n");
  WriteTermFirstDay(path, Date::FromYmd(2026, 11, 14));
  WriteTermSpiel77(path, false);
  WriteTermSuper6(path, true);

  EditorTicket edited;
  edited.games[0] = {1, 2, 3, 4, 5, 6};
  edited.lotNumber = "4711235";
  edited.expiryDate = Date::FromYmd(2027, 1, 2);
  WriteTicketFile(edited, path);
  const TicketTerm term = ReadTicketTerm(Profile::Load(path), edited.expiryDate);
  EXPECT_EQ(term.firstDay.value, Date::FromYmd(2026, 11, 14));
  EXPECT_EQ(term.drawDays.value, DrawDays::Saturday);
  EXPECT_FALSE(term.spiel77.value);
  EXPECT_TRUE(term.super6.value);
  EXPECT_FALSE(term.super6.assumed);
}

TEST(TicketTerm, AFileThatCannotBeWrittenSaysSoAndStaysAsItWas) {
  TempDir dir;
  WriteFile(dir / "plain", "x");
  const std::string path = (dir / "plain" / "t.sch").string();
  EXPECT_THROW(WriteTermDrawDays(path, DrawDays::Saturday), WriteError);
  EXPECT_EQ(ReadFile(dir / "plain"), "x");
}

TEST(TicketTerm, ATermTicketKeepsTheWholeLotNumberAndRefusesAMissingFile) {
  TempDir dir;
  const std::string path = (dir / "t.sch").string();
  WriteFile(path,
            "[Schein]\r\nSpiel2=01 02 03 04 05 06 \r\nLosnummer=471123599\r\n"
            "Ablauf=19.12.2026\r\nSuper6=nein\r\n");
  const TermTicket read = ReadTermTicket(path, 2026);
  EXPECT_EQ(read.ticket.lotNumber, "471123599");
  EXPECT_EQ(read.ticket.games[1], (Game{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(read.term.lastDay, kSaturday19);
  EXPECT_FALSE(read.term.super6.value);
  EXPECT_THROW(ReadTermTicket((dir / "none.sch").string(), 2026), TicketRefused);
}

}  // namespace
}  // namespace kw
