#include "service/results_service.h"

#include <algorithm>
#include <cmath>
#include <nlohmann/json.hpp>

#include "core/cp1252.h"
#include "eval/prize_plan.h"
#include "json/json_fields.h"

namespace kw {

namespace {

using nlohmann::json;

// The class whose fixed amount tells whether an answer's amounts are euro or cent.
constexpr int kUnitClass = 9;
// ---- reading JSON ----------------------------------------------------------------------------

// A value as it stands in the answer, short enough for a message.
std::string Shown(const json& value) {
  std::string text = value.dump(-1, ' ', false, json::error_handler_t::replace);
  if (text.size() > 24) text = text.substr(0, 24) + "...";
  return Utf8ToCp1252Lossy(text);
}

// The answer as JSON; `what` begins every message ("Die Antwort für den 06.12.2025").
json Parse(std::string_view answer, const std::string& what) {
  if (answer.size() > kMaxServiceAnswerBytes) {
    throw ServiceAnswerError(what +
                             " ist gr\xF6\xDF"
                             "er als 1 MB");
  }
  const std::size_t first = answer.find_first_not_of(" \t\r\n");
  if (first != std::string_view::npos && answer[first] == '<') {
    throw ServiceAnswerError(what + " ist eine HTML-Seite statt der Daten des Ergebnisdienstes");
  }
  json parsed = json::parse(answer.begin(), answer.end(), nullptr, false);
  if (parsed.is_discarded()) throw ServiceAnswerError(what + " ist kein JSON");
  return parsed;
}

std::string Lower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

// One drawing object of a day's answer, read field by field.
class DrawingReader {
 public:
  DrawingReader(const json& entry, Date day)
      : entry_(entry), day_(day), what_("Die Antwort f\xFCr den " + FormatShortDate(day)) {}

  ServiceDrawing Read() {
    ServiceDrawing result;
    Drawing& d = result.drawing;
    d.date = day_;
    CheckDrawDate();
    d.numbers = Numbers();
    d.superzahl = Superzahl();
    d.spiel77 = Digits("game77", "Spiel-77-Zahl", kSpiel77Digits);
    d.super6 = Digits("super6", "Super-6-Zahl", kSuper6Digits);
    if (day_ <= LastZusatzzahlDay()) d.zusatzzahl = Zusatzzahl();
    d.quotas = Quotas(result.quotasPublished);
    if (const std::optional<std::string> problem = DrawingProblem(d)) {
      throw ServiceAnswerError(*problem);
    }
    if (!notes_.empty()) result.note = notes_;
    return result;
  }

 private:
  [[noreturn]] void Fail(const std::string& text) const {
    throw ServiceAnswerError(what_ + " " + text);
  }
  void Note(const std::string& text) {
    if (!notes_.empty()) notes_ += "; ";
    notes_ += text;
  }

  void CheckDrawDate() const {
    const json* value = JsonMember(entry_, "drawDate");
    if (JsonAbsent(value)) Fail("enth\xE4lt kein Ziehungsdatum (drawDate)");
    const std::optional<int64_t> ms = JsonWhole(value);
    const std::optional<Date> date = ms ? BerlinDateOfMs(*ms) : std::nullopt;
    if (!date) Fail("enth\xE4lt als Ziehungsdatum (drawDate) " + Shown(*value) + ", keine Zeit");
    if (*date != day_) {
      Fail("enth\xE4lt die Ziehung vom " + FormatShortDate(*date) + " (drawDate)");
    }
  }

  std::array<uint8_t, kNumbersPerGame> Numbers() const {
    const std::string six = std::to_string(kNumbersPerGame);
    const json* list = JsonMember(entry_, "drawNumbersCollection");
    if (JsonAbsent(list)) Fail("enth\xE4lt keine Gewinnzahlen (drawNumbersCollection)");
    if (!list->is_array()) Fail("enth\xE4lt keine Liste der Gewinnzahlen (drawNumbersCollection)");
    if (list->size() != kNumbersPerGame) {
      Fail("enth\xE4lt " + std::to_string(list->size()) + " statt " + six +
           " Gewinnzahlen (drawNumbersCollection)");
    }
    std::array<uint8_t, kNumbersPerGame> numbers{};
    std::array<bool, kNumbersPerGame> seen{};
    for (const json& item : *list) {
      const json* indexValue = JsonMember(item, "index");
      const std::optional<int64_t> index = JsonWhole(indexValue);
      if (!index || *index < 1 || *index > kNumbersPerGame) {
        Fail("enth\xE4lt eine Gewinnzahl ohne ihre Stelle 1 bis " + six +
             " (drawNumbersCollection.index)");
      }
      if (seen[*index - 1]) {
        Fail("enth\xE4lt die Stelle " + std::to_string(*index) +
             " zweimal (drawNumbersCollection.index)");
      }
      seen[*index - 1] = true;
      const json* numberValue = JsonMember(item, "drawNumber");
      if (JsonAbsent(numberValue)) {
        Fail("enth\xE4lt an Stelle " + std::to_string(*index) +
             " keine Gewinnzahl (drawNumbersCollection.drawNumber)");
      }
      const std::optional<int64_t> number = JsonWhole(numberValue);
      if (!number || *number < kLowestNumber || *number > kHighestNumber) {
        Fail("enth\xE4lt die Gewinnzahl " + Shown(*numberValue) +
             " (drawNumbersCollection.drawNumber), die nicht zwischen " +
             std::to_string(kLowestNumber) + " und " + std::to_string(kHighestNumber) + " liegt");
      }
      numbers[*index - 1] = static_cast<uint8_t>(*number);
    }
    return numbers;
  }

