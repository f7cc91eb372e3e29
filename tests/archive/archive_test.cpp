#include "archive/archive.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "tests/archive/sample_drawings.h"
#include "tests/support/temp_dir.h"

namespace kw {
namespace {

using test::MakeDrawing;
using test::RawDb;
using test::Sorted;
using test::TempDir;

Drawing FullSaturday() {
  Drawing d = MakeDrawing(2026, 12, 5, {31, 3, 49, 15, 40, 22});
  d.superzahl = 5;
  d.spiel77 = "0911235";
  d.super6 = "000235";
  // Not in the order the archive gives them back.
  d.quotas = {{PrizeGame::Super6, 6, 51234, 250},
              {PrizeGame::Lotto, 9, 123456, 600},
              {PrizeGame::Spiel77, 1, 0, 0},
              {PrizeGame::Lotto, 1, 1, 987654321012}};
  return d;
}

class ArchiveTest : public ::testing::Test {
 protected:
  TempDir dir;
  std::filesystem::path file = dir / DrawingArchive::kFileName;
};

TEST_F(ArchiveTest, ANewArchiveIsMadeWithItsTablesAndNothingElseIsLeftBeside) {
  {
    DrawingArchive archive(file);
    EXPECT_EQ(archive.path(), file);
    EXPECT_EQ(archive.Count(), 0);
    EXPECT_EQ(archive.Latest(), std::nullopt);
    EXPECT_EQ(archive.CheckIntegrity(), "");
  }
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
    names.push_back(entry.path().filename().string());
  }
  EXPECT_EQ(names, std::vector<std::string>{"Ziehungen.sqlite"});
  RawDb raw(file);
  EXPECT_EQ(raw.Text("PRAGMA user_version"), "1");
  EXPECT_EQ(raw.Text("PRAGMA application_id"), std::to_string(0x4B725A77));
  EXPECT_EQ(raw.Text("PRAGMA journal_mode"), "delete");  // one file holds everything
}

TEST_F(ArchiveTest, WhatIsStoredReadsBackInThisAndTheNextRun) {
  const Drawing saturday = FullSaturday();
  Drawing old = MakeDrawing(1955, 10, 9, {3, 12, 13, 16, 23, 41});  // a Sunday
  old.zusatzzahl = 48;
  {
    DrawingArchive archive(file);
    EXPECT_EQ(archive.Store({saturday, old}, "lotto.de"), (StoreOutcome{2, 0, 0}));
    EXPECT_EQ(archive.Read(saturday.date), Sorted(saturday));
  }
  DrawingArchive again(file);
  EXPECT_EQ(again.Read(saturday.date), Sorted(saturday));
  EXPECT_EQ(again.Read(old.date), old);
  EXPECT_EQ(again.Read(Date::FromYmd(2026, 12, 2)), std::nullopt);
  EXPECT_EQ(again.Count(), 2);
  EXPECT_EQ(again.Latest(), Sorted(saturday));
}

TEST_F(ArchiveTest, AFileReadsAsAPersonWithTheSqliteToolExpects) {
  DrawingArchive(file).Store({FullSaturday()}, "CSV-Datei M\xFCller.csv");
  RawDb raw(file);
  EXPECT_EQ(raw.Text("SELECT date || ' ' || weekday || ' ' || n1 || ' ' || n6 || ' ' || spiel77 "
                     "FROM drawings"),
            "2026-12-05 Samstag 31 22 0911235");
  EXPECT_EQ(raw.Text("SELECT source FROM drawings"), "CSV-Datei M\xC3\xBCller.csv");  // UTF-8
  EXPECT_EQ(raw.Text("SELECT count(*) FROM drawings WHERE stored_at GLOB "
                     "'[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]T[0-9][0-9]:*Z'"),
            "1");
  EXPECT_EQ(raw.Text("SELECT game || ' ' || class || ' ' || winners || ' ' || cents_per_winner "
                     "FROM quotas WHERE game = '6aus49' AND class = 1"),
            "6aus49 1 1 987654321012");
}

TEST_F(ArchiveTest, TheRangeIsInclusiveInDateOrderAcrossTheYearWithItsOwnQuotas) {
  DrawingArchive archive(file);
  Drawing dec31 = MakeDrawing(2025, 12, 31, {1, 2, 3, 4, 5, 6});
  dec31.quotas = test::NineQuotas(1);
  Drawing jan3 = MakeDrawing(2026, 1, 3, {7, 8, 9, 10, 11, 12});
  Drawing jan7 = MakeDrawing(2026, 1, 7, {13, 14, 15, 16, 17, 18});
  jan7.quotas = {{PrizeGame::Spiel77, 7, 1, 7777700}};
  const Drawing dec27 = MakeDrawing(2025, 12, 27, {19, 20, 21, 22, 23, 24});
  archive.Store({jan7, dec31, dec27, jan3}, "lotto.de");

  const auto dates = [](const std::vector<Drawing>& drawings) {
    std::vector<std::string> texts;
    for (const Drawing& d : drawings) texts.push_back(FormatIsoDate(d.date));
    return texts;
  };
  using Texts = std::vector<std::string>;
  EXPECT_EQ(dates(archive.ReadRange(dec31.date, jan7.date)),
            (Texts{"2025-12-31", "2026-01-03", "2026-01-07"}));
  EXPECT_EQ(dates(archive.ReadRange(Date::FromYmd(2025, 12, 28), Date::FromYmd(2026, 1, 6))),
            (Texts{"2025-12-31", "2026-01-03"}));
  EXPECT_EQ(dates(archive.ReadRange(jan3.date, jan3.date)), (Texts{"2026-01-03"}));
  EXPECT_EQ(archive.ReadRange(jan7.date, jan3.date), std::vector<Drawing>{});
  EXPECT_EQ(archive.ReadRange(Date::FromYmd(2026, 1, 8), Date::FromYmd(2026, 2, 1)),
            std::vector<Drawing>{});
  EXPECT_EQ(archive.ReadRange(Date{-100000}, Date{10000000}).size(), 4u);

  const std::vector<Drawing> range = archive.ReadRange(dec27.date, jan7.date);
  ASSERT_EQ(range.size(), 4u);
  EXPECT_EQ(range[0], dec27);
  EXPECT_EQ(range[1], Sorted(dec31));
  EXPECT_EQ(range[2], jan3);
  EXPECT_EQ(range[3], jan7);
  EXPECT_EQ(archive.Latest(), jan7);
}

TEST_F(ArchiveTest, MissingDaysAreTheDrawingDaysWithoutADrawing) {
  DrawingArchive archive(file);
  archive.Store(
      {MakeDrawing(2000, 12, 2, {1, 2, 3, 4, 5, 6}), MakeDrawing(2000, 12, 13, {1, 2, 3, 4, 5, 6}),
       MakeDrawing(2026, 1, 3, {1, 2, 3, 4, 5, 6}),
       // stored on a day that is none: it fills no gap and hides none
       MakeDrawing(2000, 12, 7, {1, 2, 3, 4, 5, 6})},
      "lotto.de");
  struct Case {
    Date first, last;
    DrawDays days;
    std::vector<std::string> missing;
  };
  const Date nov25 = Date::FromYmd(2000, 11, 25);
  const Date dec16 = Date::FromYmd(2000, 12, 16);
  const Case cases[] = {
      // Wednesdays count from 2000-12-06 on: 29.11. is none.
      {nov25, dec16, DrawDays::Both, {"2000-11-25", "2000-12-06", "2000-12-09", "2000-12-16"}},
      {nov25, dec16, DrawDays::Wednesday, {"2000-12-06"}},
      {nov25, dec16, DrawDays::Saturday, {"2000-11-25", "2000-12-09", "2000-12-16"}},
      {Date::FromYmd(2025, 12, 27),
       Date::FromYmd(2026, 1, 7),
       DrawDays::Both,
       {"2025-12-27", "2025-12-31", "2026-01-07"}},
      {Date::FromYmd(2026, 1, 3), Date::FromYmd(2026, 1, 3), DrawDays::Both, {}},
      {Date::FromYmd(2026, 1, 4), Date::FromYmd(2026, 1, 6), DrawDays::Both, {}},
      {dec16, nov25, DrawDays::Both, {}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> missing;
    for (Date d : archive.MissingDays(c.first, c.last, c.days)) missing.push_back(FormatIsoDate(d));
    EXPECT_EQ(missing, c.missing) << FormatIsoDate(c.first) << " " << static_cast<int>(c.days);
  }
  // Every drawing day since 1955 but the three stored.
  const auto all =
      archive.MissingDays(Date::FromYmd(1955, 1, 1), Date::FromYmd(2026, 1, 3), DrawDays::Both);
  int64_t drawingDays = 0;
  for (Date d = Date::FromYmd(1955, 1, 1); d <= Date::FromYmd(2026, 1, 3); d.dayCount++) {
    drawingDays += IsDrawingDay(d, DrawDays::Both);
  }
  EXPECT_EQ(static_cast<int64_t>(all.size()), drawingDays - 3);
}

TEST_F(ArchiveTest, TheSameDrawingAgainChangesNothing) {
  DrawingArchive archive(file);
  const Drawing saturday = FullSaturday();
  archive.Store({saturday}, "lotto.de");
  Drawing reordered = saturday;
  std::reverse(reordered.quotas.begin(), reordered.quotas.end());
  EXPECT_EQ(archive.Store({reordered, saturday}, "CSV-Datei a.csv"), (StoreOutcome{0, 0, 2}));
  EXPECT_EQ(archive.Read(saturday.date), Sorted(saturday));
  EXPECT_EQ(RawDb(file).Text("SELECT source FROM drawings"), "lotto.de");  // the first source
}

TEST_F(ArchiveTest, WhatArrivesLaterIsAddedToTheStoredDrawing) {
  DrawingArchive archive(file);
  const Drawing full = FullSaturday();
  Drawing bare = full;  // as a community file has it: numbers sorted, no digits, no quotas
  std::sort(bare.numbers.begin(), bare.numbers.end());
  bare.spiel77.reset();
  bare.super6.reset();
  bare.superzahl.reset();
  bare.quotas.clear();
  archive.Store({bare}, "CSV-Datei a.csv");
  // The drawn order alone is news, and counts as such.
  Drawing ordered = bare;
  ordered.numbers = full.numbers;
  EXPECT_EQ(archive.Store({ordered}, "lotto.de"), (StoreOutcome{0, 1, 0}));
  EXPECT_EQ(archive.Read(full.date)->numbers, full.numbers);

  Drawing digits = bare;
  digits.numbers = full.numbers;  // the drawn order replaces the sorted one
  digits.spiel77 = full.spiel77;
  digits.superzahl = full.superzahl;
  Drawing someQuotas = bare;
  someQuotas.quotas = {full.quotas[1], full.quotas[3]};
  Drawing restOfIt = full;
  std::sort(restOfIt.numbers.begin(), restOfIt.numbers.end());  // sorted does not undo it
  EXPECT_EQ(archive.Store({digits, someQuotas}, "lotto.de"), (StoreOutcome{0, 2, 0}));
  EXPECT_EQ(archive.Read(full.date)->quotas.size(), 2u);
  EXPECT_EQ(archive.Read(full.date)->super6, std::nullopt);
  EXPECT_EQ(archive.Store({restOfIt}, "lotto.de"), (StoreOutcome{0, 1, 0}));
  EXPECT_EQ(archive.Read(full.date), Sorted(full));
  EXPECT_EQ(archive.Store({restOfIt}, "lotto.de"), (StoreOutcome{0, 0, 1}));

  // Two orders that are both not ascending: the first stays.
  Drawing other = full;
  std::swap(other.numbers[0], other.numbers[1]);
  EXPECT_EQ(archive.Store({other}, "x"), (StoreOutcome{0, 0, 1}));
  EXPECT_EQ(archive.Read(full.date)->numbers, full.numbers);
}

TEST_F(ArchiveTest, ADisagreementRefusesTheWholeBatchNamingTheDateAndBothSets) {
  DrawingArchive archive(file);
  archive.Store({FullSaturday()}, "lotto.de");
  const Drawing fresh = MakeDrawing(2026, 12, 9, {1, 2, 3, 4, 5, 6});
  struct Case {
    const char* what;
    void (*change)(Drawing&);
    const char* message;
  };
  const Case cases[] = {
      {"a number", [](Drawing& d) { d.numbers[2] = 48; },
       "Die Ziehung vom 05.12.2026 ist im Archiv als 3 15 22 31 40 49, Superzahl 5, Spiel 77 "
       "0911235, Super 6 000235 gespeichert, die neue lautet 3 15 22 31 40 48, Superzahl 5, Spiel "
       "77 0911235, Super 6 000235; es wurde nichts gespeichert"},
      {"the Superzahl", [](Drawing& d) { d.superzahl = 6; },
       "Die Ziehung vom 05.12.2026 ist im Archiv als 3 15 22 31 40 49, Superzahl 5, Spiel 77 "
       "0911235, Super 6 000235 gespeichert, die neue lautet 3 15 22 31 40 49, Superzahl 6, Spiel "
       "77 0911235, Super 6 000235; es wurde nichts gespeichert"},
      {"Super 6", [](Drawing& d) { d.super6 = "000236"; }, "Super 6 000236; es wurde nichts"},
      {"Spiel 77", [](Drawing& d) { d.spiel77 = "0911236"; }, "Spiel 77 0911236, Super 6"},
      {"a quota",
       [](Drawing& d) {
         d.quotas = {{PrizeGame::Lotto, 9, 123457, 600}};
       },
       "Die Quote von 6 aus 49, Gewinnklasse 9, der Ziehung vom 05.12.2026 ist im Archiv mit "
       "123.456 Gewinnern zu je 6,00 \x80 gespeichert, die neue mit 123.457 Gewinnern zu je "
       "6,00 \x80; es wurde nichts gespeichert"},
      {"an amount",
       [](Drawing& d) {
         d.quotas = {{PrizeGame::Lotto, 1, 1, 987654321013}};
       },
       "mit 1 Gewinner zu je 9.876.543.210,12 \x80 gespeichert, die neue mit 1 Gewinner zu je "
       "9.876.543.210,13 \x80"},
  };
  for (const Case& c : cases) {
    Drawing changed = FullSaturday();
    c.change(changed);
    try {
      archive.Store({fresh, changed}, "lotto.de");
      ADD_FAILURE() << c.what << ": stored";
    } catch (const ArchiveError& e) {
      EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos)
          << c.what << ": " << e.what();
    }
    EXPECT_EQ(archive.Read(fresh.date), std::nullopt) << c.what;
    EXPECT_EQ(archive.Read(changed.date), Sorted(FullSaturday())) << c.what;
  }
  // Within one batch too.
  Drawing first = fresh;
  Drawing second = fresh;
  second.numbers[0] = 7;
  EXPECT_THROW(archive.Store({first, second}, "x"), ArchiveError);
  EXPECT_EQ(archive.Count(), 1);
}

TEST_F(ArchiveTest, ADrawingThatIsNoneRefusesTheBatchBeforeAnythingIsWritten) {
  DrawingArchive archive(file);
  Drawing bad = MakeDrawing(2026, 12, 12, {1, 2, 3, 4, 5, 5});
  try {
    archive.Store({MakeDrawing(2026, 12, 9, {1, 2, 3, 4, 5, 6}), bad}, "x");
    FAIL() << "stored";
  } catch (const ArchiveError& e) {
    EXPECT_STREQ(e.what(),
                 "Die Ziehung vom 12.12.2026 enth\xE4lt die Zahl 5 zweimal; es wurde nichts "
                 "gespeichert");
  }
  EXPECT_EQ(archive.Count(), 0);
}

TEST_F(ArchiveTest, OneWritesWhileTheOtherReads) {
  DrawingArchive(file).Store({}, "x");
  const std::vector<Drawing> drawings = test::HistoricDrawings(600, true);
  std::atomic<bool> done{false};
  std::string writerFailure;
  std::thread writer([&] {
    try {
      DrawingArchive archive(file);
      for (std::size_t i = 0; i < drawings.size(); i += 20) {
        archive.Store({drawings.begin() + i, drawings.begin() + i + 20}, "lotto.de");
      }
    } catch (const std::exception& e) {
      writerFailure = e.what();
    }
    done = true;
  });
  DrawingArchive reader(file);
  int reads = 0;
  int64_t lastCount = 0;
  try {
    while (!done) {
      const int64_t count = reader.Count();
      EXPECT_GE(count, lastCount);
      EXPECT_EQ(count % 20, 0);  // a batch is there whole or not at all
      const std::vector<Drawing> all =
          reader.ReadRange(drawings.front().date, drawings.back().date);
      EXPECT_GE(static_cast<int64_t>(all.size()), count);
      for (const Drawing& d : all) ASSERT_EQ(d.quotas.size(), 9u);
      lastCount = count;
      ++reads;
    }
  } catch (const std::exception& e) {
    ADD_FAILURE() << "reader: " << e.what();
  }
  writer.join();
  EXPECT_EQ(writerFailure, "");
  EXPECT_GT(reads, 0);
  EXPECT_EQ(reader.Count(), 600);
  EXPECT_EQ(reader.Read(drawings[333].date), drawings[333]);
}

TEST_F(ArchiveTest, TwoProgramsStoringAtTheSameMomentBothSucceed) {
  // Each takes the write lock before its first read, so neither finds the other in its way
  // halfway through and gives up; the busy wait lets the second follow the first.
  DrawingArchive(file).Store({}, "x");
  const std::vector<Drawing> drawings = test::HistoricDrawings(800, true);
  constexpr std::size_t kBatch = 100;  // long enough for the other to come in between
  std::atomic<int> ready{0};
  std::string failures[2];
  auto store = [&](std::size_t half) {
    try {
      DrawingArchive archive(file);
      ++ready;
      while (ready < 2) std::this_thread::yield();
      for (std::size_t i = half * kBatch; i < drawings.size(); i += 2 * kBatch) {
        archive.Store({drawings.begin() + static_cast<std::ptrdiff_t>(i),
                       drawings.begin() + static_cast<std::ptrdiff_t>(i + kBatch)},
                      "x");
      }
    } catch (const std::exception& e) {
      failures[half] = e.what();
    }
  };
  std::thread other(store, std::size_t{1});
  store(0);
  other.join();
  EXPECT_EQ(failures[0], "");
  EXPECT_EQ(failures[1], "");
  EXPECT_EQ(DrawingArchive(file).Count(), 800);
}

}  // namespace
}  // namespace kw
