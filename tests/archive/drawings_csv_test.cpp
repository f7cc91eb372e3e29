#include "archive/drawings_csv.h"

#include <gtest/gtest.h>

#include <functional>

#include "archive/drawings_file.h"
#include "tests/archive/sample_drawings.h"
#include "tests/support/special_files.h"
#include "tests/support/temp_dir.h"

namespace kw {
namespace {

namespace fs = std::filesystem;
using test::MakeDrawing;
using test::TempDir;

const Date kFirst = Date::FromYmd(1900, 1, 1);
const Date kLast = Date::FromYmd(2100, 1, 1);
constexpr const char* kHeader =
    "Datum;Tag;Zahl1;Zahl2;Zahl3;Zahl4;Zahl5;Zahl6;Zusatzzahl;Superzahl;Spiel77;Super6";

// Through the one door every import takes.
std::vector<Drawing> Parse(std::string_view bytes) { return ParseDrawingsFile(bytes).drawings; }

std::string Message(const std::function<void()>& action) {
  try {
    action();
  } catch (const std::exception& e) {
    return e.what();
  }
  return "(no refusal)";
}

class DrawingsCsvTest : public ::testing::Test {
 protected:
  TempDir dir;
  fs::path csv = dir / "ziehungen.csv";
  DrawingArchive archive{dir / DrawingArchive::kFileName};
};

TEST_F(DrawingsCsvTest, OurFormLooksLikeThis) {
  Drawing first = MakeDrawing(1955, 10, 9, {3, 12, 13, 16, 23, 41});
  first.zusatzzahl = 49;
  Drawing today = MakeDrawing(2026, 12, 5, {31, 3, 49, 15, 40, 22});
  today.superzahl = 0;
  today.spiel77 = "0911235";
  today.super6 = "000235";
  today.quotas = test::NineQuotas(3);
  EXPECT_EQ(FormatDrawingsCsv({first, today}),
            std::string(kHeader) +
                "\r\n"
                "09.10.1955;Sonntag;3;12;13;16;23;41;49;;;\r\n"
                "05.12.2026;Samstag;31;3;49;15;40;22;;0;0911235;000235\r\n");
  EXPECT_EQ(FormatDrawingsCsv({}), std::string(kHeader) + "\r\n");
}

TEST_F(DrawingsCsvTest, SixThousandDrawingsGoOutAndComeBackTheSame) {
  const std::vector<Drawing> drawings = test::HistoricDrawings(6000);
  archive.Store(drawings, "lotto.de");
  EXPECT_EQ(ExportDrawingsCsv(archive, csv),
            "6.000 Ziehungen exportiert nach '" + csv.string() + "'");

  DrawingArchive other(dir / "zweites.sqlite");
  EXPECT_EQ(ImportDrawingsFile(other, csv),
            "6.000 Ziehungen gelesen: 6.000 neu, 0 schon im Archiv");
  EXPECT_EQ(other.ReadRange(kFirst, kLast), drawings);
  EXPECT_EQ(ImportDrawingsFile(other, csv),
            "6.000 Ziehungen gelesen: 0 neu, 6.000 schon im Archiv");
  EXPECT_EQ(other.Count(), 6000);
}

TEST_F(DrawingsCsvTest, ExportSaysThatQuotasStayInTheArchive) {
  Drawing withQuotas = MakeDrawing(2026, 12, 5, {1, 2, 3, 4, 5, 6});
  withQuotas.quotas = test::NineQuotas(1);
  archive.Store({withQuotas, MakeDrawing(2026, 12, 9, {1, 2, 3, 4, 5, 6})}, "lotto.de");
  EXPECT_EQ(ExportDrawingsCsv(archive, csv),
            "2 Ziehungen exportiert nach '" + csv.string() +
                "'; die Quoten von 1 Ziehung bleiben nur im Archiv, die CSV-Datei hat keine "
                "Spalten daf\xFCr");
  EXPECT_EQ(archive.Read(withQuotas.date)->quotas.size(), 9u);  // untouched
}

TEST_F(DrawingsCsvTest, ExportReplacesTheFileWholeAndNeverTheArchive) {
  test::WriteFile(csv, "alter Inhalt, viel l\xC3\xA4nger als das, was export schreibt\n");
  archive.Store({MakeDrawing(2026, 12, 5, {1, 2, 3, 4, 5, 6})}, "x");
  ExportDrawingsCsv(archive, csv);
  EXPECT_EQ(test::ReadFile(csv),
            std::string(kHeader) + "\r\n05.12.2026;Samstag;1;2;3;4;5;6;;;;\r\n");

  const std::string archiveBytes = test::ReadFile(archive.path());
  EXPECT_EQ(Message([&] { ExportDrawingsCsv(archive, archive.path()); }),
            "'" + archive.path().string() +
                "' ist das Ziehungsarchiv selbst und wird nicht durch die CSV-Datei ersetzt");
  EXPECT_EQ(test::ReadFile(archive.path()), archiveBytes);
  const fs::path belowFile = csv / "x.csv";
  EXPECT_EQ(Message([&] { ExportDrawingsCsv(archive, belowFile); }),
            "'" + belowFile.string() + "' kann nicht geschrieben werden");
}

TEST_F(DrawingsCsvTest, TheCommunityFormWithIsoOrGermanDates) {
  const std::vector<Drawing> read = Parse(
      "date,n1,n2,n3,n4,n5,n6,superzahl\n"
      "1955-10-09,3,12,13,16,23,41,\n"
      "06.12.2000,2,5,17,29,36,47,8\n"
      "2026-12-05, 3, 15, 22, 31, 40, 49 ,0\n");
  Drawing wednesday = MakeDrawing(2000, 12, 6, {2, 5, 17, 29, 36, 47});
  wednesday.superzahl = 8;
  Drawing saturday = MakeDrawing(2026, 12, 5, {3, 15, 22, 31, 40, 49});
  saturday.superzahl = 0;
  EXPECT_EQ(read, (std::vector<Drawing>{MakeDrawing(1955, 10, 9, {3, 12, 13, 16, 23, 41}),
                                        wednesday, saturday}));
}

TEST_F(DrawingsCsvTest, AByteOrderMarkCrlfBlankLinesAndSpreadsheetQuotesAreAccepted) {
  const std::vector<Drawing> expected = {MakeDrawing(2026, 12, 5, {1, 2, 3, 4, 5, 6}),
                                         MakeDrawing(2026, 12, 9, {7, 8, 9, 10, 11, 12})};
  const std::string forms[] = {
      "\xEF\xBB\xBF" + std::string(kHeader) +
          "\r\n05.12.2026;Samstag;1;2;3;4;5;6;;;;\r\n09.12.2026;Mittwoch;7;8;9;10;11;12;;;;\r\n",
      std::string(kHeader) +
          "\n05.12.2026;Sa;1;2;3;4;5;6;;;;\n\n  \n09.12.2026;;7;8;9;10;11;12;;;;",  // no last end
      "\"Datum\";\"Tag\";Zahl1;Zahl2;Zahl3;Zahl4;Zahl5;Zahl6;Zusatzzahl;Superzahl;Spiel77;Super6\n"
      "\"05.12.2026\";\"samstag\";\"1\";2;3;4;5;6;\"\";;;\n09.12.2026;MITTWOCH;7;8;9;10;11;12;;;;"
      "\n",
      "DATE,N1,N2,N3,N4,N5,N6,Superzahl\r\n2026-12-05,1,2,3,4,5,6,\r\n09.12.2026,7,8,9,10,11,12,",
  };
  for (const std::string& form : forms) {
    EXPECT_EQ(Parse(form), expected) << form;
  }
}

TEST_F(DrawingsCsvTest, ALineThatIsNoDrawingIsNamedWithItsNumber) {
  struct Case {
    const char* line;
    const char* reason;
  };
  const Case cases[] = {
      {"05.12.2026;Samstag;1;2;3;4;5;6;;;", "Zeile 3: sie hat 11 Felder statt 12"},
      {"05.12.2026;Samstag;1;2;3;4;5;6;;;;;", "Zeile 3: sie hat 13 Felder statt 12"},
      {"2026-12-05;Samstag;1;2;3;4;5;6;;;;",
       "Zeile 3: das Datum '2026-12-05' hat nicht die Form TT.MM.JJJJ"},
      {"31.02.2026;Samstag;1;2;3;4;5;6;;;;",
       "Zeile 3: das Datum '31.02.2026' hat nicht die Form TT.MM.JJJJ"},
      {"05.12.2026;Montag;1;2;3;4;5;6;;;;",
       "Zeile 3: der 05.12.2026 ist ein Samstag, kein 'Montag'"},
      {"05.12.2026;Samstag;1;2;3;4;5;50;;;;", "Zeile 3: Zahl6 '50' ist keine Zahl von 1 bis 49"},
      {"05.12.2026;Samstag;0;2;3;4;5;6;;;;", "Zeile 3: Zahl1 '0' ist keine Zahl von 1 bis 49"},
      {"05.12.2026;Samstag;1;2;;4;5;6;;;;", "Zeile 3: Zahl3 fehlt"},
      {"05.12.2026;Samstag;1;2;3;4;5;-6;;;;", "Zeile 3: Zahl6 '-6' ist keine Zahl von 1 bis 49"},
      {"05.12.2026;Samstag;1;2;3;4;5;006;;;;", "Zeile 3: Zahl6 '006' ist keine Zahl von 1 bis 49"},
      {"05.12.2026;Samstag;1;2;3;4;5;5;;;;",
       "Zeile 3: Die Ziehung vom 05.12.2026 enth\xE4lt die Zahl 5 zweimal"},
      {"05.12.2026;Samstag;1;2;3;4;5;6;7;;;",
       "Zeile 3: Die Ziehung vom 05.12.2026 hat eine Zusatzzahl, die es nach dem 01.05.2013 "
       "nicht mehr gibt"},
      {"05.12.2026;Samstag;1;2;3;4;5;6;;10;;",
       "Zeile 3: Superzahl '10' ist keine Ziffer von 0 bis 9"},
      {"05.12.2026;Samstag;1;2;3;4;5;6;;;911235;",
       "Zeile 3: Spiel77 '911235' hat nicht genau 7 Ziffern"},
      {"05.12.2026;Samstag;1;2;3;4;5;6;;;;00023x",
       "Zeile 3: Super6 '00023x' hat nicht genau 6 Ziffern"},
      {"05.12.2026;Samstag;1;2;3;4;5;6;;;;\x01\x7F\xC3\xA4",
       "Zeile 3: Super6 '??\xE4' hat nicht genau 6 Ziffern"},
  };
  for (const Case& c : cases) {
    const std::string file = std::string(kHeader) +
                             "\r\n09.12.2026;Mittwoch;7;8;9;10;11;12;;;;\r\n" + c.line +
                             "\r\n12.12.2026;Samstag;7;8;9;10;11;12;;;;\r\n";
    EXPECT_EQ(Message([&] { Parse(file); }), c.reason) << c.line;
  }
  EXPECT_EQ(Message([] { Parse("date,n1,n2,n3,n4,n5,n6,superzahl\n2026-12-5,1,2,3,4,5,6,\n"); }),
            "Zeile 2: das Datum '2026-12-5' hat weder die Form JJJJ-MM-TT noch TT.MM.JJJJ");
  EXPECT_EQ(Message([] { Parse("date,n1,n2,n3,n4,n5,n6,superzahl\n2026-12-05;1;2;3;4;5;6;\n"); }),
            "Zeile 2: sie hat 1 Feld statt 8");
}

TEST_F(DrawingsCsvTest, ADrawingIsNotRefusedForItsWeekday) {
  // The first drawing was on a Sunday, and Wednesdays before 2000-12-06 are no drawing days.
  EXPECT_EQ(Parse(std::string(kHeader) + "\n09.10.1955;Sonntag;3;12;13;16;23;41;;;;\n"
                                         "06.12.1995;Mittwoch;1;2;3;4;5;6;;;;\n")
                .size(),
            2u);
}

TEST_F(DrawingsCsvTest, AnyOtherHeaderIsRefusedNamingWhatWasFound) {
  const std::string expected =
      ", erwartet wird '" + std::string(kHeader) +
      "', 'date,n1,n2,n3,n4,n5,n6,superzahl' oder "
      "'Datum;;Gewinnzahlen;ZZ;S;Spiel77;Super6;Spieleinsatz;Anz. Kl. 1;...'";
  struct Case {
    std::string file;
    std::string found;
  };
  const Case cases[] = {
      {"Datum;Zahl1;Zahl2;Zahl3;Zahl4;Zahl5;Zahl6\n",
       "'Datum;Zahl1;Zahl2;Zahl3;Zahl4;Zahl5;Zahl6'"},
      {"date;n1;n2;n3;n4;n5;n6;superzahl\n", "'date;n1;n2;n3;n4;n5;n6;superzahl'"},
      {"05.12.2026;Samstag;1;2;3;4;5;6;;;;\n", "'05.12.2026;Samstag;1;2;3;4;5;6;;;;'"},
      {"\n" + std::string(kHeader) + "\n", "''"},
      {std::string(200, ';'), "'" + std::string(57, ';') + "...'"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Message([&] { Parse(c.file); }),
              "die erste Zeile ist keine bekannte Kopfzeile: sie lautet " + c.found + expected);
  }
  // No table at all: refused as such, without a byte of it.
  for (const std::string& file : {std::string(200, 'x'), std::string("\x89PNG\r\n\x1A\n", 8),
                                  std::string("a;b\0c\n", 6), std::string("\x7F;")}) {
    EXPECT_EQ(Message([&] { Parse(file); }),
              "die Datei ist keine CSV- oder JSON-Datei mit Ziehungen");
  }
  EXPECT_EQ(Message([] { Parse(""); }), "die Datei ist leer, es fehlt die Kopfzeile");
  EXPECT_EQ(Message([] { Parse("\xEF\xBB\xBF"); }), "die Datei ist leer, es fehlt die Kopfzeile");
  EXPECT_EQ(Parse(std::string(kHeader)), std::vector<Drawing>{});
}

TEST_F(DrawingsCsvTest, ABadLineInTheMiddleImportsNothing) {
  const std::vector<Drawing> stored = {MakeDrawing(2026, 11, 28, {1, 2, 3, 4, 5, 6})};
  archive.Store(stored, "x");
  test::WriteFile(csv, std::string(kHeader) +
                           "\n05.12.2026;Samstag;1;2;3;4;5;6;;;;\n"
                           "09.12.2026;Mittwoch;1;2;3;4;5;;;;;\n"
                           "12.12.2026;Samstag;1;2;3;4;5;6;;;;\n");
  EXPECT_EQ(Message([&] { ImportDrawingsFile(archive, csv); }),
            "'" + csv.string() + "', Zeile 3: Zahl6 fehlt; es wurde nichts importiert");
  EXPECT_EQ(archive.ReadRange(kFirst, kLast), stored);
}

TEST_F(DrawingsCsvTest, ImportCountsWhatWasNewAndWhatWasThereAndDisagreementsImportNothing) {
  archive.Store({MakeDrawing(2026, 12, 5, {1, 2, 3, 4, 5, 6}),
                 MakeDrawing(2026, 12, 9, {7, 8, 9, 10, 11, 12})},
                "lotto.de");
  test::WriteFile(csv, "date,n1,n2,n3,n4,n5,n6,superzahl\n2026-12-05,1,2,3,4,5,6,\n");
  EXPECT_EQ(ImportDrawingsFile(archive, csv), "1 Ziehung gelesen: 0 neu, 1 schon im Archiv");
  test::WriteFile(csv,
                  "date,n1,n2,n3,n4,n5,n6,superzahl\n2026-12-05,1,2,3,4,5,6,4\n"
                  "2026-12-09,7,8,9,10,11,12,\n2026-12-12,7,8,9,10,11,12,\n");
  EXPECT_EQ(ImportDrawingsFile(archive, csv),
            "3 Ziehungen gelesen: 1 neu, 2 schon im Archiv, davon 1 erg\xE4nzt");
  EXPECT_EQ(archive.Read(Date::FromYmd(2026, 12, 5))->superzahl, 4);

  test::WriteFile(csv,
                  "date,n1,n2,n3,n4,n5,n6,superzahl\n2026-12-16,1,2,3,4,5,6,\n"
                  "2026-12-05,1,2,3,4,5,7,4\n");
  EXPECT_EQ(Message([&] { ImportDrawingsFile(archive, csv); }),
            "Die Ziehung vom 05.12.2026 ist im Archiv als 1 2 3 4 5 6, Superzahl 4 gespeichert, "
            "die neue lautet 1 2 3 4 5 7, Superzahl 4; es wurde nichts gespeichert");
  EXPECT_EQ(archive.Count(), 3);
}

TEST_F(DrawingsCsvTest, AFileThatCannotBeReadIsNamed) {
  const std::string path = csv.string();
  EXPECT_EQ(Message([&] { ImportDrawingsFile(archive, csv); }), "'" + path + "' gibt es nicht");
  fs::create_directory(csv);
  EXPECT_EQ(Message([&] { ImportDrawingsFile(archive, csv); }),
            "'" + path + "' ist ein Ordner und keine Datei");
  fs::remove(csv);
  if (test::kHasFifos) {
    ASSERT_TRUE(test::MakeFifo(csv));
    EXPECT_EQ(Message([&] { ImportDrawingsFile(archive, csv); }),
              "'" + path + "' ist keine gew\xF6hnliche Datei");
    fs::remove(csv);
  }
  test::WriteFile(csv, std::string(kHeader) + "\n");
  fs::resize_file(csv, kMaxDrawingsFileSize + 1);
  EXPECT_EQ(Message([&] { ImportDrawingsFile(archive, csv); }),
            "'" + path + "' ist gr\xF6\xDF" + "er als 16 MB und keine Liste von Ziehungen");
  fs::resize_file(csv, kMaxDrawingsFileSize);  // at the limit it is read, and its zeros refused
  EXPECT_NE(
      Message([&] { ImportDrawingsFile(archive, csv); }).find("Zeile 2: sie hat 1 Feld statt 12"),
      std::string::npos);
  EXPECT_EQ(archive.Count(), 0);
}

}  // namespace
}  // namespace kw
