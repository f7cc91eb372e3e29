// What no drawing can hold is refused twice: by DrawingProblem, which every reader asks, and by
// the archive's own tables, which a person with the sqlite3 tool meets. Both sides see the same
// rows here, so that a limit changed on one side only fails.

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "archive/archive.h"
#include "core/drawing.h"
#include "core/lottery_rules.h"
#include "tests/archive/sample_drawings.h"
#include "tests/support/temp_dir.h"
#include "tests/support/builders.h"

namespace kw {
namespace {

using test::RawDb;
using test::TempDir;

Drawing Saturday2026() { return test::PublishedSaturday(); }

std::string Sql(const std::optional<std::string>& text) {
  return text ? "'" + *text + "'" : "NULL";
}
std::string Sql(const std::optional<uint8_t>& n) { return n ? std::to_string(*n) : "NULL"; }

const char* GameColumn(PrizeGame game) {
  return game == PrizeGame::Lotto ? "6aus49" : game == PrizeGame::Spiel77 ? "Spiel77" : "Super6";
}

// The statements that store the drawing, as a person would type them into the sqlite3 tool.
std::vector<std::string> Inserts(const Drawing& d) {
  const std::string date = "'" + FormatIsoDate(d.date) + "'";
  std::string row =
      "INSERT INTO drawings VALUES (" + date + ", '" + GermanWeekdayName(d.date) + "'";
  for (const uint8_t n : d.numbers) row += ", " + std::to_string(n);
  row += ", " + Sql(d.zusatzzahl) + ", " + Sql(d.superzahl) + ", " + Sql(d.spiel77) + ", " +
         Sql(d.super6) + ", 'Test', '2026-12-09T20:00:00Z')";
  std::vector<std::string> statements = {row};
  for (const Quota& q : d.quotas) {
    statements.push_back("INSERT INTO quotas VALUES (" + date + ", '" + GameColumn(q.game) + "', " +
                         std::to_string(q.prizeClass) + ", " + std::to_string(q.winners) + ", " +
                         std::to_string(q.centsPerWinner) + ")");
  }
  return statements;
}

class InvalidDrawingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DrawingArchive{file};  // builds the tables
    raw = std::make_unique<RawDb>(file);
    ASSERT_EQ(raw->Exec("PRAGMA foreign_keys = ON"), SQLITE_OK);
  }

  // SQLite's primary result code of the first statement that fails, SQLITE_OK when all pass; the
  // transaction is rolled back either way, so that every row meets the same empty tables.
  int Store(const std::vector<std::string>& statements) {
    EXPECT_EQ(raw->Exec("BEGIN"), SQLITE_OK);
    int result = SQLITE_OK;
    for (const std::string& sql : statements) {
      result = raw->Exec(sql) & 0xFF;
      if (result != SQLITE_OK) break;
    }
    EXPECT_EQ(raw->Exec("ROLLBACK"), SQLITE_OK);
    return result;
  }

  TempDir dir;
  std::filesystem::path file = dir / DrawingArchive::kFileName;
  std::unique_ptr<RawDb> raw;
};

// A drawing changed into one that is none, and what DrawingProblem says of it. A row without a
// change is text that no Drawing value can hold; only the tables see it, after the Saturday.
struct InvalidRow {
  const char* what;
  std::function<void(Drawing&)> change;
  const char* message;
  const char* sql = nullptr;
};

