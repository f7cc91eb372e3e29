#include "eval/today_report.h"

#include "core/drawing.h"
#include "core/money.h"
#include "core/text.h"

namespace kw {

namespace {

// Room for the longest line, so that each line is built in one allocation.
constexpr std::size_t kLongestLine = 96;

void AppendClassAndAmount(std::string& line, const Win& win) {
  if (win.kind == Win::Kind::ClassNotKnown) {
    line += ", Gewinnklasse nicht bekannt";
    return;
  }
  line += ", Gewinnklasse ";
  line += RomanClass(win.prizeClass);
  switch (win.kind) {
    case Win::Kind::Amount:
      line += ", ";
      AppendEuro(line, win.cents);
      break;
    case Win::Kind::QuotaPending:
      line += ", Quote noch nicht bekannt";
      break;
    case Win::Kind::QuotaMissing:
      line += ", Quote fehlt im Archiv";
      break;
    case Win::Kind::AmountNotKnown:
      line += ", Betrag nicht bekannt";
      break;
    case Win::Kind::None:
    case Win::Kind::ClassNotKnown:
      break;
  }
}

std::string& NewLine(std::vector<std::string>& lines, std::string_view indent) {
  std::string& line = lines.emplace_back();
  line.reserve(kLongestLine);
  line += indent;
  return line;
}

void AppendHits(std::string& line, int hits, Extra counted) {
  line += std::to_string(hits);
  line += " Richtige";
  if (counted == Extra::Superzahl) line += " + Superzahl";
  if (counted == Extra::Zusatzzahl) line += " + Zusatzzahl";
}

void AppendGameLine(const GameCheck& game, std::string_view indent,
                    std::vector<std::string>& lines) {
  if (game.valid && game.win.kind == Win::Kind::None) return;
  std::string& line = NewLine(lines, indent);
  line += "Spiel ";
  line += std::to_string(game.game);
  if (!game.valid) {
    line += ": kein g\xFCltiges Spiel, nicht ausgewertet";
    return;
  }
  line += ": ";
  AppendHits(line, game.hits, game.counted);
  AppendClassAndAmount(line, game.win);
}

// "System 1 (008): 4 × 3 Richtige + Superzahl, Gewinnklasse VII, je 11,70 €, zusammen 46,80 €",
// one line per class won; "System 2: nicht ausgewertet (die 13 steht zweimal)".
void AppendSystemLines(const SystemCheck& system, std::string_view indent,
                       std::vector<std::string>& lines) {
  if (!system.valid) {
    std::string& line = NewLine(lines, indent);
    line += "System ";
    line += std::to_string(system.system);
    line += ": nicht ausgewertet (";
    line += system.problem;
    line += ')';
    return;
  }
  for (const SystemWin& win : system.wins) {
    std::string& line = NewLine(lines, indent);
    line += "System ";
    line += std::to_string(system.system);
    line += " (";
    line += SystemName(system.size);
    line += "): ";
    line += GroupedNumber(win.rows);
    line += " \xD7 ";
    AppendHits(line, win.hits, win.counted);
    if (win.win.kind == Win::Kind::Amount) {
      line += ", Gewinnklasse ";
      line += RomanClass(win.win.prizeClass);
      line += ", je ";
      AppendEuro(line, win.win.cents);
      line += ", zusammen ";
      AppendEuro(line, win.win.cents * win.rows);
    } else {
      AppendClassAndAmount(line, win.win);
    }
  }
}

void AppendAddOnLine(std::string_view name, const AddOnCheck& addOn, std::string_view indent,
                     std::vector<std::string>& lines) {
  if (addOn.numberMissing) {
    std::string& line = NewLine(lines, indent);
    line += name;
    line += ": Gewinnzahl nicht bekannt";
    return;
  }
  if (addOn.win.kind == Win::Kind::None) return;
  std::string& line = NewLine(lines, indent);
  line += name;
  line += ": ";
  line += std::to_string(addOn.digits);
  line += addOn.digits == 1 ? " Endziffer" : " Endziffern";
  AppendClassAndAmount(line, addOn.win);
}

void AppendCount(std::string& text, int count, std::string_view one, std::string_view many) {
  text += CountText(count, one, many);
}

}  // namespace

void AppendDrawingLines(const DrawingCheck& check, std::string_view indent,
                        std::vector<std::string>& lines) {
  for (const GameCheck& game : check.games) AppendGameLine(game, indent, lines);
  for (const SystemCheck& system : check.systems) AppendSystemLines(system, indent, lines);
  AppendAddOnLine("Spiel 77", check.spiel77, indent, lines);
  AppendAddOnLine("Super 6", check.super6, indent, lines);
  if (check.AnyWin()) return;
  // Without the add-on numbers only the games can be said to have won nothing.
  const bool addOnMissing = check.spiel77.numberMissing || check.super6.numberMissing;
  NewLine(lines, indent) += addOnMissing ? "kein Gewinn in den Spielen" : "kein Gewinn";
}

std::vector<std::string> DrawingReportLines(const DrawingCheck& check) {
  std::vector<std::string> lines;
  lines.reserve(check.games.size() + check.systems.size() * 4 + 3);
  AppendDrawingLines(check, "", lines);
  lines.push_back(TotalLine(check.totals));
  return lines;
}

std::string OpenAmountsText(const CheckTotals& totals) {
  struct Part {
    int count;
    std::string_view one;
    std::string_view many;
  };
  const Part parts[] = {
      {totals.awaitingQuota, "Gewinn mit noch unbekannter Quote",
       "Gewinne mit noch unbekannter Quote"},
      {totals.quotaMissing, "Gewinn ohne Quote im Archiv", "Gewinne ohne Quote im Archiv"},
      {totals.amountNotKnown, "Gewinn mit unbekanntem Betrag", "Gewinne mit unbekanntem Betrag"},
      {totals.classNotKnown, "Spiel mit unbekannter Gewinnklasse",
       "Spiele mit unbekannter Gewinnklasse"},
  };
  int named = 0;
  int left = 0;
  for (const Part& part : parts) left += part.count > 0 ? 1 : 0;
  if (left == 0) return {};

  std::string text;
  for (const Part& part : parts) {
    if (part.count == 0) continue;
    if (named > 0) text += left == 1 ? " und " : ", ";
    AppendCount(text, part.count, part.one, part.many);
    ++named;
    --left;
  }
  return text;
}

std::string WithoutAmountText(const CheckTotals& totals) {
  const std::string open = OpenAmountsText(totals);
  return open.empty() ? open : " (dazu " + open + ")";
}

std::string MissingAddOnNumbersText(const CheckTotals& totals) {
  const int spiel77 = totals.spiel77NumberMissing;
  const int super6 = totals.super6NumberMissing;
  const auto part = [](std::string_view games, bool both, int days) {
    std::string text(games);
    text += both ? ": Gewinnzahlen fehlen an " : ": Gewinnzahl fehlt an ";
    AppendCount(text, days, "Tag", "Tagen");
    return text;
  };
  if (spiel77 > 0 && spiel77 == super6) return part("Spiel 77 und Super 6", true, spiel77);
  std::string text;
  if (spiel77 > 0) text = part("Spiel 77", false, spiel77);
  if (spiel77 > 0 && super6 > 0) text += "; ";
  if (super6 > 0) text += part("Super 6", false, super6);
  return text;
}

std::string TotalLine(const CheckTotals& totals) {
  std::string line = "Gewinn insgesamt: ";
  AppendEuro(line, totals.cents);
  line += WithoutAmountText(totals);
  const std::string addOns = MissingAddOnNumbersText(totals);
  if (!addOns.empty()) line += "; " + addOns;
  if (totals.drawingsMissing > 0) line += "; " + MissingDrawingsText(totals.drawingsMissing);
  return line;
}

std::string MissingDrawingsText(int days) {
  return DrawingsText(days) + (days == 1 ? " fehlt im Archiv" : " fehlen im Archiv");
}

}  // namespace kw
