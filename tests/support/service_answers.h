#pragma once

// Answers of the lottery's results service, written by hand in the shape its public clients
// read, for real drawing days. Shared by the reader's tests, the fetch tests, the benchmark and
// (as files) the fuzz target's seeds.

#include <cstdio>
#include <string>
#include <vector>

#include "core/date.h"
#include "service/results_service.h"

namespace kw::test {

// The drawing days the service's answers of the tests speak of: two Saturdays and the Wednesday
// between them.
inline const Date kNov29 = Date::FromYmd(2025, 11, 29);
inline const Date kDec3 = Date::FromYmd(2025, 12, 3);
inline const Date kDec6 = Date::FromYmd(2025, 12, 6);

// The odds rows of a drawing from 2020-09-23 on, in euro: class IX pays a fixed 6 euro.
inline const std::string kOddsEuro = R"([
  {"winningClass":1,"numberOfWinners":0,"odds":0,
   "winningClassDescription":{"winningClassDescriptionPK":{"winningClass":1},
                              "winningClassShortName":"I"}},
  {"winningClass":2,"numberOfWinners":2,"odds":512345.6,
   "winningClassDescription":{"winningClassDescriptionPK":{"winningClass":2},
                              "winningClassShortName":"II"}},
  {"winningClass":3,"numberOfWinners":18,"odds":12345.3,
   "winningClassDescription":{"winningClassDescriptionPK":{"winningClass":3},
                              "winningClassShortName":"III"}},
  {"winningClass":4,"numberOfWinners":250,"odds":3456.7,
   "winningClassDescription":{"winningClassDescriptionPK":{"winningClass":4},
                              "winningClassShortName":"IV"}},
  {"winningClass":5,"numberOfWinners":1200,"odds":178.9,
   "winningClassDescription":{"winningClassDescriptionPK":{"winningClass":5},
                              "winningClassShortName":"V"}},
  {"winningClass":6,"numberOfWinners":12000,"odds":43.2,
   "winningClassDescription":{"winningClassDescriptionPK":{"winningClass":6},
                              "winningClassShortName":"VI"}},
  {"winningClass":7,"numberOfWinners":25000,"odds":19.8,
   "winningClassDescription":{"winningClassDescriptionPK":{"winningClass":7},
                              "winningClassShortName":"VII"}},
  {"winningClass":8,"numberOfWinners":230000,"odds":11.5,
   "winningClassDescription":{"winningClassDescriptionPK":{"winningClass":8},
                              "winningClassShortName":"VIII"}},
  {"winningClass":9,"numberOfWinners":190000,"odds":6.0,
   "winningClassDescription":{"winningClassDescriptionPK":{"winningClass":9},
                              "winningClassShortName":"IX"}}
])";

// The same rows in cent.
inline const std::string kOddsCent = R"([
  {"winningClass":1,"numberOfWinners":0,"odds":0,
   "winningClassDescription":{"winningClassDescriptionPK":{"winningClass":1},
                              "winningClassShortName":"I"}},
  {"winningClass":2,"numberOfWinners":2,"odds":51234560,
   "winningClassDescription":{"winningClassDescriptionPK":{"winningClass":2},
                              "winningClassShortName":"II"}},
  {"winningClass":3,"numberOfWinners":18,"odds":1234530,
   "winningClassDescription":{"winningClassDescriptionPK":{"winningClass":3},
                              "winningClassShortName":"III"}},
  {"winningClass":4,"numberOfWinners":250,"odds":345670,
   "winningClassDescription":{"winningClassDescriptionPK":{"winningClass":4},
                              "winningClassShortName":"IV"}},
  {"winningClass":5,"numberOfWinners":1200,"odds":17890,
   "winningClassDescription":{"winningClassDescriptionPK":{"winningClass":5},
                              "winningClassShortName":"V"}},
  {"winningClass":6,"numberOfWinners":12000,"odds":4320,
   "winningClassDescription":{"winningClassDescriptionPK":{"winningClass":6},
                              "winningClassShortName":"VI"}},
  {"winningClass":7,"numberOfWinners":25000,"odds":1980,
   "winningClassDescription":{"winningClassDescriptionPK":{"winningClass":7},
                              "winningClassShortName":"VII"}},
  {"winningClass":8,"numberOfWinners":230000,"odds":1150,
   "winningClassDescription":{"winningClassDescriptionPK":{"winningClass":8},
                              "winningClassShortName":"VIII"}},
  {"winningClass":9,"numberOfWinners":190000,"odds":600,
   "winningClassDescription":{"winningClassDescriptionPK":{"winningClass":9},
                              "winningClassShortName":"IX"}}
])";

// Saturday 06.12.2025, drawn 19:25 in Berlin (winter time): 31 3 49 15 40 22 in drawn order,
// Superzahl 5. Another game of the same day stands before it.
inline std::string SaturdayAnswer(const std::string& odds) {
  return R"([
 {"gameType":{"name":"GlücksSpirale"},"drawDate":1765045500000,"drawNumbersCollection":[]},
 {"id":9876,"gameType":{"name":"Lotto 6aus49 Samstag"},"drawDate":1765045500000,
  "drawNumbersCollection":[{"index":3,"drawNumber":49},{"index":1,"drawNumber":31},
   {"index":2,"drawNumber":3},{"index":4,"drawNumber":15},{"index":5,"drawNumber":40},
   {"index":6,"drawNumber":22}],
  "superNumber":5,
  "game77":{"numbers":"9911235"},
  "super6":{"numbers":"000235"},
  "oddsCollection":)" +
         odds + "}\n]";
}
inline const std::string kSaturdayEuro = SaturdayAnswer(kOddsEuro);
inline const std::string kSaturdayCent = SaturdayAnswer(kOddsCent);

