// The results service's answers read into drawings: what a sound answer gives, what each broken
// field is refused with, and the service's paths in Berlin milliseconds.
#include "service/results_service.h"

#include <gtest/gtest.h>

#include <functional>
#include <nlohmann/json.hpp>

#include "tests/support/service_answers.h"

namespace kw::test {
namespace {

using nlohmann::json;

const Date kSaturday = Date::FromYmd(2025, 12, 6);

std::vector<Quota> EuroQuotas() {
  return {{PrizeGame::Lotto, 1, 0, 0},        {PrizeGame::Lotto, 2, 2, 51234560},
          {PrizeGame::Lotto, 3, 18, 1234530}, {PrizeGame::Lotto, 4, 250, 345670},
          {PrizeGame::Lotto, 5, 1200, 17890}, {PrizeGame::Lotto, 6, 12000, 4320},
          {PrizeGame::Lotto, 7, 25000, 1980}, {PrizeGame::Lotto, 8, 230000, 1150},
          {PrizeGame::Lotto, 9, 190000, 600}};
}

Drawing SaturdayDrawing() {
  Drawing d;
  d.date = kSaturday;
  d.numbers = {31, 3, 49, 15, 40, 22};
  d.superzahl = 5;
  d.spiel77 = "9911235";
  d.super6 = "000235";
  d.quotas = EuroQuotas();
  return d;
}

// The Saturday answer with its 6 aus 49 entry changed.
std::string Changed(const std::string& answer, const std::function<void(json&)>& change) {
  json parsed = json::parse(answer);
  change(parsed[parsed.size() - 1]);
  return parsed.dump();
}

std::string RefusalOf(const std::string& answer, Date day = kSaturday) {
  try {
    ReadDayDrawing(answer, day);
  } catch (const ServiceAnswerError& e) {
    return e.what();
  }
  return "(read)";
}

TEST(ReadDayDrawing, ModernSaturdayInEuroGivesTheWholeDrawingInDrawnOrder) {
  const ServiceDrawing read = ReadDayDrawing(kSaturdayEuro, kSaturday);
  EXPECT_EQ(read.drawing, SaturdayDrawing());
  EXPECT_EQ(read.note, std::nullopt);
}

TEST(ReadDayDrawing, OddsInCentGiveTheSameQuotasAsInEuro) {
  const ServiceDrawing read = ReadDayDrawing(kSaturdayCent, kSaturday);
  EXPECT_EQ(read.drawing, SaturdayDrawing());
  EXPECT_EQ(read.note, std::nullopt);
}

TEST(ReadDayDrawing, OddsThatFitNeitherUnitKeepTheDrawingWithoutQuotasAndSaySo) {
  const ServiceDrawing read = ReadDayDrawing(kSaturdayOddsNeither, kSaturday);
  Drawing expected = SaturdayDrawing();
  expected.quotas.clear();
  EXPECT_EQ(read.drawing, expected);
  EXPECT_EQ(read.note,
            "Die Quoten sind nicht \xFC"
            "bernommen: die Gewinnklasse IX (oddsCollection.odds 7) "
            "passt weder zu 6 Euro noch zu 600 Cent");
}

TEST(ReadDayDrawing, ClassNineAmountFollowsTheDate) {
  // 6 euro were right only from 23.09.2020; in 2019 class IX paid 5.
  const std::string sixIn2019 =
      Changed(kSummer2019, [](json& e) { e["oddsCollection"][1]["odds"] = 6; });
  const ServiceDrawing read = ReadDayDrawing(sixIn2019, Date::FromYmd(2019, 7, 6));
  EXPECT_TRUE(read.drawing.quotas.empty());
  ASSERT_TRUE(read.note);
  EXPECT_NE(read.note->find("weder zu 5 Euro noch zu 500 Cent"), std::string::npos);

  const ServiceDrawing five = ReadDayDrawing(kSummer2019, Date::FromYmd(2019, 7, 6));
  EXPECT_EQ(five.drawing.quotas, (std::vector<Quota>{{PrizeGame::Lotto, 1, 1, 987654320},
                                                     {PrizeGame::Lotto, 9, 150000, 500}}));
}

TEST(ReadDayDrawing, WednesdayWithSuperzahlZero) {
  const ServiceDrawing read = ReadDayDrawing(kWednesday, Date::FromYmd(2025, 12, 3));
  EXPECT_EQ(read.drawing.date, Date::FromYmd(2025, 12, 3));
  EXPECT_EQ(read.drawing.numbers, (std::array<uint8_t, 6>{7, 19, 1, 44, 28, 36}));
  EXPECT_EQ(read.drawing.superzahl, 0);
  EXPECT_EQ(read.drawing.spiel77, "0123456");
  EXPECT_EQ(read.drawing.super6, "987650");
  EXPECT_EQ(read.drawing.quotas, EuroQuotas());
}

TEST(ReadDayDrawing, SummerTimeMidnightIsTheDayItself) {
  // 00:00 in Berlin is 22:00 UTC of the day before in summer.
  const ServiceDrawing read = ReadDayDrawing(kSummer2019, Date::FromYmd(2019, 7, 6));
  EXPECT_EQ(read.drawing.date, Date::FromYmd(2019, 7, 6));
  EXPECT_EQ(read.drawing.superzahl, 9);
  const std::string before =
      Changed(kSummer2019, [](json& e) { e["drawDate"] = 1562364000000 - 1; });
  EXPECT_EQ(RefusalOf(before, Date::FromYmd(2019, 7, 6)),
            "Die Antwort f\xFCr den 06.07.2019 enth\xE4lt die Ziehung vom 05.07.2019 (drawDate)");
}

TEST(ReadDayDrawing, Drawing2012TakesTheZusatzzahlAndNoQuotasWithoutClassNine) {
  const Date day = Date::FromYmd(2012, 12, 1);
  const ServiceDrawing read = ReadDayDrawing(kSaturday2012, day);
  EXPECT_EQ(read.drawing.numbers, (std::array<uint8_t, 6>{12, 5, 33, 48, 20, 9}));
  EXPECT_EQ(read.drawing.zusatzzahl, 17);
  EXPECT_EQ(read.drawing.superzahl, 3);
  EXPECT_TRUE(read.drawing.quotas.empty());
  EXPECT_EQ(read.note,
            "Die Quoten sind nicht \xFC"
            "bernommen: ohne die feste Gewinnklasse IX ist nicht zu "
            "erkennen, ob sie in Euro oder in Cent angegeben sind");
}

TEST(ReadDayDrawing, Drawing2012WithoutZusatzzahlFieldIsKeptAndSaysSoInTheSameNote) {
  const Date day = Date::FromYmd(2012, 12, 1);
  const ServiceDrawing read =
      ReadDayDrawing(Changed(kSaturday2012, [](json& e) { e.erase("extraNumber"); }), day);
  EXPECT_EQ(read.drawing.zusatzzahl, std::nullopt);
  ASSERT_TRUE(read.note);
  EXPECT_EQ(read.note->rfind("Die Antwort nennt keine Zusatzzahl (extraNumber); die Ziehung ist "
                             "ohne sie gespeichert; Die Quoten sind nicht",
                             0),
            0u);
  EXPECT_EQ(ReadDayDrawing(Changed(kSaturday2012, [](json& e) { e["extraNumber"] = nullptr; }), day)
                .drawing.zusatzzahl,
            std::nullopt);
}

TEST(ReadDayDrawing, TheDayItselfDecidesUnitZusatzzahlAndSuperzahl) {
  // The 2012 answer moved to another day, with a ninth quota row of the amount given.
  const auto answerOn = [](Date day, std::optional<int> classIx, bool superzahl = true) {
    return Changed(kSaturday2012, [&](json& e) {
      e["drawDate"] = BerlinMidnightMs(day);
      e["gameType"]["name"] = std::string("Lotto 6aus49 ") + GermanWeekdayName(day);
      if (classIx) {
        e["oddsCollection"].push_back(
            {{"winningClass", 9}, {"numberOfWinners", 100000}, {"odds", *classIx}});
      }
      if (!superzahl) e["superNumber"] = nullptr;
    });
  };
  struct Row {
    const char* what;
    Date day;
    std::optional<int> classIx;
    bool superzahl;
    std::size_t quotas;
    std::optional<uint8_t> zusatzzahl;
  };
  const Row rows[] = {
      {"6 euro from 23.09.2020 on", Date::FromYmd(2020, 9, 23), 6, true, 9, std::nullopt},
      {"5 euro from 04.05.2013 on", Date::FromYmd(2013, 5, 4), 5, true, 9, std::nullopt},
      // No plan before it had a fixed class to tell euro from cent, whatever the answer holds.
      {"a ninth row before 04.05.2013", Date::FromYmd(2013, 5, 1), 5, true, 0, 17},
      {"no Superzahl before 07.12.1991", Date::FromYmd(1991, 11, 30), std::nullopt, false, 0, 17},
  };
  for (const Row& row : rows) {
    const Drawing read =
        ReadDayDrawing(answerOn(row.day, row.classIx, row.superzahl), row.day).drawing;
    EXPECT_EQ(read.quotas.size(), row.quotas) << row.what;
    EXPECT_EQ(read.zusatzzahl, row.zusatzzahl) << row.what;
    EXPECT_EQ(read.superzahl.has_value(), row.superzahl) << row.what;
  }
  EXPECT_EQ(RefusalOf(answerOn(Date::FromYmd(1991, 12, 7), std::nullopt, false),
                      Date::FromYmd(1991, 12, 7)),
            "Die Antwort f\xFCr den 07.12.1991 enth\xE4lt keine Superzahl (superNumber)");
}

TEST(ReadDayDrawing, ZusatzzahlOfTodaysDrawingsIsNotRead) {
  // No Zusatzzahl since May 2013: whatever the field holds then, it is none.
  const std::string answer = Changed(kSaturdayEuro, [](json& e) { e["extraNumber"] = 17; });
  EXPECT_EQ(ReadDayDrawing(answer, kSaturday).drawing, SaturdayDrawing());
}

TEST(ReadDayDrawing, NoQuotaRowsMeanNotYetPublished) {
  const std::function<void(json&)> changes[] = {
      [](json& e) { e["oddsCollection"] = nullptr; },
      [](json& e) { e["oddsCollection"] = json::array(); },
      [](json& e) { e.erase("oddsCollection"); },
  };
  for (const auto& change : changes) {
    const ServiceDrawing read = ReadDayDrawing(Changed(kSaturdayEuro, change), kSaturday);
    EXPECT_TRUE(read.drawing.quotas.empty());
    EXPECT_FALSE(read.quotasPublished);
    EXPECT_EQ(read.note, std::nullopt);
  }
  EXPECT_TRUE(ReadDayDrawing(kSaturdayEuro, kSaturday).quotasPublished);
}

TEST(ReadDayDrawing, GameNameMatchesInAnyCaseAndOnlyAtItsStart) {
  EXPECT_EQ(RefusalOf(Changed(kSaturdayEuro,
                              [](json& e) { e["gameType"]["name"] = "lotto 6AUS49 samstag"; })),
            "(read)");
  EXPECT_EQ(RefusalOf(Changed(kSaturdayEuro,
                              [](json& e) { e["gameType"]["name"] = "Das Lotto 6aus49"; })),
            "Die Antwort f\xFCr den 06.12.2025 enth\xE4lt keine Ziehung von Lotto 6aus49 "
            "(gameType.name)");
}

TEST(ReadDayDrawing, EachMissingFieldIsNamed) {
  const std::string day = "Die Antwort f\xFCr den 06.12.2025 ";
  struct Case {
    const char* field;
    std::function<void(json&)> remove;
    std::string message;
  };
  const Case cases[] = {
      {"gameType", [](json& e) { e.erase("gameType"); },
       "enth\xE4lt keine Ziehung von Lotto 6aus49 (gameType.name)"},
      {"gameType.name", [](json& e) { e["gameType"].erase("name"); },
       "enth\xE4lt keine Ziehung von Lotto 6aus49 (gameType.name)"},
      {"drawDate", [](json& e) { e.erase("drawDate"); },
       "enth\xE4lt kein Ziehungsdatum (drawDate)"},
      {"drawNumbersCollection", [](json& e) { e.erase("drawNumbersCollection"); },
       "enth\xE4lt keine Gewinnzahlen (drawNumbersCollection)"},
      {"index", [](json& e) { e["drawNumbersCollection"][2].erase("index"); },
       "enth\xE4lt eine Gewinnzahl ohne ihre Stelle 1 bis 6 (drawNumbersCollection.index)"},
      {"drawNumber", [](json& e) { e["drawNumbersCollection"][2].erase("drawNumber"); },
       "enth\xE4lt an Stelle 2 keine Gewinnzahl (drawNumbersCollection.drawNumber)"},
      {"superNumber", [](json& e) { e.erase("superNumber"); },
       "enth\xE4lt keine Superzahl (superNumber)"},
      {"superNumber null", [](json& e) { e["superNumber"] = nullptr; },
       "enth\xE4lt keine Superzahl (superNumber)"},
      {"game77", [](json& e) { e.erase("game77"); },
       "enth\xE4lt keine Spiel-77-Zahl (game77.numbers)"},
      {"game77.numbers", [](json& e) { e["game77"].erase("numbers"); },
       "enth\xE4lt keine Spiel-77-Zahl (game77.numbers)"},
      {"super6.numbers", [](json& e) { e["super6"].erase("numbers"); },
       "enth\xE4lt keine Super-6-Zahl (super6.numbers)"},
      {"winningClass", [](json& e) { e["oddsCollection"][3].erase("winningClass"); },
       "enth\xE4lt eine Quote ohne Gewinnklasse 1 bis 9 (oddsCollection.winningClass)"},
      {"numberOfWinners", [](json& e) { e["oddsCollection"][3].erase("numberOfWinners"); },
       "enth\xE4lt in der Quote der Gewinnklasse IV (oddsCollection) keine Zahl der Gewinner "
       "(numberOfWinners)"},
      {"odds", [](json& e) { e["oddsCollection"][3].erase("odds"); },
       "enth\xE4lt in der Quote der Gewinnklasse IV (oddsCollection) keinen Betrag (odds)"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RefusalOf(Changed(kSaturdayEuro, c.remove)), day + c.message) << c.field;
  }
}

TEST(ReadDayDrawing, ValuesThatAreNoDrawingAreRefused) {
  const std::string day = "Die Antwort f\xFCr den 06.12.2025 ";
  struct Case {
    const char* what;
    std::function<void(json&)> change;
    std::string message;
  };
  const Case cases[] = {
      {"number 50", [](json& e) { e["drawNumbersCollection"][0]["drawNumber"] = 50; },
       day + "enth\xE4lt die Gewinnzahl 50 (drawNumbersCollection.drawNumber), die nicht "
             "zwischen 1 und 49 liegt"},
      {"number 0", [](json& e) { e["drawNumbersCollection"][0]["drawNumber"] = 0; },
       day + "enth\xE4lt die Gewinnzahl 0 (drawNumbersCollection.drawNumber), die nicht "
             "zwischen 1 und 49 liegt"},
      {"number 256 would wrap in a byte",
       [](json& e) { e["drawNumbersCollection"][0]["drawNumber"] = 256 + 31; },
       day + "enth\xE4lt die Gewinnzahl 287 (drawNumbersCollection.drawNumber), die nicht "
             "zwischen 1 und 49 liegt"},
      {"number as text", [](json& e) { e["drawNumbersCollection"][0]["drawNumber"] = "31"; },
       day + "enth\xE4lt die Gewinnzahl \"31\" (drawNumbersCollection.drawNumber), die nicht "
             "zwischen 1 und 49 liegt"},
      {"5 numbers", [](json& e) { e["drawNumbersCollection"].erase(5); },
       day + "enth\xE4lt 5 statt 6 Gewinnzahlen (drawNumbersCollection)"},
      {"7 numbers",
       [](json& e) {
         e["drawNumbersCollection"].push_back({{"index", 7}, {"drawNumber", 8}});
       },
       day + "enth\xE4lt 7 statt 6 Gewinnzahlen (drawNumbersCollection)"},
      {"repeated number", [](json& e) { e["drawNumbersCollection"][0]["drawNumber"] = 3; },
       "Die Ziehung vom 06.12.2025 enth\xE4lt die Zahl 3 zweimal"},
      {"index twice", [](json& e) { e["drawNumbersCollection"][1]["index"] = 3; },
       day + "enth\xE4lt die Stelle 3 zweimal (drawNumbersCollection.index)"},
      {"index 7", [](json& e) { e["drawNumbersCollection"][0]["index"] = 7; },
       day + "enth\xE4lt eine Gewinnzahl ohne ihre Stelle 1 bis 6 (drawNumbersCollection.index)"},
      {"Spiel 77 with 6 digits", [](json& e) { e["game77"]["numbers"] = "991123"; },
       day + "enth\xE4lt als Spiel-77-Zahl (game77.numbers) \"991123\" statt 7 Ziffern"},
      {"Spiel 77 as a number", [](json& e) { e["game77"]["numbers"] = 9911235; },
       day + "enth\xE4lt als Spiel-77-Zahl (game77.numbers) 9911235 statt 7 Ziffern"},
      {"Super 6 with a letter", [](json& e) { e["super6"]["numbers"] = "00023x"; },
       day + "enth\xE4lt als Super-6-Zahl (super6.numbers) \"00023x\" statt 6 Ziffern"},
      {"Superzahl 10", [](json& e) { e["superNumber"] = 10; },
       day + "enth\xE4lt als Superzahl (superNumber) 10 statt einer Ziffer von 0 bis 9"},
      {"Superzahl 5.5", [](json& e) { e["superNumber"] = 5.5; },
       day + "enth\xE4lt als Superzahl (superNumber) 5.5 statt einer Ziffer von 0 bis 9"},
      {"drawDate of the next day", [](json& e) { e["drawDate"] = 1765045500000 + 86400000; },
       day + "enth\xE4lt die Ziehung vom 07.12.2025 (drawDate)"},
      {"drawDate as text", [](json& e) { e["drawDate"] = "2025-12-06"; },
       day + "enth\xE4lt als Ziehungsdatum (drawDate) \"2025-12-06\", keine Zeit"},
      {"drawDate beyond year 9999", [](json& e) { e["drawDate"] = INT64_MAX; },
       day + "enth\xE4lt als Ziehungsdatum (drawDate) 9223372036854775807, keine Zeit"},
      {"Wednesday's game on a Saturday",
       [](json& e) { e["gameType"]["name"] = "Lotto 6aus49 Mittwoch"; },
       "Die Antwort f\xFCr den 06.12.2025 (Samstag) enth\xE4lt die Ziehung eines anderen "
       "Wochentags (gameType.name \"Lotto 6aus49 Mittwoch\")"},
      {"class 10", [](json& e) { e["oddsCollection"][3]["winningClass"] = 10; },
       day + "enth\xE4lt eine Quote ohne Gewinnklasse 1 bis 9 (oddsCollection.winningClass)"},
      {"class twice",
       [](json& e) {
         e["oddsCollection"][3].erase("winningClassDescription");
         e["oddsCollection"][3]["winningClass"] = 2;
       },
       "Die Quote von 6 aus 49, Gewinnklasse 2, der Ziehung vom 06.12.2025 steht zweimal darin"},
      {"class disagrees with its description",
       [](json& e) {
         e["oddsCollection"][3]["winningClassDescription"]["winningClassDescriptionPK"]
          ["winningClass"] = 5;
       },
       day + "enth\xE4lt in der Quote der Gewinnklasse IV (oddsCollection) eine andere "
             "Gewinnklasse 5 (winningClassDescription.winningClassDescriptionPK.winningClass)"},
      {"class disagrees with its short name",
       [](json& e) {
         e["oddsCollection"][3]["winningClassDescription"]["winningClassShortName"] = "VI";
       },
       day + "enth\xE4lt in der Quote der Gewinnklasse IV (oddsCollection) den Namen \"VI\" "
             "(winningClassDescription.winningClassShortName)"},
      {"negative winners", [](json& e) { e["oddsCollection"][3]["numberOfWinners"] = -1; },
       day + "enth\xE4lt in der Quote der Gewinnklasse IV (oddsCollection) als Zahl der Gewinner "
             "(numberOfWinners) -1"},
      {"odds as text", [](json& e) { e["oddsCollection"][3]["odds"] = "3.456,70"; },
       day + "enth\xE4lt in der Quote der Gewinnklasse IV (oddsCollection) als Betrag (odds) "
             "\"3.456,70\" statt eines Betrags in Euro und Cent"},
      {"odds below a cent", [](json& e) { e["oddsCollection"][3]["odds"] = 3456.705; },
       day + "enth\xE4lt in der Quote der Gewinnklasse IV (oddsCollection) als Betrag (odds) "
             "3456.705 statt eines Betrags in Euro und Cent"},
      {"odds negative", [](json& e) { e["oddsCollection"][3]["odds"] = -5; },
       day + "enth\xE4lt in der Quote der Gewinnklasse IV (oddsCollection) als Betrag (odds) -5 "
             "statt eines Betrags in Euro und Cent"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RefusalOf(Changed(kSaturdayEuro, c.change)), c.message) << c.what;
  }
  // In cent every amount is whole.
  EXPECT_EQ(
      RefusalOf(Changed(kSaturdayCent, [](json& e) { e["oddsCollection"][3]["odds"] = 345670.5; })),
      day +
          "enth\xE4lt in der Quote der Gewinnklasse IV (oddsCollection) als Betrag (odds) "
          "345670.5 statt ganzer Cent");
  // A Zusatzzahl that is one of the six is none.
  EXPECT_EQ(RefusalOf(Changed(kSaturday2012, [](json& e) { e["extraNumber"] = 33; }),
                      Date::FromYmd(2012, 12, 1)),
            "Die Zusatzzahl der Ziehung vom 01.12.2012 ist schon eine der sechs Zahlen");
  EXPECT_EQ(
      RefusalOf(Changed(kSaturday2012, [](json& e) { e["extraNumber"] = "17"; }),
                Date::FromYmd(2012, 12, 1)),
      "Die Antwort f\xFCr den 01.12.2012 enth\xE4lt als Zusatzzahl (extraNumber) \"17\" statt "
      "einer Zahl von 1 bis 49");
}

TEST(ReadDayDrawing, AnswersThatAreNoListOfDrawingsAreRefused) {
  const std::string day = "Die Antwort f\xFCr den 06.12.2025 ";
  json two = json::parse(kSaturdayEuro);
  two.push_back(two[1]);
  struct Case {
    const char* what;
    std::string answer;
    std::string message;
  };
  const Case cases[] = {
      {"not JSON", "Keine Daten", day + "ist kein JSON"},
      {"cut short", kSaturdayEuro.substr(0, kSaturdayEuro.size() / 2), day + "ist kein JSON"},
      {"empty", "", day + "ist kein JSON"},
      {"HTML page", "\r\n<!DOCTYPE html><html><body>Wartungsarbeiten</body></html>",
       day + "ist eine HTML-Seite statt der Daten des Ergebnisdienstes"},
      {"object", R"({"error":"not found"})", day + "ist keine Liste von Ziehungen"},
      {"no drawing", "[]", day + "enth\xE4lt keine Ziehung von Lotto 6aus49 (gameType.name)"},
      {"two drawings", two.dump(), day + "enth\xE4lt zwei Ziehungen von Lotto 6aus49"},
      // Valid JSON beyond the limit: the size alone refuses it.
      {"2 MB", "[" + std::string(2 * 1024 * 1024, ' ') + "]",
       day + "ist gr\xF6\xDF"
             "er als 1 MB"},
  };
  for (const Case& c : cases) EXPECT_EQ(RefusalOf(c.answer), c.message) << c.what;
  // The limit itself still reads.
  std::string padded = kSaturdayEuro;
  padded.resize(kMaxServiceAnswerBytes, ' ');
  EXPECT_EQ(RefusalOf(padded), "(read)");
  EXPECT_EQ(RefusalOf(padded + " "), day +
                                         "ist gr\xF6\xDF"
                                         "er als 1 MB");
}

TEST(ReadRangeDrawings, EveryDrawingOfTheRangeByItsOwnDayOthersLeftOut) {
  const Date wednesday = Date::FromYmd(2025, 12, 3);
  // The Saturday answer holds another game first; the Wednesday's is before the range asked.
  const std::string answer = RangeAnswer({kSaturdayEuro, kWednesday});
  const auto read = ReadRangeDrawings(answer, wednesday, kSaturday);
  ASSERT_TRUE(read);
  ASSERT_EQ(read->size(), 2u);
  EXPECT_EQ((*read)[0].drawing, ReadDayDrawing(kWednesday, wednesday).drawing);
  EXPECT_EQ((*read)[1].drawing, SaturdayDrawing());
  EXPECT_EQ(ReadRangeDrawings(answer, kSaturday, kSaturday)->size(), 1u);
  EXPECT_EQ(ReadRangeDrawings("[]", wednesday, kSaturday)->size(), 0u);
}

TEST(ReadRangeDrawings, AnAnswerThatIsNoListOfDrawingsRefusesTheRangeForm) {
  const Date first = Date::FromYmd(2025, 12, 3);
  const std::string noDate = Changed(kSaturdayEuro, [](json& e) { e.erase("drawDate"); });
  const std::string noGame = Changed(kSaturdayEuro, [](json& e) { e.erase("gameType"); });
  for (const std::string& answer :
       {std::string("error code: 1015"), std::string(R"({"draws":[]})"), std::string("[1,2]"),
        std::string("<html><body>Nicht gefunden</body></html>"), noDate, noGame}) {
    EXPECT_EQ(ReadRangeDrawings(answer, first, kSaturday), std::nullopt) << answer;
  }
  // A drawing that is read but cannot be one is refused as in a day's answer.
  json two = json::parse(kSaturdayEuro);
  two.push_back(two[1]);
  const std::string broken = Changed(kSaturdayEuro, [](json& e) { e.erase("superNumber"); });
  for (const std::string& answer : {two.dump(), broken}) {
    EXPECT_THROW(ReadRangeDrawings(answer, first, kSaturday), ServiceAnswerError) << answer;
  }
}

TEST(ReadDayList, DaysInDateOrderEachOnce) {
  EXPECT_EQ(ReadDayList(R"({"days":[{"date":"2025-12-06"},{"date":"2025-11-29"},
                                    {"date":"2025-12-06"},{"date":"2025-12-03"}]})",
                        2025),
            (std::vector<Date>{Date::FromYmd(2025, 11, 29), Date::FromYmd(2025, 12, 3),
                               Date::FromYmd(2025, 12, 6)}));
  EXPECT_TRUE(ReadDayList(kNoDays, 2025).empty());
}

