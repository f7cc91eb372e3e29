#include "eval/today_report.h"

#include "core/money.h"

namespace kw {

namespace {

// Room for the longest line, so that each line is built in one allocation.
constexpr std::size_t kLongestLine = 80;

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
  line += std::to_string(game.hits);
  line += " Richtige";
  if (game.counted == Extra::Superzahl) line += " + Superzahl";
  if (game.counted == Extra::Zusatzzahl) line += " + Zusatzzahl";
  AppendClassAndAmount(line, game.win);
}

void AppendAddOnLine(std::string_view name, const AddOnCheck& addOn, std::string_view indent,
                     std::vector<std::string>& lines) {
  if (addOn.win.kind == Win::Kind::None) return;
  std::string& line = NewLine(lines, indent);
  line += name;
  if (!addOn.numberKnown) {
    line += ": Gewinnzahl nicht bekannt";
    return;
  }
  line += ": ";
  line += std::to_string(addOn.digits);
  line += addOn.digits == 1 ? " Endziffer" : " Endziffern";
  AppendClassAndAmount(line, addOn.win);
}

void AppendCount(std::string& text, int count, std::string_view one, std::string_view many) {
  text += std::to_string(count);
  text += ' ';
  text += count == 1 ? one : many;
}

}  // namespace

void AppendDrawingLines(const DrawingCheck& check, std::string_view indent,
                        std::vector<std::string>& lines) {
  for (const GameCheck& game : check.games) AppendGameLine(game, indent, lines);
  AppendAddOnLine("Spiel 77", check.spiel77, indent, lines);
  AppendAddOnLine("Super 6", check.super6, indent, lines);
  if (!check.AnyWin()) NewLine(lines, indent) += "kein Gewinn";
}

std::vector<std::string> DrawingReportLines(const DrawingCheck& check) {
  std::vector<std::string> lines;
  lines.reserve(check.games.size() + 3);
  AppendDrawingLines(check, "", lines);
  lines.push_back(TotalLine(check.totals));
  return lines;
}

std::string WithoutAmountText(const CheckTotals& totals) {
  struct Part {
    int count;
    std::string_view one;
    std::string_view many;
  };
  const Part parts[] = {
      {totals.awaitingQuota, "Gewinn mit noch unbekannter Quote",
       "Gewinne mit noch unbekannter Quote"},
      {totals.amountNotKnown, "Gewinn mit unbekanntem Betrag", "Gewinne mit unbekanntem Betrag"},
      {totals.classNotKnown, "Spiel mit unbekannter Gewinnklasse",
       "Spiele mit unbekannter Gewinnklasse"},
  };
  int named = 0;
  int left = 0;
  for (const Part& part : parts) left += part.count > 0 ? 1 : 0;
  if (left == 0) return {};

  std::string text = " (dazu ";
  for (const Part& part : parts) {
    if (part.count == 0) continue;
    if (named > 0) text += left == 1 ? " und " : ", ";
    AppendCount(text, part.count, part.one, part.many);
    ++named;
    --left;
  }
  text += ')';
  return text;
}

std::string TotalLine(const CheckTotals& totals) {
  std::string line = "Gewinn insgesamt: ";
  AppendEuro(line, totals.cents);
  line += WithoutAmountText(totals);
  return line;
}

}  // namespace kw
