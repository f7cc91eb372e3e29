#include "archive/community_json.h"

#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "archive/drawings_file.h"
#include "core/cp1252.h"
#include "core/date.h"
#include "core/lottery_rules.h"
#include "core/text.h"
#include "json/json_fields.h"

namespace kw {

namespace {

using nlohmann::json;

// The form nests four deep (the object, "data", an entry, its "Lottozahl"). A file nested far
// deeper is no list of drawings, and each level would only cost memory: it is refused while read.
constexpr int kMaxDepth = 8;
struct TooDeep {};

// A value from the file, for a message: Windows-1252, control characters as "?", short.
std::string Shown(const json& value) {
  std::string text = value.dump(-1, ' ', false, json::error_handler_t::replace);
  if (text.size() > 40) text = text.substr(0, 37) + "...";
  text = Utf8ToCp1252Lossy(text);
  for (char& c : text) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  }
  return text;
}

// What a value is, for a message that says what was found in place of what was expected.
std::string Kind(const json& value) {
  switch (value.type()) {
    case json::value_t::object:
      return "ein Objekt";
    case json::value_t::array:
      return "eine Liste";
    case json::value_t::string:
      return "der Text " + Shown(value);
    case json::value_t::null:
      return "null";
    case json::value_t::boolean:
      return "der Wahrheitswert " + Shown(value);
    default:
      return "die Zahl " + Shown(value);
  }
}

// The names of an object's members, the first few, for a message.
std::string MemberNames(const json& object) {
  std::string names;
  int count = 0;
  for (const auto& item : object.items()) {
    if (++count > 5) return names + ", ...";
    if (!names.empty()) names += ", ";
    names += Shown(json(item.key()));
  }
  return names.empty() ? "keine Felder" : "die Felder " + names;
}

// The reason an entry is refused; the caller puts the entry's name in front.
struct EntryProblem {
  std::string reason;
};

Drawing ReadEntry(const json& entry) {
  if (!entry.is_object()) throw EntryProblem{Kind(entry) + " statt einer Ziehung"};
  Drawing d;

  const json* date = JsonMember(entry, "date");
  if (date == nullptr) throw EntryProblem{"\"date\" fehlt"};
  if (!date->is_string()) throw EntryProblem{"\"date\" ist " + Kind(*date) + " und kein Datum"};
  const std::string& text = date->get_ref<const std::string&>();
  std::optional<Date> day = ParseGermanDate(text);
  if (!day) day = ParseIsoDate(text);
  if (!day) {
    throw EntryProblem{"das Datum " + Shown(*date) +
                       " hat weder die Form TT.MM.JJJJ noch JJJJ-MM-TT"};
  }
  d.date = *day;

  const json* numbers = JsonMember(entry, "Lottozahl");
  if (numbers == nullptr) throw EntryProblem{"\"Lottozahl\" fehlt"};
  if (!numbers->is_array()) {
    throw EntryProblem{"\"Lottozahl\" ist " + Kind(*numbers) + " und keine Liste von 6 Zahlen"};
  }
  if (numbers->size() != d.numbers.size()) {
    throw EntryProblem{"\"Lottozahl\" hat " + std::to_string(numbers->size()) + " statt " +
                       std::to_string(kNumbersPerGame) + " Zahlen"};
  }
  for (std::size_t i = 0; i < d.numbers.size(); ++i) {
    const std::optional<int64_t> n = JsonWhole((*numbers)[i]);
    if (!n || *n < kLowestNumber || *n > kHighestNumber) {
      throw EntryProblem{"\"Lottozahl\" enth\xE4lt " + Shown((*numbers)[i]) + ", keine Zahl von " +
                         NumberRangeText()};
    }
    d.numbers[i] = static_cast<uint8_t>(*n);
  }

  // Missing or null: not drawn, as before December 1991.
  const json* superzahl = JsonMember(entry, "Superzahl");
  if (superzahl != nullptr && !superzahl->is_null()) {
    const std::optional<int64_t> z = JsonWhole(*superzahl);
    if (!z || *z < kLowestSuperzahl || *z > kHighestSuperzahl) {
      throw EntryProblem{"\"Superzahl\" " + Shown(*superzahl) + " ist keine Ziffer von " +
                         std::to_string(kLowestSuperzahl) + " bis " +
                         std::to_string(kHighestSuperzahl)};
    }
    d.superzahl = static_cast<uint8_t>(*z);
  }
  if (std::optional<std::string> problem = DrawingProblem(d)) throw EntryProblem{*problem};
  return d;
}

// "Eintrag 17 ("id": 17)": the place in "data" always, the entry's own "id" where it has one.
std::string EntryName(const json& entry, std::size_t position) {
  std::string name = "Eintrag " + GroupedNumber(static_cast<int64_t>(position));
  if (entry.is_object()) {
    if (const json* id = JsonMember(entry, "id"); id != nullptr && !id->is_structured()) {
      name += " (\"id\": " + Shown(*id) + ")";
    }
  }
  return name;
}

}  // namespace

std::vector<Drawing> ParseCommunityJson(std::string_view bytes) {
  json root;
  try {
    root = json::parse(bytes.begin(), bytes.end(), [](int depth, json::parse_event_t, json&) {
      if (depth > kMaxDepth) throw TooDeep{};
      return true;
    });
  } catch (const json::parse_error& e) {
    // The parser counts the end of the input as one byte past the last.
    if (e.byte > bytes.size()) {
      throw DrawingsFileError(
          "die JSON-Datei endet mitten in ihrem Inhalt, vielleicht wurde sie nicht ganz "
          "heruntergeladen");
    }
    throw DrawingsFileError("die Datei ist kein g\xFCltiges JSON: der Fehler steht bei Byte " +
                            GroupedNumber(static_cast<int64_t>(e.byte)) + " von " +
                            GroupedNumber(static_cast<int64_t>(bytes.size())));
  } catch (const json::out_of_range&) {
    // What a double cannot hold, 1e999.
    throw DrawingsFileError(
        "die JSON-Datei enth\xE4lt eine Zahl au\xDF"
        "erhalb jedes Zahlbereichs");
  } catch (const TooDeep&) {
    throw DrawingsFileError(
        "die JSON-Datei ist tiefer verschachtelt, als eine Liste von Ziehungen es ist");
  }

  if (!root.is_object()) {
    throw DrawingsFileError("die JSON-Datei enth\xE4lt " + Kind(root) +
                            " statt eines Objekts mit der Liste \"data\" der Ziehungen");
  }
  const json* data = JsonMember(root, "data");
  if (data == nullptr) {
    throw DrawingsFileError("die JSON-Datei hat keine Liste \"data\" der Ziehungen, sondern " +
                            MemberNames(root));
  }
  if (!data->is_array()) {
    throw DrawingsFileError("in der JSON-Datei ist \"data\" " + Kind(*data) +
                            " und keine Liste von Ziehungen");
  }

  std::vector<Drawing> drawings;
  drawings.reserve(data->size());
  std::size_t position = 0;
  for (const json& entry : *data) {
    ++position;
    try {
      drawings.push_back(ReadEntry(entry));
    } catch (const EntryProblem& problem) {
      throw DrawingsFileError(EntryName(entry, position) + ": " + problem.reason);
    }
  }
  return drawings;
}

}  // namespace kw