// Class IX at 7: neither 6 euro nor 600 cent.
inline const std::string kSaturdayOddsNeither = SaturdayAnswer(R"([
  {"winningClass":2,"numberOfWinners":2,"odds":512345.6},
  {"winningClass":9,"numberOfWinners":190000,"odds":7}
])");

// Wednesday 03.12.2025, 18:25 in Berlin, odds in euro; drawDate 00:00 of the day would do too.
inline const std::string kWednesday = R"([
 {"gameType":{"name":"Lotto 6aus49 Mittwoch"},"drawDate":1764782700000,
  "drawNumbersCollection":[{"index":1,"drawNumber":7},{"index":2,"drawNumber":19},
   {"index":3,"drawNumber":1},{"index":4,"drawNumber":44},{"index":5,"drawNumber":28},
   {"index":6,"drawNumber":36}],
  "superNumber":0,"game77":{"numbers":"0123456"},"super6":{"numbers":"987650"},
  "oddsCollection":)" + kOddsEuro + "}]";

// Saturday 06.07.2019, summer time, when class IX paid 5 euro; drawDate is 00:00 of the day.
inline const std::string kSummer2019 = R"([
 {"gameType":{"name":"LOTTO 6aus49 Samstag"},"drawDate":1562364000000,
  "drawNumbersCollection":[{"index":1,"drawNumber":2},{"index":2,"drawNumber":11},
   {"index":3,"drawNumber":27},{"index":4,"drawNumber":30},{"index":5,"drawNumber":41},
   {"index":6,"drawNumber":45}],
  "superNumber":9,"game77":{"numbers":"5550001"},"super6":{"numbers":"123123"},
  "oddsCollection":[{"winningClass":1,"numberOfWinners":1,"odds":9876543.2},
   {"winningClass":9,"numberOfWinners":150000,"odds":5}]}])";

// Saturday 01.12.2012: a Zusatzzahl in extraNumber, eight classes, no class IX yet.
inline const std::string kSaturday2012 = R"([
 {"gameType":{"name":"Lotto 6aus49 Samstag"},"drawDate":1354386300000,
  "drawNumbersCollection":[{"index":1,"drawNumber":12},{"index":2,"drawNumber":5},
   {"index":3,"drawNumber":33},{"index":4,"drawNumber":48},{"index":5,"drawNumber":20},
   {"index":6,"drawNumber":9}],
  "extraNumber":17,"superNumber":3,"game77":{"numbers":"4412345"},"super6":{"numbers":"556677"},
  "oddsCollection":[
   {"winningClass":1,"numberOfWinners":0,"odds":0},
   {"winningClass":2,"numberOfWinners":1,"odds":1345678.9},
   {"winningClass":3,"numberOfWinners":4,"odds":98765.4},
   {"winningClass":4,"numberOfWinners":60,"odds":5432.1},
   {"winningClass":5,"numberOfWinners":300,"odds":210.0},
   {"winningClass":6,"numberOfWinners":4000,"odds":45.6},
   {"winningClass":7,"numberOfWinners":7000,"odds":23.4},
   {"winningClass":8,"numberOfWinners":90000,"odds":9.1}]}])";

// The drawing days of 2025 and of 2012 (only those the tests fetch), and an empty list.
inline const std::string kDays2025 =
    R"({"days":[{"date":"2025-11-29"},{"date":"2025-12-03"},{"date":"2025-12-06"}]})";
inline const std::string kDays2012 = R"({"days":[{"date":"2012-12-01"}]})";
inline const std::string kNoDays = R"({"days":[]})";

// An answer in the same shape for any drawing day from 23.09.2020 on, the numbers taken from
// seed: for the tests and the benchmark that fetch many days.
inline std::string MadeUpAnswer(Date day, int seed) {
  std::string numbers;
  for (int k = 0; k < 6; ++k) {
    if (k > 0) numbers += ",";
    numbers += "{\"index\":" + std::to_string(k + 1) +
               ",\"drawNumber\":" + std::to_string((seed * 7 + k * 11) % 49 + 1) + "}";
  }
  char digits[16];
  std::snprintf(digits, sizeof digits, "%07d", (seed * 7919) % 10000000);
  const std::string game77 = digits;
  return std::string("[{\"gameType\":{\"name\":\"Lotto 6aus49 ") + GermanWeekdayName(day) +
         "\"},\"drawDate\":" + std::to_string(BerlinMidnightMs(day) + 69900000) +
         ",\"drawNumbersCollection\":[" + numbers +
         "],\"superNumber\":" + std::to_string(seed % 10) + ",\"game77\":{\"numbers\":\"" + game77 +
         "\"},\"super6\":{\"numbers\":\"" + game77.substr(1) +
         "\"},\"oddsCollection\":" + kOddsEuro + "}]";
}

// A range answer: the drawings of several day answers in one array, other games included.
inline std::string RangeAnswer(const std::vector<std::string>& dayAnswers) {
  std::string all;
  for (const std::string& day : dayAnswers) {
    const std::size_t open = day.find('['), close = day.rfind(']');
    if (!all.empty()) all += ",";
    all += day.substr(open + 1, close - open - 1);
  }
  return "[" + all + "]";
}

inline std::string DayListOf(const std::vector<Date>& days) {
  std::string list;
  for (const Date day : days) {
    if (!list.empty()) list += ",";
    list += "{\"date\":\"" + FormatIsoDate(day) + "\"}";
  }
  return "{\"days\":[" + list + "]}";
}

}  // namespace kw::test
