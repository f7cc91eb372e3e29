// The results page scraper on pages written to a folder of its own: what reaches ZW.INI, the
// log lines, the messages, the end of the program and the temporary files of each outcome.
#include "webimport/scraper.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "core/error.h"
#include "core/profile.h"
#include "tests/support/temp_dir.h"
#include "tests/webimport/results_page.h"

namespace kw::test {
namespace {

const std::vector<std::string> kSuccessLog = {
    "beendet", "Suche nach Zahlen ...", "gefunden", "Durchsuchung beendet", "Speichere Daten ...",
    "beendet"};
const std::vector<std::string> kSearchFailureLog = {"beendet", "Suche nach Zahlen ...", "FEHLER!"};
const std::string kFilterFailed = "Ein Fehler ist aufgetreten";
const std::string kSearchFailed =
    "Ein Fehler ist aufgetreten. Wahrscheinlich wurde die Internet Seite neu gestaltet. Schauen "
    "Sie nach, ob es ein update gibt.";
const std::string kImported = "Es wurden erfolgreich neue Zahlen importiert.";

const std::string kOldSettings =
    "[Einstellungen]\r\nSchein=C:\\Lotto\\mein.sch\r\n[Zahlen]\r\n"
    "Mittwoch=01020304050607081111111222222\r\nSamstag=09101112131415163333333444444\r\n";

// One import run in a fresh folder, with everything it reported.
struct ImportRun {
  TempDir dir;
  ImportFiles files = ImportFiles::In(dir.path());
  std::vector<std::string> log;
  std::vector<std::string> messages;
  int endRequests = 0;

  ImportRun() { WriteFile(files.settings, kOldSettings); }