TEST(ReadDayList, BrokenListsAreRefusedWithTheYear) {
  const std::string year = "Die Liste der Ziehungstage 2025 ";
  struct Case {
    std::string answer;
    std::string message;
  };
  const Case cases[] = {
      {"{}", year + "enth\xE4lt keine Tage (days)"},
      {R"({"days":null})", year + "enth\xE4lt keine Tage (days)"},
      {R"({"days":{"date":"2025-12-06"}})", year + "enth\xE4lt keine Liste der Tage (days)"},
      {R"([{"date":"2025-12-06"}])", year + "enth\xE4lt keine Tage (days)"},
      {R"({"days":[{"datum":"2025-12-06"}]})",
       year + "enth\xE4lt einen Tag ohne Datum (days.date)"},
      {R"({"days":[{"date":"2025-02-29"}]})",
       year + "enth\xE4lt als Datum (days.date) \"2025-02-29\", das kein Tag ist"},
      {R"({"days":[{"date":"06.12.2025"}]})",
       year + "enth\xE4lt als Datum (days.date) \"06.12.2025\", das kein Tag ist"},
      {R"({"days":[{"date":1765045500000}]})",
       year + "enth\xE4lt als Datum (days.date) 1765045500000, das kein Tag ist"},
      {R"({"days":[)", year + "ist kein JSON"},
      {"<html><body>502 Bad Gateway</body></html>",
       year + "ist eine HTML-Seite statt der Daten des Ergebnisdienstes"},
      {R"({"days":[)" + std::string(1100000, ' ') + "]}", year + "ist gr\xF6\xDF"
                                                                 "er als 1 MB"},
  };
  for (const Case& c : cases) {
    try {
      ReadDayList(c.answer, 2025);
      ADD_FAILURE() << c.answer.substr(0, 40) << " was read";
    } catch (const ServiceAnswerError& e) {
      EXPECT_EQ(e.what(), c.message) << c.answer.substr(0, 40);
    }
  }
}

TEST(ServicePaths, YearAndDayInBerlinMilliseconds) {
  EXPECT_EQ(HistoryPath(2025), "/history/1767135600000");
  EXPECT_EQ(HistoryPath(2012), "/history/1356908400000");
  EXPECT_EQ(DrawsPath(Date::FromYmd(2025, 12, 3)), "/draws/1764716400000");
  EXPECT_EQ(DrawsPath(Date::FromYmd(2020, 9, 23)), "/draws/1600812000000");
}

}  // namespace
}  // namespace kw::test