TEST_F(InvalidDrawingTest, WhatNoDrawingCanHoldIsNamedAndCannotBeStored) {
  const InvalidRow rows[] = {
      {"0", [](Drawing& d) { d.numbers[0] = 0; },
       "Die Ziehung vom 05.12.2026 enth\xE4lt die Zahl 0, die nicht zwischen 1 und 49 liegt"},
      {"50", [](Drawing& d) { d.numbers[5] = 50; },
       "Die Ziehung vom 05.12.2026 enth\xE4lt die Zahl 50, die nicht zwischen 1 und 49 liegt"},
      {"twice", [](Drawing& d) { d.numbers[5] = 3; },
       "Die Ziehung vom 05.12.2026 enth\xE4lt die Zahl 3 zweimal"},
      {"Zusatzzahl after May 2013", [](Drawing& d) { d.zusatzzahl = 7; },
       "Die Ziehung vom 05.12.2026 hat eine Zusatzzahl, die es nach dem 01.05.2013 nicht mehr "
       "gibt"},
      {"Zusatzzahl 22, one of the six",
       [](Drawing& d) {
         d.date = Date::FromYmd(2012, 6, 2);
         d.zusatzzahl = 22;
       },
       "Die Zusatzzahl der Ziehung vom 02.06.2012 ist schon eine der sechs Zahlen"},
      {"Zusatzzahl 49, the last of the six",
       [](Drawing& d) {
         d.date = Date::FromYmd(2012, 6, 2);
         d.zusatzzahl = 49;
       },
       "Die Zusatzzahl der Ziehung vom 02.06.2012 ist schon eine der sechs Zahlen"},
      {"Zusatzzahl 50",
       [](Drawing& d) {
         d.date = Date::FromYmd(2012, 6, 2);
         d.zusatzzahl = 50;
       },
       "Die Zusatzzahl der Ziehung vom 02.06.2012 liegt nicht zwischen 1 und 49"},
      {"Superzahl 10", [](Drawing& d) { d.superzahl = 10; },
       "Die Superzahl der Ziehung vom 05.12.2026 liegt nicht zwischen 0 und 9"},
      {"Spiel 77 of six", [](Drawing& d) { d.spiel77 = "991123"; },
       "Die Spiel-77-Zahl der Ziehung vom 05.12.2026 hat nicht genau 7 Ziffern"},
      {"Spiel 77 with a letter", [](Drawing& d) { d.spiel77 = "991123x"; },
       "Die Spiel-77-Zahl der Ziehung vom 05.12.2026 hat nicht genau 7 Ziffern"},
      {"Super 6 of seven", [](Drawing& d) { d.super6 = "0002351"; },
       "Die Super-6-Zahl der Ziehung vom 05.12.2026 hat nicht genau 6 Ziffern"},
      {"Super 6 with a letter", [](Drawing& d) { d.super6 = "12345a"; },
       "Die Super-6-Zahl der Ziehung vom 05.12.2026 hat nicht genau 6 Ziffern"},
      {"6 aus 49 class 0",
       [](Drawing& d) {
         d.quotas.push_back({PrizeGame::Lotto, 0, 1, 1});
       },
       "Die Quote von 6 aus 49, Gewinnklasse 0, der Ziehung vom 05.12.2026 nennt keine "
       "Gewinnklasse, die es gibt"},
      {"Spiel 77 class 8",
       [](Drawing& d) {
         d.quotas.push_back({PrizeGame::Spiel77, 8, 1, 1});
       },
       "Die Quote von Spiel 77, Gewinnklasse 8, der Ziehung vom 05.12.2026 nennt keine "
       "Gewinnklasse, die es gibt"},
      {"Super 6 class 7",
       [](Drawing& d) {
         d.quotas.push_back({PrizeGame::Super6, 7, 1, 1});
       },
       "Die Quote von Super 6, Gewinnklasse 7, der Ziehung vom 05.12.2026 nennt keine "
       "Gewinnklasse, die es gibt"},
      {"class twice",
       [](Drawing& d) {
         d.quotas.push_back({PrizeGame::Lotto, 9, 1, 600});
       },
       "Die Quote von 6 aus 49, Gewinnklasse 9, der Ziehung vom 05.12.2026 steht zweimal darin"},
      {"negative winners",
       [](Drawing& d) {
         d.quotas.push_back({PrizeGame::Super6, 6, -1, 250});
       },
       "Die Quote von Super 6, Gewinnklasse 6, der Ziehung vom 05.12.2026 ist negativ"},
      {"negative amount",
       [](Drawing& d) {
         d.quotas.push_back({PrizeGame::Lotto, 8, 1, -1});
       },
       "Die Quote von 6 aus 49, Gewinnklasse 8, der Ziehung vom 05.12.2026 ist negativ"},
      {"a number that is no whole number", nullptr, nullptr,
       "INSERT INTO drawings VALUES ('2026-12-12', 'Samstag', 1, 2, 3, 4, 5, 6.5, NULL, NULL, "
       "NULL, NULL, 'x', 'y')"},
      {"the wrong weekday", nullptr, nullptr,
       "INSERT INTO drawings VALUES ('2026-12-12', 'Sonntag', 1, 2, 3, 4, 5, 6, NULL, NULL, NULL, "
       "NULL, 'x', 'y')"},
      {"a day that does not exist", nullptr, nullptr,
       "INSERT INTO drawings VALUES ('2026-02-30', 'Montag', 1, 2, 3, 4, 5, 6, NULL, NULL, NULL, "
       "NULL, 'x', 'y')"},
      {"a German date", nullptr, nullptr,
       "INSERT INTO drawings VALUES ('12.12.2026', 'Samstag', 1, 2, 3, 4, 5, 6, NULL, NULL, NULL, "
       "NULL, 'x', 'y')"},
      {"a game that does not exist", nullptr, nullptr,
       "INSERT INTO quotas VALUES ('2026-12-05', 'Lotto', 8, 1, 1)"},
      {"a quota without its drawing", nullptr, nullptr,
       "INSERT INTO quotas VALUES ('2026-12-12', '6aus49', 8, 1, 1)"},
  };
  for (const InvalidRow& row : rows) {
    SCOPED_TRACE(row.what);
    if (!row.change) {
      std::vector<std::string> statements = Inserts(Saturday2026());
      ASSERT_EQ(Store(statements), SQLITE_OK);
      statements.push_back(row.sql);
      EXPECT_EQ(Store(statements), SQLITE_CONSTRAINT);
      continue;
    }
    Drawing d = Saturday2026();
    row.change(d);
    EXPECT_EQ(DrawingProblem(d), std::optional<std::string>(row.message));
    EXPECT_EQ(Store(Inserts(d)), SQLITE_CONSTRAINT);
  }
}

