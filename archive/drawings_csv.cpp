#include "archive/drawings_csv.h"

#include <algorithm>
#include <array>
#include <optional>

#include "core/cp1252.h"
#include "core/date.h"
#include "core/file_io.h"
#include "core/lottery_rules.h"
#include "core/text.h"

namespace kw {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::array<std::string_view, 12> kOurHeader = {
    "Datum", "Tag",   "Zahl1",      "Zahl2",     "Zahl3",   "Zahl4",
    "Zahl5", "Zahl6", "Zusatzzahl", "Superzahl", "Spiel77", "Super6"};
constexpr std::array<std::string_view, 8> kCommunityHeader = {"date", "n1", "n2", "n3",
                                                              "n4",   "n5", "n6", "superzahl"};
// The lottery companies' header names one column for the six numbers and one for the two ZZ
// columns: its lines have six fields more than it.
constexpr std::array<std::string_view, 26> kOperatorHeader = {"Datum",
                                                              "",
                                                              "Gewinnzahlen",
                                                              "ZZ",
                                                              "S",
                                                              "Spiel77",
                                                              "Super6",
                                                              "Spieleinsatz",
                                                              "Anz. Kl. 1",
                                                              "Quote Kl. 1",
                                                              "Anz. Kl. 2",
                                                              "Quote Kl. 2",
                                                              "Anz. Kl. 3",
                                                              "Quote Kl. 3",
                                                              "Anz. Kl. 4",
                                                              "Quote Kl. 4",
                                                              "Anz. Kl. 5",
                                                              "Quote Kl. 5",
                                                              "Anz. Kl. 6",
                                                              "Quote Kl. 6",
                                                              "Anz. Kl. 7",
                                                              "Quote Kl. 7",
                                                              "Anz. Kl. 8",
                                                              "Quote Kl. 8",
                                                              "Anz. Kl. 9",
                                                              "Quote Kl. 9"};
constexpr std::size_t kOperatorFields = kOperatorHeader.size() + 6;
constexpr std::string_view kLineEnd = "\r\n";

std::string Quoted(const fs::path& file) { return "'" + PathText(file) + "'"; }

// The padding of a field, and a blank line: blanks and tabs only. TrimView would also take every
// control character, and a line of them (zeros, say) is refused, with the bytes shown as "?".
std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// A field as a spreadsheet may write it: blanks around it, or the whole of it in double quotes.
std::string_view FieldText(std::string_view raw) {
  std::string_view field = TrimBlanks(raw);
  if (field.size() >= 2 && field.front() == '"' && field.back() == '"') {
    field = TrimBlanks(field.substr(1, field.size() - 2));
  }
  return field;
}

std::vector<std::string_view> Split(std::string_view line, char separator) {
  std::vector<std::string_view> fields;
  while (true) {
    const std::size_t at = line.find(separator);
    fields.push_back(FieldText(line.substr(0, at)));
    if (at == std::string_view::npos) return fields;
    line.remove_prefix(at + 1);
  }
}

// A text from the file, for a message: Windows-1252, control characters as "?", and cut short
// so that one long line does not fill the screen.
std::string Shown(std::string_view utf8) {
  std::string text = Utf8ToCp1252Lossy(utf8);
  for (char& c : text) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  }
  if (text.size() > 60) text = text.substr(0, 57) + "...";
  return "'" + text + "'";
}

// A line a spreadsheet could have written: printable text (tabs allowed) with a separator, or
// an empty one.
bool LooksLikeTableLine(std::string_view line) {
  const bool printable = std::none_of(line.begin(), line.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte < 0x20 && c != '\t') || byte == 0x7F;
  });
  return printable && (line.empty() || line.find_first_of(";,") != std::string_view::npos);
}