  std::optional<uint8_t> Superzahl() const {
    const json* value = JsonMember(entry_, "superNumber");
    // Null is how the service says "not drawn"; that is true only before December 1991.
    if (value == nullptr || (value->is_null() && day_ >= FirstSuperzahlDay())) {
      Fail("enth\xE4lt keine Superzahl (superNumber)");
    }
    if (value->is_null()) return std::nullopt;
    const std::optional<int64_t> number = JsonWhole(value);
    if (!number || *number < kLowestSuperzahl || *number > kHighestSuperzahl) {
      Fail("enth\xE4lt als Superzahl (superNumber) " + Shown(*value) + " statt einer Ziffer von " +
           std::to_string(kLowestSuperzahl) + " bis " + std::to_string(kHighestSuperzahl));
    }
    return static_cast<uint8_t>(*number);
  }

  // game77.numbers and super6.numbers: digits as text, so that leading zeros stay.
  std::string Digits(const char* game, const char* name, std::size_t count) const {
    const std::string field = std::string(game) + ".numbers";
    const json* value = JsonMember(entry_, game);
    value = value ? JsonMember(*value, "numbers") : nullptr;
    if (JsonAbsent(value)) Fail(std::string("enth\xE4lt keine ") + name + " (" + field + ")");
    const bool digits = value->is_string() &&
                        value->get_ref<const std::string&>().size() == count &&
                        std::all_of(value->get_ref<const std::string&>().begin(),
                                    value->get_ref<const std::string&>().end(),
                                    [](char c) { return c >= '0' && c <= '9'; });
    if (!digits) {
      Fail(std::string("enth\xE4lt als ") + name + " (" + field + ") " + Shown(*value) + " statt " +
           std::to_string(count) + " Ziffern");
    }
    return value->get<std::string>();
  }

  // Until May 2013 a Zusatzzahl was drawn. The service's field for it is not known for sure;
  // extraNumber is read where it is given, and a drawing without it is kept without one.
  std::optional<uint8_t> Zusatzzahl() {
    const json* value = JsonMember(entry_, "extraNumber");
    if (JsonAbsent(value)) {
      Note(
          "Die Antwort nennt keine Zusatzzahl (extraNumber); die Ziehung ist ohne sie gespeichert");
      return std::nullopt;
    }
    const std::optional<int64_t> number = JsonWhole(value);
    if (!number || *number < kLowestNumber || *number > kHighestNumber) {
      Fail("enth\xE4lt als Zusatzzahl (extraNumber) " + Shown(*value) + " statt einer Zahl von " +
           NumberRangeText());
    }
    return static_cast<uint8_t>(*number);
  }

  // The quotas of 6 aus 49. Whether `odds` counts euro or cent is not documented; class IX,
  // whose fixed amount the day's plan knows, tells. Where it cannot tell, no quota is taken.
  std::vector<Quota> Quotas(bool& published) {
    const json* rows = JsonMember(entry_, "oddsCollection");
    // Without rows the quotas are not published yet: Saturday's come on Monday.
    published = !(JsonAbsent(rows) || (rows->is_array() && rows->empty()));
    if (!published) return {};
    if (!rows->is_array()) Fail("enth\xE4lt keine Liste der Quoten (oddsCollection)");

    const std::optional<int64_t> fixedCents = FixedAmount(PrizeGame::Lotto, kUnitClass, day_);
    const json* classIx = nullptr;
    for (const json& row : *rows) {
      if (JsonWhole(JsonMember(row, "winningClass")) == kUnitClass) classIx = &row;
    }
    if (!fixedCents || classIx == nullptr) {
      Note(
          "Die Quoten sind nicht \xFC"
          "bernommen: ohne die feste Gewinnklasse IX ist nicht zu "
          "erkennen, ob sie in Euro oder in Cent angegeben sind");
      return {};
    }
    const json* ixOdds = JsonMember(*classIx, "odds");
    const bool number = ixOdds && ixOdds->is_number();
    const double ix = number ? ixOdds->get<double>() : -1;
    const int64_t fixedEuro = *fixedCents / 100;
    int64_t centsPerUnit = 0;
    if (ix * 100 == static_cast<double>(*fixedCents)) {
      centsPerUnit = 100;
    } else if (ix == static_cast<double>(*fixedCents)) {
      centsPerUnit = 1;
    } else {
      Note(
          "Die Quoten sind nicht \xFC"
          "bernommen: die Gewinnklasse IX (oddsCollection.odds " +
          (ixOdds ? Shown(*ixOdds) : std::string("fehlt")) + ") passt weder zu " +
          std::to_string(fixedEuro) + " Euro noch zu " + std::to_string(*fixedCents) + " Cent");
      return {};
    }

    std::vector<Quota> quotas;
    for (const json& row : *rows) quotas.push_back(QuotaOf(row, centsPerUnit));
    return quotas;
  }

