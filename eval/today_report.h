#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "eval/today_check.h"

namespace kw {

// The German report of today's check (Windows-1252 lines, as the window and the command line
// print them):
//   Spiel 3: 3 Richtige + Superzahl, Gewinnklasse VII, 12,60 €
//   Spiel 5: 2 Richtige, Gewinnklasse nicht bekannt
//   Spiel 7: kein gültiges Spiel, nicht ausgewertet
//   System 1 (008): 4 × 3 Richtige + Superzahl, Gewinnklasse VII, je 11,70 €, zusammen 46,80 €
//   System 1 (008): 1 × 6 Richtige, Gewinnklasse II, Quote noch nicht bekannt
//   System 2: nicht ausgewertet (die 13 steht zweimal)
//   Spiel 77: 2 Endziffern, Gewinnklasse VI, 17,00 €
//   Super 6: Gewinnzahl nicht bekannt
//   Spiel 2: 3 Richtige, Gewinnklasse VIII, Quote fehlt im Archiv
//   kein Gewinn (or "kein Gewinn in den Spielen" where an add-on number is missing)
//   Gewinn insgesamt: 18,60 € (dazu 2 Gewinne mit noch unbekannter Quote)

// Appends the lines of one drawing, each after the indent, without its total: one per game
// that won or whose class cannot be told, one per game that is not valid, one per class a system
// won (with its rows), one per system field that is no full system, one per add-on game that won
// or whose number is not known; "kein Gewinn" when nothing won.
void AppendDrawingLines(const DrawingCheck& check, std::string_view indent,
                        std::vector<std::string>& lines);

// The lines of one drawing followed by its total line.
std::vector<std::string> DrawingReportLines(const DrawingCheck& check);

// "2 Gewinne mit noch unbekannter Quote und 1 Spiel mit unbekannter Gewinnklasse": what has no
// amount yet; empty when every win has its amount.
std::string OpenAmountsText(const CheckTotals& totals);

// The same after a total: " (dazu 2 Gewinne mit noch unbekannter Quote)"; empty when nothing
// is open.
std::string WithoutAmountText(const CheckTotals& totals);

// "Spiel 77 und Super 6: Gewinnzahlen fehlen an 16 Tagen", or each game on its own where they
// differ ("Spiel 77: Gewinnzahl fehlt an 1 Tag"); empty when no played number is missing. The
// days are counted apart from the games: a missing number is no game of unknown class.
std::string MissingAddOnNumbersText(const CheckTotals& totals);

// "Gewinn insgesamt: 18,60 €", what has no amount yet, and the add-on numbers that are missing:
// "Gewinn insgesamt: 0,00 €; Spiel 77 und Super 6: Gewinnzahlen fehlen an 16 Tagen".
std::string TotalLine(const CheckTotals& totals);

// "1 Ziehung fehlt im Archiv", "2 Ziehungen fehlen im Archiv": days of a term whose result is
// still open because the archive does not hold their drawing.
std::string MissingDrawingsText(int days);

}  // namespace kw