// Digits only, at most `width` of them, at least one.
std::optional<int> Digits(std::string_view text, std::size_t width) {
  if (text.empty() || text.size() > width) return std::nullopt;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

bool AllDigits(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The reason a line is refused; the caller puts the line number in front.
struct LineProblem {
  std::string reason;
};

uint8_t Number(std::string_view field, std::string_view name) {
  if (field.empty()) throw LineProblem{std::string(name) + " fehlt"};
  const std::optional<int> n = Digits(field, 2);
  if (!n || *n < kLowestNumber || *n > kHighestNumber) {
    throw LineProblem{std::string(name) + " " + Shown(field) + " ist keine Zahl von " +
                      NumberRangeText()};
  }
  return static_cast<uint8_t>(*n);
}

std::optional<uint8_t> Superzahl(std::string_view field, std::string_view name) {
  if (field.empty()) return std::nullopt;
  const std::optional<int> n = Digits(field, 1);
  if (!n)
    throw LineProblem{std::string(name) + " " + Shown(field) + " ist keine Ziffer von 0 bis 9"};
  return static_cast<uint8_t>(*n);
}

std::optional<std::string> DigitText(std::string_view field, std::size_t length,
                                     std::string_view name) {
  if (field.empty()) return std::nullopt;
  if (field.size() != length || !AllDigits(field)) {
    throw LineProblem{std::string(name) + " " + Shown(field) + " hat nicht genau " +
                      std::to_string(length) + " Ziffern"};
  }
  return std::string(field);
}

// The Tag field is only a cross-check of the date, the one the form has against a mistyped day:
// empty, or the date's weekday, written out or in its two-letter form.
void CheckWeekday(std::string_view field, Date date) {
  if (field.empty() || EqualsNoCase(field, GermanWeekdayName(date)) ||
      EqualsNoCase(field, GermanWeekdayShort(date))) {
    return;
  }
  throw LineProblem{"der " + FormatShortDate(date) + " ist ein " + GermanWeekdayName(date) +
                    ", kein " + Shown(field)};
}

Drawing ParseOurs(const std::vector<std::string_view>& f) {
  Drawing d;
  const std::optional<Date> date = ParseGermanDate(f[0]);
  if (!date) throw LineProblem{"das Datum " + Shown(f[0]) + " hat nicht die Form TT.MM.JJJJ"};
  d.date = *date;
  CheckWeekday(f[1], d.date);
  for (int i = 0; i < kNumbersPerGame; ++i) d.numbers[i] = Number(f[2 + i], kOurHeader[2 + i]);
  if (!f[8].empty()) d.zusatzzahl = Number(f[8], "Zusatzzahl");
  d.superzahl = Superzahl(f[9], "Superzahl");
  d.spiel77 = DigitText(f[10], kSpiel77Digits, "Spiel77");
  d.super6 = DigitText(f[11], kSuper6Digits, "Super6");
  return d;
}

Drawing ParseCommunity(const std::vector<std::string_view>& f) {
  Drawing d;
  std::optional<Date> date = ParseIsoDate(f[0]);
  if (!date) date = ParseGermanDate(f[0]);
  if (!date) {
    throw LineProblem{"das Datum " + Shown(f[0]) +
                      " hat weder die Form JJJJ-MM-TT noch TT.MM.JJJJ"};
  }
  d.date = *date;
  for (int i = 0; i < kNumbersPerGame; ++i) {
    d.numbers[i] = Number(f[1 + i], kCommunityHeader[1 + i]);
  }
  d.superzahl = Superzahl(f[7], "superzahl");
  return d;
}

// The lottery companies' columns that hold nothing write "--" (the ZZ columns since 2013).
bool Empty(std::string_view field) { return field.empty() || field == "--"; }

// A whole number as the lottery writes it, with dots between the thousands ("330.060"), or
// without them. At most 15 digits: far beyond any count or amount, and far within int64_t.
std::optional<int64_t> GermanWhole(std::string_view text) {
  if (text.empty()) return std::nullopt;
  int64_t value = 0;
  std::size_t digits = 0;
  std::size_t group = 0;  // digits since the last dot
  bool dotted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '.') {
      // Every dot closes a group: the first of one to three digits, each later one of three.
      if (group == 0 || group > 3 || (dotted && group != 3)) return std::nullopt;
      dotted = true;
      group = 0;
      continue;
    }
    if (c < '0' || c > '9' || ++digits > 15) return std::nullopt;
    value = value * 10 + (c - '0');
    ++group;
  }
  if (dotted && group != 3) return std::nullopt;
  return value;
}

