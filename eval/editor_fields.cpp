#include "eval/editor_fields.h"

#include <algorithm>
#include <exception>
#include <iterator>

#include "core/error.h"
#include "core/text.h"

namespace kw {

const char* const kEditorConversionMessage =
    "FEHLER: Das Datum ist falsch eingegeben oder ein oder mehrere Zahlenfelder sind leer ! "
    "Es mu\xDF eine Zahl eingetragen werden (0 wenn Sie an dem Spiel nicht teilnehmen).";

const char* const kEditorDataMessage =
    "FEHLER: Falsche Daten ! \xDC"
    "berp\xFC"
    "fen Sie die Spielzahlen und Losnummer auf Leerzeichen, Buchstaben oder Sonderzeichen";

namespace {

// The number behind the k-th field, counted from 0.
template <class Record>
auto& NumberAt(Record& ticket, int field) {
  return ticket.games[field / kNumbersPerGame][field % kNumbersPerGame];
}

}  // namespace

std::string EditorRangeMessage(int game, int position) {
  std::string text = "Die Zahl in Spiel ";
  text += std::to_string(game);
  text += " an Stelle ";
  text += std::to_string(position);
  text += " ist ung\xFCltig !";
  return text;
}

EditorFields EditorFieldsOf(const EditorTicket& ticket) {
  EditorFields fields;
  for (int k = 0; k < kEditorNumberFields; ++k) {
    fields.numbers[k] = std::to_string(NumberAt(ticket, k));
  }
  fields.lotNumber = ticket.lotNumber;
  fields.expiryDate = FormatShortDate(ticket.expiryDate);
  for (int s = 0; s < kSystemCount; ++s) fields.systems[s] = SystemFieldText(ticket.systems[s]);
  return fields;
}

void ClearEditorTicket(EditorTicket& ticket, Date today) {
  ticket.games = Games{};
  ticket.systems = TicketSystems{};
  ticket.lotNumber.clear();
  ticket.expiryDate = today;
}

std::string EditorZeroAmongNumbersMessage(int game) {
  return "Spiel " + std::to_string(game) +
         ": eine 0 steht neben anderen Zahlen; ein leeres Spiel hat sechs Nullen.";
}

std::string EditorRepeatedNumberMessage(int game, int number, int times) {
  return "Spiel " + std::to_string(game) + ": die " + std::to_string(number) + " steht " +
         TimesWord(times) + ".";
}

std::string EditorSystemMessage(int system, const std::string& problem) {
  return "System " + std::to_string(system) + ": " + problem + ".";
}

namespace {

// ReadEditorFields, with the field that failed.
std::optional<EditorProblem> ReadFields(const EditorFields& fields, EditorTicket& ticket,
                                        int currentYear) {
  int field = 0;
  try {
    for (; field < kEditorNumberFields; ++field) {
      NumberAt(ticket, field) = LowByte(StrToInt(Trim(fields.numbers[field])));
    }
    field = kEditorLotNumberField;
    ticket.lotNumber = fields.lotNumber;
    field = kEditorExpiryField;
    ticket.expiryDate = ParseDate(Trim(fields.expiryDate), currentYear);
    ticket.systems = ReadSystems(fields.systems);
  } catch (const ConversionError&) {
    return EditorProblem{kEditorConversionMessage, field};
  } catch (const std::exception&) {
    return EditorProblem{kEditorDataMessage, field};
  }
  return std::nullopt;
}

// A game that five numbers and a 0 would turn into an empty one, or that no slip can hold
// because a number stands twice: the file would keep something else than what was typed, or a
// game the check of the ticket's term can only skip.
void CheckGame(int game, const std::array<int32_t, kNumbersPerGame>& typed,
               std::vector<EditorProblem>& problems) {
  const int first = game * kNumbersPerGame;
  const auto zero = std::find(typed.begin(), typed.end(), 0);
  const bool allZero = std::all_of(typed.begin(), typed.end(), [](int32_t n) { return n == 0; });
  if (allZero) return;
  if (zero != typed.end()) {
    problems.push_back(
        {EditorZeroAmongNumbersMessage(game + 1), first + static_cast<int>(zero - typed.begin())});
  }
  for (int p = 0; p < kNumbersPerGame; ++p) {
    const int32_t n = typed[p];
    if (n == 0) continue;
    const auto before = typed.begin() + p;
    if (std::find(typed.begin(), before, n) != before) continue;  // told at its first place
    const auto times = static_cast<int>(std::count(before, typed.end(), n));
    if (times < 2) continue;
    const auto second = std::find(before + 1, typed.end(), n);
    problems.push_back({EditorRepeatedNumberMessage(game + 1, n, times),
                        first + static_cast<int>(second - typed.begin())});
  }
}

}  // namespace

std::optional<std::string> ReadEditorFields(const EditorFields& fields, EditorTicket& ticket,
                                            int currentYear) {
  std::optional<EditorProblem> failure = ReadFields(fields, ticket, currentYear);
  if (!failure) return std::nullopt;
  return std::move(failure->message);
}

std::vector<EditorProblem> CheckEditorFields(const EditorFields& fields, EditorTicket& ticket,
                                             int currentYear) {
  std::vector<EditorProblem> problems;
  if (std::optional<EditorProblem> failure = ReadFields(fields, ticket, currentYear)) {
    problems.push_back(std::move(*failure));
  }
  // The typed number is checked, not the stored byte: 300 would be stored as 44 and 256 as 0,
  // and the file would hold numbers nobody typed.
  std::array<std::array<int32_t, kNumbersPerGame>, kGameCount> typed{};
  std::array<bool, kGameCount> gameInRange{};
  gameInRange.fill(true);
  for (int k = 0; k < kEditorNumberFields; ++k) {
    int32_t& number = typed[k / kNumbersPerGame][k % kNumbersPerGame];
    if (!TryStrToInt(Trim(fields.numbers[k]), number)) {  // reported by the reading
      gameInRange[k / kNumbersPerGame] = false;
      continue;
    }
    if (number < 0 || number > kHighestNumber) {
      gameInRange[k / kNumbersPerGame] = false;
      problems.push_back({EditorRangeMessage(k / kNumbersPerGame + 1, k % kNumbersPerGame + 1), k});
    }
  }
  for (int g = 0; g < kGameCount; ++g) {
    if (gameInRange[g]) CheckGame(g, typed[g], problems);
  }
  const TicketSystems systems = ReadSystems(fields.systems);
  for (int s = 0; s < kSystemCount; ++s) {
    if (systems[s].problem.empty()) continue;
    problems.push_back(
        {EditorSystemMessage(s + 1, systems[s].problem), kEditorFirstSystemField + s});
  }
  return problems;
}

}  // namespace kw
