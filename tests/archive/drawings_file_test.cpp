#include "archive/drawings_file.h"

#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include "tests/archive/sample_drawings.h"
#include "tests/support/temp_dir.h"

namespace kw {
namespace {

namespace fs = std::filesystem;
using test::MakeDrawing;
using test::TempDir;
using Replacements = std::vector<std::pair<int, std::string>>;

constexpr const char* kPublishedRow =
    "03.01.2018; ;45;10;34;31;15;35;--;--;8;8977180;373159; 22.909.485,00;   Jackpot; "
    "6.803.818,90;   Jackpot;   861.581,50;        36;    11.966,40;       308;     4.196,00;     "
    "1.952;       220,60;    18.511;        46,50;    36.934;        23,30;   330.060;        "
    "11,70;   274.544;         5,00";

std::string Message(const std::function<void()>& action) {
  try {
    action();
  } catch (const std::exception& e) {
    return e.what();
  }
  return "(no refusal)";
}

// The published row as read: the numbers in drawn order, no winner in classes 1 and 2.
Drawing Published() {
  Drawing d = MakeDrawing(2018, 1, 3, {45, 10, 34, 31, 15, 35});
  d.superzahl = 8;
  d.spiel77 = "8977180";
  d.super6 = "373159";
  const int64_t rows[9][2] = {{0, 0},        {0, 0},         {36, 1196640},
                              {308, 419600}, {1952, 22060},  {18511, 4650},
                              {36934, 2330}, {330060, 1170}, {274544, 500}};
  for (int c = 1; c <= 9; ++c)
    d.quotas.push_back({PrizeGame::Lotto, c, rows[c - 1][0], rows[c - 1][1]});
  return d;
}

// The lottery's file: its header, the published row, and the published row again for the Saturday
// after, with some of its fields replaced (field 0 is the date), as line 3.
std::string OperatorFile(const Replacements& replacements) {
  std::vector<std::string> fields(1);
  for (char c : std::string_view(kPublishedRow)) {
    if (c == ';') {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  fields[0] = "06.01.2018";
  for (const auto& [index, text] : replacements) fields[index] = text;
  std::string line;
  for (const std::string& field : fields) line += (line.empty() ? "" : ";") + field;
  return std::string(test::kOperatorHeader) + "\r\n" + kPublishedRow + "\r\n" + line + "\r\n";
}

TEST(OperatorCsv, ThePublishedRowIsReadToItsFields) {
  const DrawingsFileContent read =
      ParseDrawingsFile(std::string(test::kOperatorHeader) + "\r\n" + kPublishedRow + "\r\n");
  EXPECT_EQ(read.form, DrawingsFileForm::OperatorCsv);
  EXPECT_EQ(read.drawings, std::vector<Drawing>{Published()});
}

TEST(OperatorCsv, FieldsAsTheLotteryMayWriteThem) {
  struct Case {
    Replacements fields;
    std::function<void(Drawing&)> expected;  // applied to the published drawing, on 06.01.2018
  };
  auto quota = [](int c, int64_t winners, int64_t cents) {
    return [=](Drawing& d) { d.quotas[c - 1] = {PrizeGame::Lotto, c, winners, cents}; };
  };
  auto dropClass = [](int c) {
    return [=](Drawing& d) { d.quotas.erase(d.quotas.begin() + c - 1); };
  };
  auto in2012 = [](uint8_t zusatzzahl) {
    return [=](Drawing& d) {
      d.date = Date::FromYmd(2012, 12, 29);
      d.zusatzzahl = zusatzzahl;
    };
  };
  const Case cases[] = {
      {{{18, "Jackpot"}}, quota(3, 0, 0)},  // the amount beside it is no quota
      {{{18, "  jACKPOT "}, {19, ""}}, quota(3, 0, 0)},
      {{{18, "0"}}, quota(3, 0, 0)},
      {{{18, ""}, {19, ""}}, dropClass(3)},  // not published is not the same as no winner
      {{{18, "--"}, {19, " -- "}}, dropClass(3)},
      {{{18, "36"}, {19, "11966,4"}}, quota(3, 36, 1196640)},
      {{{19, "11.966"}}, quota(3, 36, 1196600)},
      {{{14, "1"}, {15, "9.999.999.999.999,99"}}, quota(1, 1, 999999999999999)},
      {{{30, "1.274.544"}, {31, "0,05"}}, quota(9, 1274544, 5)},
      {{{0, "29.12.2012"}, {8, "7"}}, in2012(7)},
      {{{0, "29.12.2012"}, {9, "7"}}, in2012(7)},
      {{{0, "29.12.2012"}, {8, "7"}, {9, " 7"}}, in2012(7)},
      {{{10, "--"}, {11, ""}, {12, "--"}},
       [](Drawing& d) {
         d.superzahl.reset();
         d.spiel77.reset();
         d.super6.reset();
       }},
      {{{1, "Sa"}, {13, "unbekannt"}}, [](Drawing&) {}},  // the unnamed column and the stake
  };
  for (const Case& c : cases) {
    Drawing expected = Published();
    expected.date = Date::FromYmd(2018, 1, 6);
    c.expected(expected);
    const std::string file = OperatorFile(c.fields);
    EXPECT_EQ(ParseDrawingsFile(file).drawings.at(1), expected) << file;
  }
}

TEST(OperatorCsv, ALineThatDoesNotFitRefusesTheFileWithItsNumber) {
  struct Case {
    Replacements fields;
    std::string reason;
  };
  const Case cases[] = {
      {{{19, "11.966,400"}}, "Quote Kl. 3 '11.966,400' ist kein Betrag in Euro wie 1.234,50"},
      {{{19, "1.1966,40"}}, "Quote Kl. 3 '1.1966,40' ist kein Betrag in Euro wie 1.234,50"},
      {{{19, ".966,40"}}, "Quote Kl. 3 '.966,40' ist kein Betrag in Euro wie 1.234,50"},
      {{{19, "-11,40"}}, "Quote Kl. 3 '-11,40' ist kein Betrag in Euro wie 1.234,50"},
      {{{19, "11,"}}, "Quote Kl. 3 '11,' ist kein Betrag in Euro wie 1.234,50"},
      // Windows-1252: the euro sign is the byte 0x80, and shown as such.
      {{{19, "11,40 \x80"}}, "Quote Kl. 3 '11,40 \x80' ist kein Betrag in Euro wie 1.234,50"},
      {{{19, "1.000.000.000.000.000,00"}},
       "Quote Kl. 3 '1.000.000.000.000.000,00' ist kein Betrag in Euro wie 1.234,50"},
      {{{19, ""}}, "Quote Kl. 3 fehlt"},
      {{{18, ""}}, "Anz. Kl. 3 fehlt neben Quote Kl. 3 '11.966,40'"},
      {{{18, "36x"}}, "Anz. Kl. 3 '36x' ist weder eine Anzahl noch 'Jackpot'"},
      {{{18, "3.6"}}, "Anz. Kl. 3 '3.6' ist weder eine Anzahl noch 'Jackpot'"},
      // Every group after the first has three digits, the middle ones too.
      {{{18, "1.23.456"}}, "Anz. Kl. 3 '1.23.456' ist weder eine Anzahl noch 'Jackpot'"},
      {{{19, "1.23.456"}}, "Quote Kl. 3 '1.23.456' ist kein Betrag in Euro wie 1.234,50"},
      {{{7, "50"}}, "Gewinnzahl 6 '50' ist keine Zahl von 1 bis 49"},
      {{{7, "45"}}, "Die Ziehung vom 06.01.2018 enth\xE4lt die Zahl 45 zweimal"},
      {{{8, "7"}},
       "Die Ziehung vom 06.01.2018 hat eine Zusatzzahl, die es nach dem 01.05.2013 nicht mehr "
       "gibt"},
      {{{0, "29.12.2012"}, {8, "7"}, {9, "8"}}, "die Spalten ZZ nennen zwei Zusatzzahlen, 7 und 8"},
      {{{10, "10"}}, "S '10' ist keine Ziffer von 0 bis 9"},
      // A leading zero lost in a spreadsheet is not guessed back.
      {{{11, "977180"}}, "Spiel77 '977180' hat nicht genau 7 Ziffern"},
      {{{0, "2018-01-06"}}, "das Datum '2018-01-06' hat nicht die Form TT.MM.JJJJ"},
      {{{31, "5,00;"}}, "sie hat 33 Felder statt 32"},
  };
  for (const Case& c : cases) {
    const std::string file = OperatorFile(c.fields);
    EXPECT_EQ(Message([&] { ParseDrawingsFile(file); }), "Zeile 3: " + c.reason) << file;
  }
}

TEST(OperatorCsv, TheHeaderIsKnownByItsNamesHoweverItIsPadded) {
  std::string names;
  for (int c = 1; c <= 9; ++c) {
    names += ";Anz. Kl. " + std::to_string(c) + ";Quote Kl. " + std::to_string(c);
  }
  const std::string headers[] = {
      test::kOperatorHeader,
      "Datum;;Gewinnzahlen;ZZ;S;Spiel77;Super6;Spieleinsatz" + names,
      "\xEF\xBB\xBF\"DATUM\";\" \";\tgewinnzahlen;zz;s;spiel77;super6;spieleinsatz" + names,
      "Datum; ;Gewinnzahlen;ZZ;S;Spiel77;Super6;Spieleinsatz;Anz.Kl.1;QuoteKl.1;Anz.  Kl. 2;"
      "Quote Kl.2;Anz. Kl. 3;Quote Kl. 3;Anz. Kl. 4;Quote Kl. 4;Anz. Kl. 5;Quote Kl. 5;Anz. Kl. "
      "6;Quote Kl. 6;Anz. Kl. 7;Quote Kl. 7;Anz. Kl. 8;Quote Kl. 8;Anz. Kl. 9;Quote Kl. 9",
  };
  for (const std::string& header : headers) {
    EXPECT_EQ(ParseDrawingsFile(header + "\n" + kPublishedRow).drawings,
              std::vector<Drawing>{Published()})
        << header;
  }
  const std::string lastMissing =
      "Datum;;Gewinnzahlen;ZZ;S;Spiel77;Super6;Spieleinsatz" + names.substr(0, names.rfind(';'));
  EXPECT_NE(Message([&] {
              ParseDrawingsFile(lastMissing + "\n" + kPublishedRow);
            }).find("die erste Zeile ist keine bekannte Kopfzeile"),
            std::string::npos);
}

TEST(CommunityJson, DatesNumbersAndTheSuperzahlWhereDrawn) {
  const DrawingsFileContent read = ParseDrawingsFile(
      "\xEF\xBB\xBF\r\n {\"info\": \"\xC3\xA4\", \"data\": [\n"
      "{\"id\":1,\"date\":\"09.10.1955\",\"Lottozahl\":[3,12,13,16,23,41]},\n"
      "{\"id\":2,\"date\":\"1956-01-02\",\"Lottozahl\":[1,2,3,4,5,49],\"Superzahl\":null},\n"
      "{\"date\":\"07.12.1991\",\"Lottozahl\":[6,16,17,41,42,49],\"Superzahl\":7,\"x\":[{}]},\n"
      "{\"id\":5031,\"date\":\"22.07.2026\",\"Lottozahl\":[3,5,10,14,25,49],\"Superzahl\":0}]}");
  Drawing sunday = MakeDrawing(1955, 10, 9, {3, 12, 13, 16, 23, 41});
  Drawing monday = MakeDrawing(1956, 1, 2, {1, 2, 3, 4, 5, 49});
  Drawing first = MakeDrawing(1991, 12, 7, {6, 16, 17, 41, 42, 49});
  first.superzahl = 7;
  Drawing last = MakeDrawing(2026, 7, 22, {3, 5, 10, 14, 25, 49});
  last.superzahl = 0;
  EXPECT_EQ(read.form, DrawingsFileForm::CommunityJson);
  EXPECT_EQ(read.drawings, (std::vector<Drawing>{sunday, monday, first, last}));
  EXPECT_EQ(ParseDrawingsFile("{\"data\":[]}").drawings, std::vector<Drawing>{});
}

TEST(CommunityJson, AnEntryThatIsNoDrawingIsNamedByItsPlaceAndId) {
  struct Case {
    std::string entry;
    std::string message;
  };
  const std::string numbers = "\"Lottozahl\":[3,12,18,30,32,49]";
  const Case cases[] = {
      {"5", "Eintrag 2: die Zahl 5 statt einer Ziehung"},
      {"{\"id\":7," + numbers + "}", "Eintrag 2 (\"id\": 7): \"date\" fehlt"},
      {"{\"id\":\"b\",\"date\":19551016," + numbers + "}",
       "Eintrag 2 (\"id\": \"b\"): \"date\" ist die Zahl 19551016 und kein Datum"},
      {"{\"id\":{\"n\":2},\"date\":\"31.02.1956\"," + numbers + "}",
       "Eintrag 2: das Datum \"31.02.1956\" hat weder die Form TT.MM.JJJJ noch JJJJ-MM-TT"},
      {"{\"date\":\"16.10.1955\"}", "Eintrag 2: \"Lottozahl\" fehlt"},
      {"{\"date\":\"16.10.1955\",\"Lottozahl\":\"3 12 18 30 32 49\"}",
       "Eintrag 2: \"Lottozahl\" ist der Text \"3 12 18 30 32 49\" und keine Liste von 6 Zahlen"},
      {"{\"date\":\"16.10.1955\",\"Lottozahl\":[3,12,18,30,32]}",
       "Eintrag 2: \"Lottozahl\" hat 5 statt 6 Zahlen"},
      {"{\"date\":\"16.10.1955\",\"Lottozahl\":[3,12,18,30,32,50]}",
       "Eintrag 2: \"Lottozahl\" enth\xE4lt 50, keine Zahl von 1 bis 49"},
      {"{\"date\":\"16.10.1955\",\"Lottozahl\":[3,12,18,30,32,49.0]}",
       "Eintrag 2: \"Lottozahl\" enth\xE4lt 49.0, keine Zahl von 1 bis 49"},
      {"{\"date\":\"16.10.1955\",\"Lottozahl\":[3,12,18,30,32,18446744073709551615]}",
       "Eintrag 2: \"Lottozahl\" enth\xE4lt 18446744073709551615, keine Zahl von 1 bis 49"},
      {"{\"date\":\"16.10.1955\",\"Lottozahl\":[3,12,18,30,32,32]}",
       "Eintrag 2: Die Ziehung vom 16.10.1955 enth\xE4lt die Zahl 32 zweimal"},
      {"{\"date\":\"16.10.1995\"," + numbers + ",\"Superzahl\":10}",
       "Eintrag 2: \"Superzahl\" 10 ist keine Ziffer von 0 bis 9"},
      {"{\"date\":\"16.10.1995\"," + numbers + ",\"Superzahl\":\"3\"}",
       "Eintrag 2: \"Superzahl\" \"3\" ist keine Ziffer von 0 bis 9"},
  };
  for (const Case& c : cases) {
    const std::string file =
        "{\"data\":[{\"id\":1,\"date\":\"09.10.1955\",\"Lottozahl\":[3,12,13,16,23,41]}," +
        c.entry + "]}";
    EXPECT_EQ(Message([&] { ParseDrawingsFile(file); }), c.message) << file;
  }
}

TEST(DrawingsFile, AFileOfNoKnownFormIsNamedForWhatItIs) {
  struct Case {
    std::string bytes;
    std::string message;
  };
  const std::string notDrawings = " und keine CSV- oder JSON-Datei mit Ziehungen";
  const Case cases[] = {
      {"{\"data\":[{\"id\":1,\"date\":\"09.10.19",
       "die JSON-Datei endet mitten in ihrem Inhalt, vielleicht wurde sie nicht ganz "
       "heruntergeladen"},
      {"{\"data\":[}", "die Datei ist kein g\xFCltiges JSON: der Fehler steht bei Byte 10 von 10"},
      {"{\"data\":[]} x",
       "die Datei ist kein g\xFCltiges JSON: der Fehler steht bei Byte 13 von 13"},
      {"[{\"date\":\"09.10.1955\"}]",
       "die JSON-Datei enth\xE4lt eine Liste statt eines Objekts mit der Liste \"data\" der "
       "Ziehungen"},
      {"{\"Data\":[],\"x\":1}",
       "die JSON-Datei hat keine Liste \"data\" der Ziehungen, sondern die Felder \"Data\", \"x\""},
      {"{}", "die JSON-Datei hat keine Liste \"data\" der Ziehungen, sondern keine Felder"},
      {"{\"data\":{\"1\":2}}",
       "in der JSON-Datei ist \"data\" ein Objekt und keine Liste von Ziehungen"},
      {"{\"data\":[{\"id\":1e999}]}",
       "die JSON-Datei enth\xE4lt eine Zahl au\xDF"
       "erhalb jedes Zahlbereichs"},
      {"{\"data\":[[[[[[[[1]]]]]]]]}",
       "die JSON-Datei ist tiefer verschachtelt, als eine Liste von Ziehungen es ist"},
      {std::string("SQLite format 3\0\x10\0", 19),
       "die Datei ist eine SQLite-Datenbank" + notDrawings},
      {"PK\x03\x04\x14\0",
       "die Datei ist eine Excel-Tabelle (.xlsx) oder ein ZIP-Archiv" + notDrawings},
      {"\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1\0",
       "die Datei ist eine Excel-Tabelle im alten Format (.xls) oder ein anderes Office-Dokument" +
           notDrawings},
      {"%PDF-1.7\n", "die Datei ist ein PDF-Dokument" + notDrawings},
      {"\r\n  <!DOCTYPE html><html>", "die Datei ist eine HTML- oder XML-Datei" + notDrawings},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Message([&] { ParseDrawingsFile(c.bytes); }), c.message) << c.bytes;
  }
}

class DrawingsFileImport : public ::testing::Test {
 protected:
  std::string Import(const std::string& name, const std::string& bytes) {
    test::WriteFile(dir / name, bytes);
    return ImportDrawingsFile(archive, dir / name);
  }
  std::vector<Drawing> All() const {
    return archive.ReadRange(Date::FromYmd(1900, 1, 1), Date::FromYmd(2100, 1, 1));
  }
  TempDir dir;
  DrawingArchive archive{dir / DrawingArchive::kFileName};
};

TEST_F(DrawingsFileImport, ADrawingFromTheCommunityGainsWhatTheLotterysFileHas) {
  const std::vector<Drawing> full = test::LotteryDrawings(6);
  ASSERT_EQ(full.size(), 6u);
  EXPECT_EQ(Import("lotto.json", test::CommunityJson(full)),
            "6 Ziehungen gelesen: 6 neu, 0 schon im Archiv");
  EXPECT_EQ(All()[0].spiel77, std::nullopt);
  EXPECT_EQ(Import("LOTTO_ab_2018.csv", test::OperatorCsv(full)),
            "6 Ziehungen gelesen: 0 neu, 6 schon im Archiv, davon 6 erg\xE4nzt");
  std::vector<Drawing> expected;
  for (const Drawing& d : full) expected.push_back(test::Sorted(d));
  EXPECT_EQ(All(), expected);
  // The sorted numbers of the community file do not undo the drawn order.
  EXPECT_EQ(Import("lotto.json", test::CommunityJson(full)),
            "6 Ziehungen gelesen: 0 neu, 6 schon im Archiv");
  EXPECT_EQ(All(), expected);

  std::vector<Drawing> other = full;
  other[4].numbers[5] = 1;
  while (std::count(full[4].numbers.begin(), full[4].numbers.end(), other[4].numbers[5]) > 0) {
    ++other[4].numbers[5];
  }
  other.push_back(MakeDrawing(2026, 12, 5, {1, 2, 3, 4, 5, 6}));
  EXPECT_NE(Message([&] {
              Import("anders.json", test::CommunityJson(other));
            }).find("Die Ziehung vom " + FormatShortDate(full[4].date) + " ist im Archiv als "),
            std::string::npos);
  EXPECT_EQ(All(), expected);
}

TEST_F(DrawingsFileImport, ANoWinnerRowAgreesWithAJackpotButNotWithAWinner) {
  // As a source may store it: no winner in class I, and the jackpot carried over beside it.
  Drawing stored = Published();
  stored.quotas[0].centsPerWinner = 680381890;
  stored.spiel77.reset();
  archive.Store({stored}, "lotto.de");
  const std::string file = std::string(test::kOperatorHeader) + "\r\n" + kPublishedRow + "\r\n";
  EXPECT_EQ(Import("LOTTO_ab_2018.csv", file),
            "1 Ziehung gelesen: 0 neu, 1 schon im Archiv, davon 1 erg\xE4nzt");
  stored.spiel77 = "8977180";
  EXPECT_EQ(archive.Read(stored.date), stored);

  std::string winner = file;
  winner.replace(winner.find("   Jackpot;   861.581,50"), 24, "1;861.581,50");
  EXPECT_EQ(
      Message([&] { Import("LOTTO_ab_2018.csv", winner); }),
      "Die Quote von 6 aus 49, Gewinnklasse 2, der Ziehung vom 03.01.2018 ist im Archiv mit 0 "
      "Gewinnern zu je 0,00 \x80 gespeichert, die neue mit 1 Gewinner zu je 861.581,50 \x80; "
      "es wurde nichts gespeichert");
  EXPECT_EQ(archive.Read(stored.date), stored);
}

TEST_F(DrawingsFileImport, EveryDrawingSince1955FromTheCommunityArchive) {
  const fs::path real =
      fs::path(KREUZWART_SOURCE_DIR) / "../shared/data/lotto-6aus49-1955-2026.json";
  if (!fs::exists(real)) {
    GTEST_SKIP() << real
                 << " is not there: the community archive lies beside the project only "
                    "on the machines it was made on, and is never copied into it";
  }
  EXPECT_EQ(ImportDrawingsFile(archive, real),
            "5.031 Ziehungen gelesen: 5.031 neu, 0 schon im Archiv");
  const std::vector<Drawing> all = All();
  ASSERT_EQ(all.size(), 5031u);
  EXPECT_EQ(all.front(), MakeDrawing(1955, 10, 9, {3, 12, 13, 16, 23, 41}));
  Drawing last = MakeDrawing(2026, 7, 22, {3, 5, 10, 14, 25, 49});
  last.superzahl = 3;
  EXPECT_EQ(all.back(), last);
  int weekdays[8] = {};
  for (const Drawing& d : all) {
    ++weekdays[IsoWeekday(d.date)];
    EXPECT_EQ(d.superzahl.has_value(), d.date >= Date::FromYmd(1991, 12, 7))
        << FormatShortDate(d.date);
  }
  // Sundays, Mondays and a Tuesday in the early years: every date stays the day it names.
  EXPECT_EQ(weekdays[7], 499);
  EXPECT_EQ(weekdays[1], 18);
  EXPECT_EQ(weekdays[2], 1);
}

}  // namespace
}  // namespace kw
