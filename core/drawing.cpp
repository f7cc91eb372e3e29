#include "core/drawing.h"

#include <algorithm>

#include "core/text.h"

namespace kw {

namespace {

bool AllDigits(const std::string& text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool Within(int n, int lowest, int highest) { return n >= lowest && n <= highest; }
bool IsDrawnNumber(int n) { return Within(n, kLowestNumber, kHighestNumber); }

// "zwischen 1 und 49".
std::string BetweenNumbers() {
  return "zwischen " + std::to_string(kLowestNumber) + " und " + std::to_string(kHighestNumber);
}

bool HasDigits(const std::optional<std::string>& text, int digits) {
  return text->size() == static_cast<std::size_t>(digits) && AllDigits(*text);
}

}  // namespace

const char* PrizeGameName(PrizeGame game) {
  switch (game) {
    case PrizeGame::Lotto:
      return "6 aus 49";
    case PrizeGame::Spiel77:
      return "Spiel 77";
    case PrizeGame::Super6:
      return "Super 6";
  }
  return "";
}

const Quota* Drawing::QuotaOf(PrizeGame game, int prizeClass) const {
  for (const Quota& quota : quotas) {
    if (quota.game == game && quota.prizeClass == prizeClass) return &quota;
  }
  return nullptr;
}

std::optional<std::string> DrawingProblem(const Drawing& drawing) {
  // The messages are built only for a drawing that fails: today's check asks for every one.
  const auto day = [&drawing] { return FormatShortDate(drawing.date); };
  for (std::size_t i = 0; i < drawing.numbers.size(); ++i) {
    const int n = drawing.numbers[i];
    if (!IsDrawnNumber(n)) {
      return "Die Ziehung vom " + day() + " enth\xE4lt die Zahl " + std::to_string(n) +
             ", die nicht " + BetweenNumbers() + " liegt";
    }
    if (std::find(drawing.numbers.begin(), drawing.numbers.begin() + i, n) !=
        drawing.numbers.begin() + i) {
      return "Die Ziehung vom " + day() + " enth\xE4lt die Zahl " + std::to_string(n) + " zweimal";
    }
  }
  if (drawing.zusatzzahl) {
    const int z = *drawing.zusatzzahl;
    if (drawing.date > kLastZusatzzahlDay) {
      return "Die Ziehung vom " + day() + " hat eine Zusatzzahl, die es nach dem " +
             FormatShortDate(kLastZusatzzahlDay) + " nicht mehr gibt";
    }
    if (!IsDrawnNumber(z)) {
      return "Die Zusatzzahl der Ziehung vom " + day() + " liegt nicht " + BetweenNumbers();
    }
    if (std::find(drawing.numbers.begin(), drawing.numbers.end(), z) != drawing.numbers.end()) {
      return "Die Zusatzzahl der Ziehung vom " + day() + " ist schon eine der sechs Zahlen";
    }
  }
  if (drawing.superzahl && !Within(*drawing.superzahl, kLowestSuperzahl, kHighestSuperzahl)) {
    return "Die Superzahl der Ziehung vom " + day() + " liegt nicht zwischen " +
           std::to_string(kLowestSuperzahl) + " und " + std::to_string(kHighestSuperzahl);
  }
  if (drawing.spiel77 && !HasDigits(drawing.spiel77, kSpiel77Digits)) {
    return "Die Spiel-77-Zahl der Ziehung vom " + day() + " hat nicht genau " +
           std::to_string(kSpiel77Digits) + " Ziffern";
  }
  if (drawing.super6 && !HasDigits(drawing.super6, kSuper6Digits)) {
    return "Die Super-6-Zahl der Ziehung vom " + day() + " hat nicht genau " +
           std::to_string(kSuper6Digits) + " Ziffern";
  }
  for (std::size_t i = 0; i < drawing.quotas.size(); ++i) {
    const Quota& q = drawing.quotas[i];
    const auto where = [&q, &day] {
      return std::string("Die Quote von ") + PrizeGameName(q.game) + ", Gewinnklasse " +
             std::to_string(q.prizeClass) + ", der Ziehung vom " + day();
    };
    if (q.prizeClass < 1 || q.prizeClass > ClassCount(q.game)) {
      return where() + " nennt keine Gewinnklasse, die es gibt";
    }
    if (q.winners < 0 || q.centsPerWinner < 0) return where() + " ist negativ";
    for (std::size_t j = 0; j < i; ++j) {
      const Quota& earlier = drawing.quotas[j];
      if (earlier.game == q.game && earlier.prizeClass == q.prizeClass) {
        return where() + " steht zweimal darin";
      }
    }
  }
  return std::nullopt;
}

Date FirstSuperzahlDay() { return kFirstSuperzahlDay; }
Date LastZusatzzahlDay() { return kLastZusatzzahlDay; }

bool QuotasMayStillCome(Date drawing, Date today) {
  constexpr int kDaysQuotasMayTake = 7;
  return today - drawing <= kDaysQuotasMayTake;
}

std::string NumbersText(const Drawing& drawing) {
  std::array<uint8_t, kNumbersPerGame> ascending = drawing.numbers;
  std::sort(ascending.begin(), ascending.end());
  std::string text;
  text.reserve(18);
  for (uint8_t n : ascending) {
    if (!text.empty()) text += ' ';
    text += std::to_string(n);
  }
  return text;
}

std::string DrawingText(const Drawing& drawing) {
  std::string text = NumbersText(drawing);
  if (drawing.zusatzzahl) text += ", Zusatzzahl " + std::to_string(*drawing.zusatzzahl);
  if (drawing.superzahl) text += ", Superzahl " + std::to_string(*drawing.superzahl);
  if (drawing.spiel77) text += ", Spiel 77 " + *drawing.spiel77;
  if (drawing.super6) text += ", Super 6 " + *drawing.super6;
  return text;
}

std::string DrawingsText(int64_t count) { return CountText(count, "Ziehung", "Ziehungen"); }

bool IsDrawingDay(Date date, DrawDays days) {
  const int weekday = IsoWeekday(date);
  const bool saturday = weekday == kSaturday && days != DrawDays::Wednesday;
  const bool wednesday =
      weekday == kWednesday && days != DrawDays::Saturday && date >= kFirstWednesdayDrawing;
  return saturday || wednesday;
}

}  // namespace kw
