#pragma once

// The values and files that tests of every folder build: a day, a drawing, a ticket file.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/date.h"
#include "core/drawing.h"

namespace kw::test {

inline Date Day(int y, int m, int d) { return Date::FromYmd(y, m, d); }

// A drawing of that day with its six numbers in the order drawn, and what else is given; the
// Zusatzzahl comes last, as only drawings until 2013 have one.
inline Drawing DrawingOf(Date date, std::array<uint8_t, 6> numbers,
                         std::optional<uint8_t> superzahl = std::nullopt,
                         std::optional<std::string> spiel77 = std::nullopt,
                         std::optional<std::string> super6 = std::nullopt,
                         std::vector<Quota> quotas = {},
                         std::optional<uint8_t> zusatzzahl = std::nullopt) {
  Drawing drawing;
  drawing.date = date;
  drawing.numbers = numbers;
  drawing.zusatzzahl = zusatzzahl;
  drawing.superzahl = superzahl;
  drawing.spiel77 = std::move(spiel77);
  drawing.super6 = std::move(super6);
  drawing.quotas = std::move(quotas);
  return drawing;
}

// A whole drawing of today's kind, as the results service gives one: Saturday 05.12.2026 with
// the Superzahl, both add-on numbers and two quotas.
inline Drawing PublishedSaturday() {
  return DrawingOf(Day(2026, 12, 5), {3, 15, 22, 31, 40, 49}, 5, "9911235", "000235",
                   {{PrizeGame::Lotto, 9, 123456, 600}, {PrizeGame::Spiel77, 1, 0, 0}});
}

// A ticket file as the editor writes it (CRLF, a blank after each game), with the keys of its
// term or anything else appended as given: "Beginn=05.12.2026\r\nSuper6=nein\r\n".
inline std::string TicketFile(const std::vector<std::string>& games, const std::string& lotNumber,
                              const std::string& expiry, const std::string& more = {}) {
  std::string file = "[Schein]\r\n";
  for (std::size_t i = 0; i < games.size(); ++i) {
    file += "Spiel" + std::to_string(i + 1) + "=" + games[i] + " \r\n";
  }
  return file + "Losnummer=" + lotNumber + "\r\nAblauf=" + expiry + "\r\n" + more;
}

}  // namespace kw::test
