#pragma once

#include <array>
#include <string>
#include <string_view>

#include "webimport/scraper.h"

namespace kw::test {

// One drawing day as the results page shows it: a block of numbers, a Spiel 77 block and a
// Super 6 block, each opened by the day marker and a date. Each text can be changed to build
// broken pages.
struct DrawingBlocks {
  std::string_view marker;
  std::string date;
  std::array<std::string, 6> numbers;
  std::string zusatzzahl;
  std::string superzahl;
  std::string spiel77;
  std::string super6;

  std::string NumberBlock() const {
    std::string block = std::string(marker) + date + "</B><BR><P>";
    for (std::size_t i = 0; i < numbers.size(); ++i) {
      if (i > 0) block += "|";
      block += numbers[i] + "&nbsp;";
    }
    return block + "Zusatzzahl: " + zusatzzahl + " Superzahl: " + superzahl + "</P>";
  }
  std::string Spiel77Block() const { return std::string(marker) + date + "<P>" + spiel77 + "</P>"; }
  std::string Super6Block() const { return std::string(marker) + date + "<P>" + super6 + "</P>"; }
  std::string All() const { return NumberBlock() + Spiel77Block() + Super6Block(); }
};

inline DrawingBlocks Saturday() {
  return {kSaturdayMarker, "06.12.2025", {"3", "12", "25", "31", "40", "49"}, "17", "4",
          "1234567",       "654321"};
}
inline DrawingBlocks Wednesday() {
  return {kWednesdayMarker, "03.12.2025", {"4", "11", "17", "23", "36", "45"}, "8", "9",
          "7654321",        "123456"};
}

// What a good page of both days gives in ZW.INI.
inline const std::string kSaturdayLine = "0312253140491704123456765432106.12.2025";
inline const std::string kWednesdayLine = "0411172336450809765432112345603.12.2025";

// A page around the blocks, as the browser hands over the body markup.
inline std::string Page(const std::string& blocks) {
  return "<body><div class=\"kopf\"><a href=\"/\">Lotto 6aus49</a></div>\r\n<h1>Gewinnzahlen "
         "und Quoten</h1>\r\n" +
         blocks + "\r\n<div class=\"fuss\">Alle Angaben ohne Gew&auml;hr</div></body>";
}
inline std::string GoodPage() { return Page(Saturday().All() + Wednesday().All()); }

}  // namespace kw::test
