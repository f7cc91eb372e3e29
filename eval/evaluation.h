#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/records.h"
#include "eval/draw_entry.h"

namespace kw {

// What one press of "&Zahlen vergleichen" comes to; the main window acts on it.
struct EvaluationOutcome {
  enum class Kind {
    Refused,           // the entry check refused the drawing: show message, change nothing
    ConversionFailed,  // a drawn number or the Zusatzzahl is no integer: show message
    Report,            // lines holds the report, one memo line each
  };
  Kind kind = Kind::Report;
  std::string message;             // for Refused and ConversionFailed
  std::vector<std::string> lines;  // for Report
};

inline constexpr std::string_view kConversionFailedMessage =
    "Die Ziehungszahlen sind falsch eingegeben !";

// The class text that ends a game line. The Superzahl decides between the top two classes only;
// 7 or more hits (possible only with repeated values) get no class text.
std::string_view GameClasses(int hits, bool zusatzzahl, bool superzahlMatches);

// Prize texts of the add-on games, indexed by the number of matching final digits; 0 has none.
inline constexpr std::array<std::string_view, 8> Spiel77Classes = {
    "",
    " => 2.50 EUR (Gewinnklasse VII)",
    " => 7 EUR (Gewinnklasse VI)",
    " => 70 EUR (Gewinnklasse V)",
    " => 700 EUR (Gewinnklasse IV)",
    " => 7000 EUR (Gewinnklasse III)",
    " => 70000 EUR (Gewinnklasse II)",
    " => Bekanntgabe ! (Gewinnklasse I)",
};
inline constexpr std::array<std::string_view, 7> Super6Classes = {
    "",
    " => 2.50 EUR (Gewinnklasse VI)",
    " => 6 EUR (Gewinnklasse V)",
    " => 66 EUR (Gewinnklasse IV)",
    " => 666 EUR (Gewinnklasse III)",
    " => 6666 EUR (Gewinnklasse II)",
    " => 100000 EUR (Gewinnklasse I)",
};

// Compares the ticket with the drawing as typed. Unless the entry check refuses, the ticket's
// hits, spiel77Hits and super6Hits are reset first and then filled.
EvaluationOutcome EvaluateTicket(Ticket& ticket, const DrawEntry& entry);

}  // namespace kw