// An amount in euro as the lottery writes it, "22.909.485,00", in cent. One decimal is taken
// as tenths ("11,7"), as a spreadsheet may shorten it; more than two is no amount in cent.
std::optional<int64_t> GermanCents(std::string_view text) {
  const std::size_t comma = text.find(',');
  const std::optional<int64_t> euro = GermanWhole(text.substr(0, comma));
  if (!euro) return std::nullopt;
  if (comma == std::string_view::npos) return *euro * 100;
  const std::string_view fraction = text.substr(comma + 1);
  const std::optional<int> cents = Digits(fraction, 2);
  if (!cents) return std::nullopt;
  return *euro * 100 + (fraction.size() == 1 ? *cents * 10 : *cents);
}

// The count and the quota of one class, or nothing where both are empty: a class not (yet)
// published is not known, which is not the same as a class without a winner.
std::optional<Quota> ClassQuota(int prizeClass, std::string_view count, std::string_view amount) {
  const std::string countName = "Anz. Kl. " + std::to_string(prizeClass);
  const std::string amountName = "Quote Kl. " + std::to_string(prizeClass);
  if (Empty(count)) {
    if (Empty(amount)) return std::nullopt;
    throw LineProblem{countName + " fehlt neben " + amountName + " " + Shown(amount)};
  }
  // No winner: stored as the results service's "numberOfWinners 0, odds 0". What stands beside
  // "Jackpot" is the jackpot carried over to the next drawing, not what a winner got.
  if (EqualsNoCase(count, "Jackpot")) return Quota{PrizeGame::Lotto, prizeClass, 0, 0};
  const std::optional<int64_t> winners = GermanWhole(count);
  if (!winners) {
    throw LineProblem{countName + " " + Shown(count) + " ist weder eine Anzahl noch 'Jackpot'"};
  }
  if (*winners == 0) return Quota{PrizeGame::Lotto, prizeClass, 0, 0};
  if (Empty(amount)) throw LineProblem{amountName + " fehlt"};
  const std::optional<int64_t> cents = GermanCents(amount);
  if (!cents) {
    throw LineProblem{amountName + " " + Shown(amount) + " ist kein Betrag in Euro wie 1.234,50"};
  }
  return Quota{PrizeGame::Lotto, prizeClass, *winners, *cents};
}

Drawing ParseOperator(const std::vector<std::string_view>& f) {
  Drawing d;
  const std::optional<Date> date = ParseGermanDate(f[0]);
  if (!date) throw LineProblem{"das Datum " + Shown(f[0]) + " hat nicht die Form TT.MM.JJJJ"};
  d.date = *date;
  // f[1], the column without a name, is empty in the published file; it is not read.
  for (int i = 0; i < kNumbersPerGame; ++i) {
    d.numbers[i] = Number(f[2 + i], "Gewinnzahl " + std::to_string(i + 1));
  }
  // Two ZZ columns; a number in either is the Zusatzzahl, and two must be the same.
  for (std::string_view field : {f[8], f[9]}) {
    if (Empty(field)) continue;
    const uint8_t zusatzzahl = Number(field, "ZZ");
    if (d.zusatzzahl && *d.zusatzzahl != zusatzzahl) {
      throw LineProblem{"die Spalten ZZ nennen zwei Zusatzzahlen, " +
                        std::to_string(*d.zusatzzahl) + " und " + std::to_string(zusatzzahl)};
    }
    d.zusatzzahl = zusatzzahl;
  }
  d.superzahl = Superzahl(Empty(f[10]) ? std::string_view() : f[10], "S");
  d.spiel77 = DigitText(Empty(f[11]) ? std::string_view() : f[11], kSpiel77Digits, "Spiel77");
  d.super6 = DigitText(Empty(f[12]) ? std::string_view() : f[12], kSuper6Digits, "Super6");
  // f[13], the stake of the whole drawing, is nothing a ticket's check needs.
  for (int c = 1; c <= ClassCount(PrizeGame::Lotto); ++c) {
    if (std::optional<Quota> quota = ClassQuota(c, f[12 + 2 * c], f[13 + 2 * c])) {
      d.quotas.push_back(*quota);
    }
  }
  return d;
}