  Quota QuotaOf(const json& row, int64_t centsPerUnit) const {
    const std::optional<int64_t> prizeClass = JsonWhole(JsonMember(row, "winningClass"));
    const int highest = ClassCount(PrizeGame::Lotto);
    if (!prizeClass || *prizeClass < 1 || *prizeClass > highest) {
      Fail("enth\xE4lt eine Quote ohne Gewinnklasse 1 bis " + std::to_string(highest) +
           " (oddsCollection.winningClass)");
    }
    const std::string_view roman = RomanClass(static_cast<int>(*prizeClass));
    const std::string where =
        "enth\xE4lt in der Quote der Gewinnklasse " + std::string(roman) + " (oddsCollection) ";
    // The class stands twice more in the row; where it is given, it must agree.
    const json* description = JsonMember(row, "winningClassDescription");
    const json* pk = description ? JsonMember(*description, "winningClassDescriptionPK") : nullptr;
    const json* again = pk ? JsonMember(*pk, "winningClass") : nullptr;
    if (!JsonAbsent(again) && JsonWhole(again) != prizeClass) {
      Fail(where + "eine andere Gewinnklasse " + Shown(*again) +
           " (winningClassDescription.winningClassDescriptionPK.winningClass)");
    }
    const json* shortName = description ? JsonMember(*description, "winningClassShortName") : nullptr;
    if (!JsonAbsent(shortName) && !(shortName->is_string() && shortName->get<std::string>() == roman)) {
      Fail(where + "den Namen " + Shown(*shortName) +
           " (winningClassDescription.winningClassShortName)");
    }

    const json* winnersValue = JsonMember(row, "numberOfWinners");
    if (JsonAbsent(winnersValue)) Fail(where + "keine Zahl der Gewinner (numberOfWinners)");
    const std::optional<int64_t> winners = JsonWhole(winnersValue);
    if (!winners || *winners < 0) {
      Fail(where + "als Zahl der Gewinner (numberOfWinners) " + Shown(*winnersValue));
    }

    const json* oddsValue = JsonMember(row, "odds");
    if (JsonAbsent(oddsValue)) Fail(where + "keinen Betrag (odds)");
    // Far beyond any jackpot, and within what a double holds to the cent.
    constexpr double kMostCents = 1e13;
    const double cents = oddsValue->is_number() ? oddsValue->get<double>() * centsPerUnit : -1;
    const double whole = std::round(cents);
    if (!(cents >= 0 && cents <= kMostCents && std::fabs(cents - whole) < 1e-3)) {
      Fail(where + "als Betrag (odds) " + Shown(*oddsValue) +
           (centsPerUnit == 1 ? " statt ganzer Cent" : " statt eines Betrags in Euro und Cent"));
    }
    return Quota{PrizeGame::Lotto, static_cast<int>(*prizeClass), *winners,
                 static_cast<int64_t>(whole)};
  }