// A limit of the lottery's rules: the drawing at it is one, a step past it is none, on both
// sides. The rows read the limits from the rules, so the tables' own figures must equal them.
struct LimitRow {
  const char* what;
  std::function<void(Drawing&)> atLimit;
  std::function<void(Drawing&)> pastLimit;
};

Drawing OldSaturday() {
  Drawing d = Saturday2026();
  d.date = Date::FromYmd(2012, 6, 2);
  d.numbers[5] = 48;  // leaves 49 free for the Zusatzzahl
  return d;
}

TEST_F(InvalidDrawingTest, TheTablesHoldTheLimitsOfTheRules) {
  const Date dayAfterLastZusatzzahl{kLastZusatzzahlDay.dayCount + 1};
  const auto onlyQuota = [](PrizeGame game, int prizeClass) {
    return [=](Drawing& d) { d.quotas = {{game, prizeClass, 1, 1}}; };
  };
  const LimitRow rows[] = {
      {"lowest number", [](Drawing& d) { d.numbers[0] = kLowestNumber; },
       [](Drawing& d) { d.numbers[0] = kLowestNumber - 1; }},
      {"highest number", [](Drawing& d) { d.numbers[5] = kHighestNumber; },
       [](Drawing& d) { d.numbers[5] = kHighestNumber + 1; }},
      {"lowest Zusatzzahl",
       [](Drawing& d) {
         d = OldSaturday();
         d.zusatzzahl = kLowestNumber;
       },
       [](Drawing& d) {
         d = OldSaturday();
         d.zusatzzahl = kLowestNumber - 1;
       }},
      {"highest Zusatzzahl",
       [](Drawing& d) {
         d = OldSaturday();
         d.zusatzzahl = kHighestNumber;
       },
       [](Drawing& d) {
         d = OldSaturday();
         d.zusatzzahl = kHighestNumber + 1;
       }},
      {"last day of the Zusatzzahl",
       [](Drawing& d) {
         d.date = kLastZusatzzahlDay;
         d.zusatzzahl = 7;
       },
       [&](Drawing& d) {
         d.date = dayAfterLastZusatzzahl;
         d.zusatzzahl = 7;
       }},
      {"highest Superzahl", [](Drawing& d) { d.superzahl = kHighestSuperzahl; },
       [](Drawing& d) { d.superzahl = kHighestSuperzahl + 1; }},
      {"digits of Spiel 77", [](Drawing& d) { d.spiel77 = std::string(kSpiel77Digits, '7'); },
       [](Drawing& d) { d.spiel77 = std::string(kSpiel77Digits + 1, '7'); }},
      {"digits of Super 6", [](Drawing& d) { d.super6 = std::string(kSuper6Digits, '6'); },
       [](Drawing& d) { d.super6 = std::string(kSuper6Digits + 1, '6'); }},
      {"lowest class", onlyQuota(PrizeGame::Super6, 1), onlyQuota(PrizeGame::Super6, 0)},
      {"classes of 6 aus 49", onlyQuota(PrizeGame::Lotto, ClassCount(PrizeGame::Lotto)),
       onlyQuota(PrizeGame::Lotto, ClassCount(PrizeGame::Lotto) + 1)},
      {"classes of Spiel 77", onlyQuota(PrizeGame::Spiel77, ClassCount(PrizeGame::Spiel77)),
       onlyQuota(PrizeGame::Spiel77, ClassCount(PrizeGame::Spiel77) + 1)},
      {"classes of Super 6", onlyQuota(PrizeGame::Super6, ClassCount(PrizeGame::Super6)),
       onlyQuota(PrizeGame::Super6, ClassCount(PrizeGame::Super6) + 1)},
  };
  EXPECT_EQ(DrawingProblem(Saturday2026()), std::nullopt);
  EXPECT_EQ(Store(Inserts(Saturday2026())), SQLITE_OK);
  for (const LimitRow& row : rows) {
    SCOPED_TRACE(row.what);
    Drawing at = Saturday2026();
    row.atLimit(at);
    EXPECT_EQ(DrawingProblem(at), std::nullopt);
    EXPECT_EQ(Store(Inserts(at)), SQLITE_OK) << raw->Error();
    Drawing past = Saturday2026();
    row.pastLimit(past);
    EXPECT_NE(DrawingProblem(past), std::nullopt);
    EXPECT_EQ(Store(Inserts(past)), SQLITE_CONSTRAINT);
  }
}

}  // namespace
}  // namespace kw