template <std::size_t N>
bool IsHeader(const std::vector<std::string_view>& fields,
              const std::array<std::string_view, N>& names) {
  return fields.size() == N && std::equal(fields.begin(), fields.end(), names.begin(),
                                          [](auto a, auto b) { return EqualsNoCase(a, b); });
}

// The lottery companies pad their names with blanks, inside too ("Anz. Kl. 1"): the names are
// compared without any blanks.
bool IsOperatorHeader(const std::vector<std::string_view>& fields) {
  auto withoutBlanks = [](std::string_view name) {
    std::string text;
    for (char c : name) {
      if (c != ' ' && c != '\t') text += c;
    }
    return text;
  };
  return fields.size() == kOperatorHeader.size() &&
         std::equal(fields.begin(), fields.end(), kOperatorHeader.begin(), [&](auto a, auto b) {
           return EqualsNoCase(withoutBlanks(a), withoutBlanks(b));
         });
}

template <std::size_t N>
std::string Joined(const std::array<std::string_view, N>& names, char separator,
                   std::size_t count = N) {
  std::string text;
  for (std::size_t i = 0; i < count; ++i) {
    if (i > 0) text += separator;
    text += names[i];
  }
  return text;
}

std::string LineText(std::size_t number) { return "Zeile " + GroupedNumber(number); }

void WriteCsvFile(const fs::path& file, std::string_view bytes) {
  try {
    ReplaceFileAtomically(file, bytes);
  } catch (const WriteError&) {
    throw Error(Quoted(file) + " kann nicht geschrieben werden");
  }
}

struct Layout {
  DrawingsFileForm form;
  char separator;
  std::size_t fields;
};

std::optional<Layout> LayoutOf(std::string_view header) {
  const std::vector<std::string_view> semicolon = Split(header, ';');
  if (IsHeader(semicolon, kOurHeader)) {
    return Layout{DrawingsFileForm::OurCsv, ';', kOurHeader.size()};
  }
  if (IsOperatorHeader(semicolon)) {
    return Layout{DrawingsFileForm::OperatorCsv, ';', kOperatorFields};
  }
  if (IsHeader(Split(header, ','), kCommunityHeader)) {
    return Layout{DrawingsFileForm::CommunityCsv, ',', kCommunityHeader.size()};
  }
  return std::nullopt;
}

}  // namespace