  const json& entry_;
  Date day_;
  std::string what_;
  std::string notes_;
};

// Whether the entry is the drawing of 6 aus 49, by its game's name, whose third word names the
// weekday: a drawing of another weekday is no answer for the day.
bool IsLottoEntry(const json& entry, Date day, const std::string& what) {
  const json* gameType = JsonMember(entry, "gameType");
  const json* gameName = gameType ? JsonMember(*gameType, "name") : nullptr;
  if (gameName == nullptr || !gameName->is_string()) return false;
  const std::string lower = Lower(gameName->get<std::string>());
  if (lower.rfind("lotto 6aus49", 0) != 0) return false;
  const std::string weekday = lower.substr(std::string_view("lotto 6aus49").size());
  for (const char* name :
       {"montag", "dienstag", "mittwoch", "donnerstag", "freitag", "samstag", "sonntag"}) {
    const std::string word = std::string(" ") + name;
    if (weekday.rfind(word, 0) == 0 && Lower(GermanWeekdayName(day)) != name) {
      throw ServiceAnswerError(what + " (" + GermanWeekdayName(day) +
                               ") enth\xE4lt die Ziehung eines anderen Wochentags (gameType.name " +
                               Shown(*gameName) + ")");
    }
  }
  return true;
}

}  // namespace

std::string HistoryPath(int year) {
  return "/history/" + std::to_string(BerlinMidnightMs(Date::FromYmd(year, 12, 31)));
}

std::string DrawsPath(Date day) { return "/draws/" + std::to_string(BerlinMidnightMs(day)); }

std::string RangePath(Date first, Date last) {
  return DrawsPath(first) + "/" + std::to_string(BerlinMidnightMs(last));
}

std::vector<Date> ReadDayList(std::string_view answer, int year) {
  const std::string what = "Die Liste der Ziehungstage " + std::to_string(year);
  const json parsed = Parse(answer, what);
  const json* days = JsonMember(parsed, "days");
  if (JsonAbsent(days)) throw ServiceAnswerError(what + " enth\xE4lt keine Tage (days)");
  if (!days->is_array()) throw ServiceAnswerError(what + " enth\xE4lt keine Liste der Tage (days)");
  std::vector<Date> dates;
  dates.reserve(days->size());
  for (const json& entry : *days) {
    const json* text = JsonMember(entry, "date");
    if (JsonAbsent(text)) {
      throw ServiceAnswerError(what + " enth\xE4lt einen Tag ohne Datum (days.date)");
    }
    const std::optional<Date> date =
        text->is_string() ? ParseIsoDate(text->get_ref<const std::string&>()) : std::nullopt;
    if (!date) {
      throw ServiceAnswerError(what + " enth\xE4lt als Datum (days.date) " + Shown(*text) +
                               ", das kein Tag ist");
    }
    dates.push_back(*date);
  }
  std::sort(dates.begin(), dates.end());
  dates.erase(std::unique(dates.begin(), dates.end()), dates.end());
  return dates;
}

ServiceDrawing ReadDayDrawing(std::string_view answer, Date day) {
  const std::string what = "Die Antwort f\xFCr den " + FormatShortDate(day);
  const json parsed = Parse(answer, what);
  if (!parsed.is_array()) throw ServiceAnswerError(what + " ist keine Liste von Ziehungen");
  const json* found = nullptr;
  for (const json& entry : parsed) {
    if (!IsLottoEntry(entry, day, what)) continue;
    if (found != nullptr) {
      throw ServiceAnswerError(what + " enth\xE4lt zwei Ziehungen von Lotto 6aus49");
    }
    found = &entry;
  }
  if (found == nullptr) {
    throw ServiceAnswerError(what + " enth\xE4lt keine Ziehung von Lotto 6aus49 (gameType.name)");
  }
  return DrawingReader(*found, day).Read();
}

std::optional<std::vector<ServiceDrawing>> ReadRangeDrawings(std::string_view answer, Date first,
                                                             Date last) {
  if (answer.size() > kMaxServiceRangeBytes) return std::nullopt;
  const json parsed = json::parse(answer.begin(), answer.end(), nullptr, false);
  if (parsed.is_discarded() || !parsed.is_array()) return std::nullopt;
  // Every entry must look like a drawing before any is read: otherwise the range path answers
  // something else, and the days are asked for one by one.
  std::vector<std::pair<Date, const json*>> entries;
  for (const json& entry : parsed) {
    const json* gameType = JsonMember(entry, "gameType");
    const json* gameName = gameType ? JsonMember(*gameType, "name") : nullptr;
    const std::optional<int64_t> ms = JsonWhole(JsonMember(entry, "drawDate"));
    const std::optional<Date> day = ms ? BerlinDateOfMs(*ms) : std::nullopt;
    if (!gameName || !gameName->is_string() || !day) return std::nullopt;
    if (*day >= first && *day <= last) entries.emplace_back(*day, &entry);
  }
  std::stable_sort(entries.begin(), entries.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  const std::string what = "Die Antwort f\xFCr die Ziehungen vom " + FormatShortDate(first) +
                           " bis " + FormatShortDate(last);
  std::vector<ServiceDrawing> drawings;
  for (const auto& [day, entry] : entries) {
    if (!IsLottoEntry(*entry, day, what)) continue;
    if (!drawings.empty() && drawings.back().drawing.date == day) {
      throw ServiceAnswerError(what + " enth\xE4lt zwei Ziehungen von Lotto 6aus49 am " +
                               FormatShortDate(day));
    }
    drawings.push_back(DrawingReader(*entry, day).Read());
  }
  return drawings;
}

}  // namespace kw
