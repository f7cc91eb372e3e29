#pragma once

#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/text.h"
#include "core/drawing.h"

namespace kw {

// A drawing in a failed expectation, as a person reads it rather than as bytes.
inline void PrintTo(const Drawing& d, std::ostream* os) {
  *os << FormatShortDate(d.date) << ": " << NumbersText(d);
  if (d.zusatzzahl) *os << " ZZ " << int{*d.zusatzzahl};
  if (d.superzahl) *os << " SZ " << int{*d.superzahl};
  *os << " Spiel77 " << d.spiel77.value_or("-") << " Super6 " << d.super6.value_or("-");
  for (const Quota& q : d.quotas) {
    *os << " [" << static_cast<int>(q.game) << "/" << q.prizeClass << ": " << q.winners << " x "
        << q.centsPerWinner << "]";
  }
}

}  // namespace kw

namespace kw::test {

inline Drawing MakeDrawing(int y, int m, int d, std::array<uint8_t, 6> numbers) {
  Drawing drawing;
  drawing.date = Date::FromYmd(y, m, d);
  drawing.numbers = numbers;
  return drawing;
}

// The nine classes of 6 aus 49 as the results service publishes them.
inline std::vector<Quota> NineQuotas(int64_t seed) {
  std::vector<Quota> quotas;
  for (int c = 1; c <= 9; ++c) {
    quotas.push_back({PrizeGame::Lotto, c, seed * c % 977 + c * 13, 100000000 / (c * c) + seed});
  }
  return quotas;
}

// Drawings as the archive holds them since 1955: the first on a Sunday, then Saturdays and
// Wednesdays from 2000-12-06; the Zusatzzahl until 2013-05-01, the Superzahl from 1991-12-07,
// Spiel 77 and Super 6 on some; numbers in a drawn order that is mostly not ascending. The same
// count gives the same list.
inline std::vector<Drawing> HistoricDrawings(int count, bool withQuotas = false) {
  std::vector<Drawing> drawings;
  uint32_t state = 12345;
  auto next = [&state] {
    state = state * 1103515245u + 12345u;
    return (state >> 16) & 0x7FFF;
  };
  Date day = Date::FromYmd(1955, 10, 9);  // the very first, a Sunday
  while (static_cast<int>(drawings.size()) < count) {
    Drawing d;
    d.date = day;
    std::vector<uint8_t> pool;
    for (uint8_t n = 1; n <= 49; ++n) pool.push_back(n);
    for (int i = 0; i < 7; ++i) {
      const std::size_t pick = i + next() % (pool.size() - i);
      std::swap(pool[i], pool[pick]);
    }
    std::copy(pool.begin(), pool.begin() + 6, d.numbers.begin());
    if (day <= Date::FromYmd(2013, 5, 1)) d.zusatzzahl = pool[6];
    if (day >= Date::FromYmd(1991, 12, 7)) d.superzahl = static_cast<uint8_t>(next() % 10);
    if (next() % 3 == 0) {
      d.spiel77 = std::to_string(1000000 + next() * 271 % 9000000);
      d.super6 = std::to_string(100000 + next() * 29 % 900000);
    }
    if (withQuotas) d.quotas = NineQuotas(day.dayCount);
    drawings.push_back(d);
    // On to the next drawing day: Saturdays, and Wednesdays too from 2000-12-06.
    do {
      day.dayCount++;
    } while (!IsDrawingDay(day, DrawDays::Both));
  }
  return drawings;
}

// Drawings from 2018 on as the lottery publishes them, count of them: drawn order, every digit,
// the nine quotas, class I without a winner.
inline std::vector<Drawing> LotteryDrawings(std::size_t count) {
  std::vector<Drawing> drawings;
  for (Drawing d : HistoricDrawings(5200 + static_cast<int>(count), true)) {
    if (d.date < Date::FromYmd(2018, 1, 3) || drawings.size() == count) continue;
    d.superzahl = static_cast<uint8_t>(d.date.dayCount % 10);
    d.spiel77 = std::to_string(1000000 + d.date.dayCount % 9000000);
    d.super6 = std::to_string(100000 + d.date.dayCount % 900000);
    d.quotas[0] = {PrizeGame::Lotto, 1, 0, 0};
    drawings.push_back(d);
  }
  return drawings;
}

// The header of the lottery companies' CSV download, as published.
inline constexpr const char* kOperatorHeader =
    "     Datum; ;        Gewinnzahlen;ZZ;S;Spiel77;Super6;  Spieleinsatz;Anz. Kl. 1;  Quote Kl. "
    "1;Anz. Kl. 2;  Quote Kl. 2;Anz. Kl. 3;  Quote Kl. 3;Anz. Kl. 4;  Quote Kl. 4;Anz. Kl. 5;  "
    "Quote Kl. 5;Anz. Kl. 6;  Quote Kl. 6;Anz. Kl. 7;  Quote Kl. 7;Anz. Kl. 8;  Quote Kl. 8;Anz. "
    "Kl. 9;  Quote Kl. 9";

// An amount in cent as the lottery writes euro: "22.909.485,00".
inline std::string GermanEuro(int64_t cents) {
  const std::string fraction = std::to_string(100 + cents % 100).substr(1);
  return GroupedNumber(cents / 100) + "," + fraction;
}

// Drawings in the form of the lottery companies' download: padded, German numbers, "--" for what
// a drawing lacks, "Jackpot" and the amount carried over for a class without a winner, CRLF.
inline std::string OperatorCsv(const std::vector<Drawing>& drawings) {
  auto padded = [](const std::string& text, std::size_t width) {
    return std::string(text.size() < width ? width - text.size() : 0, ' ') + text;
  };
  std::string text = std::string(kOperatorHeader) + "\r\n";
  for (const Drawing& d : drawings) {
    text += FormatShortDate(d.date) + "; ";
    for (uint8_t n : d.numbers) text += ";" + std::to_string(n);
    text += d.zusatzzahl ? ";" + std::to_string(*d.zusatzzahl) + ";--" : std::string(";--;--");
    text += ";" + (d.superzahl ? std::to_string(*d.superzahl) : std::string("--"));
    text += ";" + d.spiel77.value_or("--") + ";" + d.super6.value_or("--");
    text += ";" + padded(GermanEuro(3731590000 + d.date.dayCount), 14);
    for (int c = 1; c <= 9; ++c) {
      const Quota* q = d.QuotaOf(PrizeGame::Lotto, c);
      if (q == nullptr) {
        text += ";;";
      } else if (q->winners == 0) {
        text += ";" + padded("Jackpot", 10) + ";" + padded(GermanEuro(680381890), 13);
      } else {
        text += ";" + padded(GroupedNumber(q->winners), 10) + ";" +
                padded(GermanEuro(q->centsPerWinner), 13);
      }
    }
    text += "\r\n";
  }
  return text;
}

// Drawings in the form of the community archives' JSON: numbers ascending, ids from 1.
inline std::string CommunityJson(const std::vector<Drawing>& drawings) {
  std::string text = "{\"data\":[";
  int id = 0;
  for (const Drawing& d : drawings) {
    if (id > 0) text += ',';
    text += "{\"id\":" + std::to_string(++id) + ",\"date\":\"" + FormatShortDate(d.date) +
            "\",\"Lottozahl\":[";
    std::array<uint8_t, 6> sorted = d.numbers;
    std::sort(sorted.begin(), sorted.end());
    for (std::size_t i = 0; i < 6; ++i) text += (i ? "," : "") + std::to_string(sorted[i]);
    text += "]";
    if (d.superzahl) text += ",\"Superzahl\":" + std::to_string(*d.superzahl);
    text += "}";
  }
  return text + "]}";
}

// Quotas in the order the archive gives them back: by game, then class.
inline Drawing Sorted(Drawing d) {
  std::sort(d.quotas.begin(), d.quotas.end(), [](const Quota& a, const Quota& b) {
    return std::pair(a.game, a.prizeClass) < std::pair(b.game, b.prizeClass);
  });
  return d;
}

// A connection of its own, as a second program or the sqlite3 tool has: for making files of
// other programs and for looking at what the archive wrote.
class RawDb {
 public:
  explicit RawDb(const std::filesystem::path& file,
                 int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE) {
    if (sqlite3_open_v2(file.string().c_str(), &db_, flags, nullptr) != SQLITE_OK) {
      throw std::runtime_error(sqlite3_errmsg(db_));
    }
  }
  ~RawDb() { sqlite3_close_v2(db_); }
  RawDb(const RawDb&) = delete;
  RawDb& operator=(const RawDb&) = delete;

  // SQLite's result code, so that a test can expect a refusal.
  int Exec(const std::string& sql) {
    return sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr);
  }
  // The first column of the first row as text, "" for none.
  std::string Text(const std::string& sql) {
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &s, nullptr) != SQLITE_OK) {
      throw std::runtime_error(sqlite3_errmsg(db_));
    }
    std::string result;
    if (sqlite3_step(s) == SQLITE_ROW && sqlite3_column_text(s, 0)) {
      result = reinterpret_cast<const char*>(sqlite3_column_text(s, 0));
    }
    sqlite3_finalize(s);
    return result;
  }
  std::string Error() const { return sqlite3_errmsg(db_); }

 private:
  sqlite3* db_ = nullptr;
};

}  // namespace kw::test