DrawingsFileContent ParseDrawingsCsv(std::string_view bytes) {
  const bool utf8 = bytes.starts_with(kUtf8Bom);
  if (utf8) bytes.remove_prefix(kUtf8Bom.size());
  DrawingsFileContent content;
  std::optional<Layout> layout;
  std::string converted;
  std::size_t lineNumber = 0;
  while (!bytes.empty()) {
    ++lineNumber;
    const std::size_t end = bytes.find('\n');
    std::string_view line = bytes.substr(0, end);
    bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);

    if (!layout) {
      layout = LayoutOf(line);
      // A first line of text with separators is some other table, worth naming; anything else is
      // no CSV at all, and its bytes are not shown.
      if (!layout && !LooksLikeTableLine(line)) {
        throw DrawingsFileError(std::string("die Datei ist ") + kNoDrawingsFile);
      }
      if (!layout) {
        throw DrawingsFileError("die erste Zeile ist keine bekannte Kopfzeile: sie lautet " +
                                Shown(line) + ", erwartet wird '" + Joined(kOurHeader, ';') +
                                "', '" + Joined(kCommunityHeader, ',') + "' oder '" +
                                Joined(kOperatorHeader, ';', 9) + ";...'");
      }
      content.form = layout->form;
      continue;
    }
    if (TrimBlanks(line).empty()) continue;  // a blank line, often the last one
    // The lottery companies write Windows-1252; the rest of the reader, and its messages, read
    // UTF-8. A file saved again with a byte order mark is UTF-8 already.
    if (layout->form == DrawingsFileForm::OperatorCsv && !utf8) {
      converted = Cp1252ToUtf8(line);
      line = converted;
    }

    const std::vector<std::string_view> fields = Split(line, layout->separator);
    try {
      if (fields.size() != layout->fields) {
        throw LineProblem{"sie hat " + std::to_string(fields.size()) +
                          (fields.size() == 1 ? " Feld statt " : " Felder statt ") +
                          std::to_string(layout->fields)};
      }
      Drawing d;
      switch (layout->form) {
        case DrawingsFileForm::OurCsv:
          d = ParseOurs(fields);
          break;
        case DrawingsFileForm::CommunityCsv:
          d = ParseCommunity(fields);
          break;
        default:
          d = ParseOperator(fields);
          break;
      }
      if (std::optional<std::string> problem = DrawingProblem(d)) throw LineProblem{*problem};
      content.drawings.push_back(std::move(d));
    } catch (const LineProblem& problem) {
      throw DrawingsFileError(LineText(lineNumber) + ": " + problem.reason);
    }
  }
  if (!layout) throw DrawingsFileError("die Datei ist leer, es fehlt die Kopfzeile");
  return content;
}

std::string FormatDrawingsCsv(const std::vector<Drawing>& drawings) {
  std::string text = Joined(kOurHeader, ';');
  text += kLineEnd;
  text.reserve(text.size() + drawings.size() * 56);
  for (const Drawing& d : drawings) {
    text += FormatShortDate(d.date);
    text += ';';
    text += GermanWeekdayName(d.date);
    for (uint8_t n : d.numbers) {
      text += ';';
      text += std::to_string(n);
    }
    text += ';';
    if (d.zusatzzahl) text += std::to_string(*d.zusatzzahl);
    text += ';';
    if (d.superzahl) text += std::to_string(*d.superzahl);
    text += ';';
    if (d.spiel77) text += *d.spiel77;
    text += ';';
    if (d.super6) text += *d.super6;
    text += kLineEnd;
  }
  return text;
}

std::string ExportDrawingsCsv(const DrawingArchive& archive, const fs::path& file) {
  std::error_code ec;
  if (fs::equivalent(file, archive.path(), ec)) {
    throw Error(Quoted(file) +
                " ist das Ziehungsarchiv selbst und wird nicht durch die CSV-Datei "
                "ersetzt");
  }
  const std::vector<Drawing> drawings =
      archive.ReadRange(Date::FromYmd(1, 1, 1), Date::FromYmd(9999, 12, 31));
  WriteCsvFile(file, FormatDrawingsCsv(drawings));
  const auto withQuotas = std::count_if(drawings.begin(), drawings.end(),
                                        [](const Drawing& d) { return !d.quotas.empty(); });
  std::string result =
      DrawingsText(static_cast<int64_t>(drawings.size())) + " exportiert nach " + Quoted(file);
  if (withQuotas > 0) {
    result += "; die Quoten von " + DrawingsText(withQuotas) +
              " bleiben nur im Archiv, die CSV-Datei hat keine Spalten daf\xFCr";
  }
  return result;
}

}  // namespace kw
