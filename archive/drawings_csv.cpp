#include "archive/drawings_csv.h"

#include <algorithm>
#include <array>
#include <optional>

#include "archive/numbers_text.h"
#include "core/cp1252.h"
#include "core/date.h"
#include "core/file_io.h"
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

enum class Form { Ours, Community };

uint8_t Number(std::string_view field, std::string_view name) {
  if (field.empty()) throw LineProblem{std::string(name) + " fehlt"};
  const std::optional<int> n = Digits(field, 2);
  if (!n || *n < 1 || *n > 49) {
    throw LineProblem{std::string(name) + " " + Shown(field) + " ist keine Zahl von 1 bis 49"};
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
  for (int i = 0; i < 6; ++i) d.numbers[i] = Number(f[2 + i], kOurHeader[2 + i]);
  if (!f[8].empty()) d.zusatzzahl = Number(f[8], "Zusatzzahl");
  d.superzahl = Superzahl(f[9], "Superzahl");
  d.spiel77 = DigitText(f[10], 7, "Spiel77");
  d.super6 = DigitText(f[11], 6, "Super6");
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
  for (int i = 0; i < 6; ++i) d.numbers[i] = Number(f[1 + i], kCommunityHeader[1 + i]);
  d.superzahl = Superzahl(f[7], "superzahl");
  return d;
}

template <std::size_t N>
bool IsHeader(const std::vector<std::string_view>& fields,
              const std::array<std::string_view, N>& names) {
  return fields.size() == N && std::equal(fields.begin(), fields.end(), names.begin(),
                                          [](auto a, auto b) { return EqualsNoCase(a, b); });
}

template <std::size_t N>
std::string Joined(const std::array<std::string_view, N>& names, char separator) {
  std::string text;
  for (std::string_view name : names) {
    if (!text.empty()) text += separator;
    text += name;
  }
  return text;
}

std::string LineText(std::size_t number) { return "Zeile " + GroupedNumber(number); }

// The file's bytes, bounded by the largest list of drawings there is.
std::string ReadDrawingsFile(const fs::path& file) {
  try {
    std::optional<std::string> bytes = ReadRegularFile(file, kMaxCsvFileSize);
    if (!bytes) throw ReadError(Quoted(file) + " gibt es nicht");
    return std::move(*bytes);
  } catch (const FileTooLargeError&) {
    throw ReadError(Quoted(file) + " ist gr\xF6\xDF" + "er als " +
                    std::to_string(kMaxCsvFileSize >> 20) + " MB und keine Liste von Ziehungen");
  }
}

void WriteCsvFile(const fs::path& file, std::string_view bytes) {
  try {
    ReplaceFileAtomically(file, bytes);
  } catch (const WriteError&) {
    throw Error(Quoted(file) + " kann nicht geschrieben werden");
  }
}

std::string Drawings(int64_t count) {
  return GroupedNumber(count) + (count == 1 ? " Ziehung" : " Ziehungen");
}

}  // namespace

std::vector<Drawing> ParseDrawingsCsv(std::string_view bytes) {
  if (bytes.starts_with(kUtf8Bom)) bytes.remove_prefix(kUtf8Bom.size());
  std::vector<Drawing> drawings;
  std::optional<Form> form;
  std::size_t lineNumber = 0;
  while (!bytes.empty()) {
    ++lineNumber;
    const std::size_t end = bytes.find('\n');
    std::string_view line = bytes.substr(0, end);
    bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);

    if (!form) {
      const std::vector<std::string_view> semicolon = Split(line, ';');
      const std::vector<std::string_view> comma = Split(line, ',');
      if (IsHeader(semicolon, kOurHeader)) {
        form = Form::Ours;
      } else if (IsHeader(comma, kCommunityHeader)) {
        form = Form::Community;
      } else {
        throw CsvError("die erste Zeile ist keine bekannte Kopfzeile: sie lautet " + Shown(line) +
                       ", erwartet wird '" + Joined(kOurHeader, ';') + "' oder '" +
                       Joined(kCommunityHeader, ',') + "'");
      }
      continue;
    }
    if (TrimBlanks(line).empty()) continue;  // a blank line, often the last one

    const std::vector<std::string_view> fields = Split(line, *form == Form::Ours ? ';' : ',');
    const std::size_t expected = *form == Form::Ours ? kOurHeader.size() : kCommunityHeader.size();
    try {
      if (fields.size() != expected) {
        throw LineProblem{"sie hat " + std::to_string(fields.size()) +
                          (fields.size() == 1 ? " Feld statt " : " Felder statt ") +
                          std::to_string(expected)};
      }
      Drawing d = *form == Form::Ours ? ParseOurs(fields) : ParseCommunity(fields);
      if (std::optional<std::string> problem = DrawingProblem(d)) throw LineProblem{*problem};
      drawings.push_back(std::move(d));
    } catch (const LineProblem& problem) {
      throw CsvError(LineText(lineNumber) + ": " + problem.reason);
    }
  }
  if (!form) throw CsvError("die Datei ist leer, es fehlt die Kopfzeile");
  return drawings;
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

std::string ImportDrawingsCsv(DrawingArchive& archive, const fs::path& file) {
  const std::string bytes = ReadDrawingsFile(file);
  std::vector<Drawing> drawings;
  try {
    drawings = ParseDrawingsCsv(bytes);
  } catch (const CsvError& e) {
    throw CsvError(Quoted(file) + ", " + e.what() + "; es wurde nichts importiert");
  }
  const StoreOutcome outcome = archive.Store(drawings, "CSV-Datei " + PathText(file.filename()));
  std::string result = Drawings(static_cast<int64_t>(drawings.size())) +
                       " gelesen: " + GroupedNumber(outcome.added) + " neu, " +
                       GroupedNumber(outcome.completed + outcome.unchanged) + " schon im Archiv";
  if (outcome.completed > 0)
    result += ", davon " + GroupedNumber(outcome.completed) + " erg\xE4nzt";
  return result;
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
      Drawings(static_cast<int64_t>(drawings.size())) + " exportiert nach " + Quoted(file);
  if (withQuotas > 0) {
    result += "; die Quoten von " + Drawings(withQuotas) +
              " bleiben nur im Archiv, die CSV-Datei hat keine Spalten daf\xFCr";
  }
  return result;
}

}  // namespace kw