  bool Scrape(const std::string& page) {
    WriteFile(files.page, page);
    return Scrape();
  }
  bool Scrape() {
    return ScrapeResults(files, {[this](std::string_view line) { log.emplace_back(line); },
                                 [this](std::string_view text) { messages.emplace_back(text); },
                                 [this] { ++endRequests; }});
  }
  std::string Line(const char* day) const {
    return ReadProfileString(files.settings, "Zahlen", day);
  }
  bool TempFilesGone() const {
    return !std::filesystem::exists(files.page) && !std::filesystem::exists(files.filtered);
  }
};

// The Saturday drawing of a page, formatted as ZW.INI gets it; empty when the search fails.
std::string SaturdayLine(const std::string& page) {
  const std::optional<ScrapedDrawing> drawing =
      ExtractDrawing(FilterPageText(page), kSaturdayMarker);
  return drawing ? FormatScrapedLine(*drawing) : std::string();
}

TEST(ScrapeResults, WorkedExampleWritesBothDaysAndCleansUp) {
  // Word for word, with the line breaks a wrapping text box puts in, one inside a number and
  // one inside a marker.
  const std::string page =
      "<body><h2>Lottozahlen vom Ziehung Samstag 06.12.2025</h2><p class=\"z\">Gewinnzahlen<P>"
      "3&nbsp;|12&nbsp;|2\r\n5&nbsp;|31&nbsp;|40&nbsp;|49&nbsp;Zusatzzahl: 17 Superzahl: 4</P>"
      "Ziehung Samstag 06.12.2025<P>1234567</P>Ziehung Samstag 06.12.2025<P>654321</P>"
      "Ziehung Mitt\r\nwoch 03.12.2025<P>4&nbsp;|11&nbsp;|17&nbsp;|23&nbsp;|36&nbsp;|45&nbsp;"
      "Zusatzzahl: 8 Superzahl: 9</P>Ziehung Mittwoch 03.12.2025<P>7654321</P>"
      "Ziehung Mittwoch 03.12.2025<P>123456</P>\t</body>\r\n";
  ImportRun run;
  ASSERT_TRUE(run.Scrape(page));

  EXPECT_EQ(run.Line("Samstag"), "0312253140491704123456765432106.12.2025");
  EXPECT_EQ(run.Line("Samstag").size(), 39u);
  EXPECT_EQ(run.Line("Mittwoch"), kWednesdayLine);
  EXPECT_EQ(ReadProfileString(run.files.settings, "Einstellungen", "Schein"),
            "C:\\Lotto\\mein.sch");
  EXPECT_EQ(run.log, kSuccessLog);
  EXPECT_EQ(run.messages, std::vector<std::string>{kImported});
  EXPECT_EQ(run.endRequests, 0);
  EXPECT_TRUE(run.TempFilesGone());
}

TEST(ScrapeResults, DaysAreFoundInAnyOrder) {
  const DrawingBlocks sat = Saturday(), wed = Wednesday();
  for (const std::string& blocks :
       {wed.All() + sat.All(),
        sat.NumberBlock() + wed.All() + sat.Spiel77Block() + sat.Super6Block(),
        wed.NumberBlock() + sat.All() + wed.Spiel77Block() + wed.Super6Block()}) {
    ImportRun run;
    ASSERT_TRUE(run.Scrape(Page(blocks))) << blocks;
    EXPECT_EQ(run.Line("Samstag"), kSaturdayLine);
    EXPECT_EQ(run.Line("Mittwoch"), kWednesdayLine);
  }
}

// Every failure: its message, its log, the end of the program, ZW.INI untouched, no temporary
// file left.
struct FailureCase {
  const char* name;
  std::optional<std::string> page;  // nothing: no lotto.tmp at all
  std::string message;
  std::vector<std::string> log;
};

TEST(ScrapeResults, FailuresEndTheProgramAndLeaveSettingsAlone) {
  DrawingBlocks minus = Wednesday();
  minus.numbers[2] = "-7";  // once wrapped to 249 and written in three columns
  const FailureCase cases[] = {
      {"no page", std::nullopt, kFilterFailed, {}},
      {"empty page", "", kFilterFailed, {}},
      {"control bytes only", "\r\n\t\r\n\x01\x1e", kSearchFailed, kSearchFailureLog},
      {"Wednesday number with a minus sign", Page(Saturday().All() + minus.All()), kSearchFailed,
       kSearchFailureLog},
      {"page ends right after the date began", "x Ziehung Samstag 06.12", kSearchFailed,
       kSearchFailureLog},
  };
  for (const FailureCase& c : cases) {
    SCOPED_TRACE(c.name);
    ImportRun run;
    if (c.page) WriteFile(run.files.page, *c.page);
    EXPECT_FALSE(run.Scrape());
    EXPECT_EQ(run.messages, std::vector<std::string>{c.message});
    EXPECT_EQ(run.log, c.log);
    EXPECT_EQ(run.endRequests, 1);
    EXPECT_EQ(ReadFile(run.files.settings), kOldSettings);
    EXPECT_TRUE(run.TempFilesGone());
  }
}

TEST(ScrapeResults, FilteredFileThatCannotBeWrittenFailsInTheFilter) {
  ImportRun run;
  WriteFile(run.dir / "file", "x");
  run.files.filtered = run.dir / "file" / "lotto2.tmp";
  EXPECT_FALSE(run.Scrape(GoodPage()));
  EXPECT_EQ(run.messages, std::vector<std::string>{kFilterFailed});
  EXPECT_TRUE(run.log.empty());
  EXPECT_FALSE(std::filesystem::exists(run.files.page));
}

TEST(ScrapeResults, SettingsWriteFailureReportsAndGoesOn) {
  ImportRun run;
  WriteFile(run.dir / "file", "x");
  run.files.settings = run.dir / "file" / "ZW.INI";
  try {
    run.Scrape(GoodPage());
    FAIL() << "no WriteError";
  } catch (const WriteError& e) {
    EXPECT_EQ(std::string(e.what()), "Unable to write to " + run.files.settings.string());
  }
  EXPECT_EQ(run.log.back(), "Speichere Daten ...");
  EXPECT_TRUE(run.messages.empty());
  EXPECT_EQ(run.endRequests, 0);
  EXPECT_TRUE(run.TempFilesGone());
  EXPECT_EQ(ReadFile(run.dir / "file"), "x");
}

// The text of the first drawn number, of the Zusatzzahl and of the Superzahl; the Saturday line
// it gives, or empty for a failed search.
struct NumberCase {
  std::string text;
  std::string line;
};

TEST(ExtractDrawing, DrawnNumberTexts) {
  const NumberCase cases[] = {
      {"7", "0712253140491704"},
      {" 7 ", "0712253140491704"},
      {"123", "1212253140491704"},
      {"$F", "1512253140491704"},
      {"x1A", "0112253140491704"},
      {"-7", ""},
      {"", ""},  // "&nbsp;" standing first
  };
  for (const NumberCase& c : cases) {
    DrawingBlocks sat = Saturday();
    sat.numbers[0] = c.text;
    EXPECT_EQ(SaturdayLine(Page(sat.All())).substr(0, 16), c.line) << '"' << c.text << '"';
  }
}

// The text before the second drawn number: blanks and line breaks before a number are no part
// of it.
TEST(ExtractDrawing, TextBeforeALaterDrawnNumber) {
  const NumberCase cases[] = {
      {" 12", "0312253140491704"},
      {"\r\n12", "0312253140491704"},
      {"\t 7", "0307253140491704"},
      {"\r\n 9 \r\n", "0309253140491704"},
  };
  for (const NumberCase& c : cases) {
    DrawingBlocks sat = Saturday();
    sat.numbers[1] = c.text;
    EXPECT_EQ(SaturdayLine(Page(sat.All())).substr(0, 16), c.line) << '"' << c.text << '"';
  }
}

TEST(ExtractDrawing, TheSixthNumberNeedsItsNbsp) {
  DrawingBlocks sat = Saturday();
  std::string page = Page(sat.All());
  const std::size_t sixth = page.find("49&nbsp;");
  ASSERT_NE(sixth, std::string::npos);
  page.erase(sixth + 2, 6);
  EXPECT_EQ(SaturdayLine(page), "");
}

TEST(ExtractDrawing, APageEndingRightAfterATwoDigitSuperzahl) {
  const std::optional<ScrapedDrawing> drawing = ExtractDrawing(
      "Ziehung Samstag 06.12.2025<P>1&nbsp;|2&nbsp;|3&nbsp;|4&nbsp;|"
      "5&nbsp;|6&nbsp;Zusatzzahl: 7 Superzahl: 17",
      kSaturdayMarker);
  ASSERT_TRUE(drawing.has_value());
  EXPECT_EQ(drawing->values.numbers, (std::array<uint8_t, 8>{1, 2, 3, 4, 5, 6, 7, 17}));
  EXPECT_EQ(drawing->values.spiel77, "");
}

TEST(ExtractDrawing, ZusatzzahlAndSuperzahlTexts) {
  const NumberCase cases[] = {
      {"5<", "05"}, {" 5", "05"}, {"17", "17"}, {"<5", ""},  {"-5", ""},
      {"+5", "05"}, {"19", "19"}, {"49", "49"}, {"9", "09"}, {"09", "09"},
  };
  for (const NumberCase& c : cases) {
    DrawingBlocks zusatz = Saturday();
    zusatz.zusatzzahl = c.text;
    const std::string line = SaturdayLine(Page(zusatz.All()));
    EXPECT_EQ(line.empty() ? "" : line.substr(12, 2), c.line) << '"' << c.text << '"';

    DrawingBlocks super = Saturday();
    super.superzahl = c.text;
    const std::string superLine = SaturdayLine(Page(super.All()));
    EXPECT_EQ(superLine.empty() ? "" : superLine.substr(14, 2), c.line) << '"' << c.text << '"';
  }
  // Nothing left where the Superzahl should stand.
  EXPECT_FALSE(
      ExtractDrawing("Ziehung Samstag 06.12.2025<P>1&nbsp;|2&nbsp;|3&nbsp;|4&nbsp;|"
                     "5&nbsp;|6&nbsp;Zusatzzahl: 7 Superzahl: ",
                     kSaturdayMarker));
}

TEST(ExtractDrawing, TextsAreTakenAsTheyStand) {
  DrawingBlocks sat = Saturday();
  sat.spiel77 = "12a4\xE4z7";
  sat.super6 = "<b>9</";
  sat.date = "Sa 6.12.25";
  EXPECT_EQ(SaturdayLine(Page(sat.All())), "031225314049170412a4\xE4z7<b>9</Sa 6.12.25");
}

TEST(ExtractDrawing, WithoutDayMarkerSearchesFromSixteenthCharacter) {
  // Only the Wednesday blocks: the Saturday search starts 15 characters into the page and so
  // takes the Wednesday values, with a date that begins inside the marker.
  EXPECT_EQ(SaturdayLine(Wednesday().All()), "04111723364508097654321123456h 03.12.20");
}

TEST(FilterPage, DropsBytesBelow31AndKeepsTheRest) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(FilterPageText(all), all.substr(31));
}

TEST(FilterPage, FileFormMatchesTextFormAcrossPieces) {
  // Larger than the pieces the file form reads, with plenty of control bytes.
  std::mt19937 random(9);
  std::string page(300 * 1024, '\0');
  for (char& c : page) c = static_cast<char>(random() % 64);
  TempDir dir;
  WriteFile(dir / "lotto.tmp", page);
  ASSERT_TRUE(FilterPage(dir / "lotto.tmp", dir / "lotto2.tmp"));
  EXPECT_EQ(ReadFile(dir / "lotto2.tmp"), FilterPageText(page));
}

}  // namespace
}  // namespace kw::test
