#include "core/editor_fields.h"

#include <exception>

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

constexpr int32_t kHighestNumber = 49;

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
  return fields;
}

void ClearEditorTicket(EditorTicket& ticket, Date today) {
  ticket.games = Games{};
  ticket.lotNumber.clear();
  ticket.expiryDate = today;
}

std::optional<std::string> ReadEditorFields(const EditorFields& fields, EditorTicket& ticket,
                                            int currentYear) {
  try {
    for (int k = 0; k < kEditorNumberFields; ++k) {
      NumberAt(ticket, k) = LowByte(StrToInt(Trim(fields.numbers[k])));
    }
    ticket.lotNumber = fields.lotNumber;
    ticket.expiryDate = ParseDate(Trim(fields.expiryDate), currentYear);
  } catch (const ConversionError&) {
    return kEditorConversionMessage;
  } catch (const std::exception&) {
    return kEditorDataMessage;
  }
  return std::nullopt;
}

std::vector<std::string> CheckEditorFields(const EditorFields& fields, EditorTicket& ticket,
                                           int currentYear) {
  std::vector<std::string> messages;
  if (std::optional<std::string> failure = ReadEditorFields(fields, ticket, currentYear)) {
    messages.push_back(std::move(*failure));
  }
  // The typed number is checked, not the stored byte: 300 would be stored as 44 and 256 as 0,
  // and the file would hold numbers nobody typed.
  for (int k = 0; k < kEditorNumberFields; ++k) {
    int32_t typed = 0;
    if (!TryStrToInt(Trim(fields.numbers[k]), typed)) continue;  // reported by the reading
    if (typed < 0 || typed > kHighestNumber) {
      messages.push_back(EditorRangeMessage(k / kNumbersPerGame + 1, k % kNumbersPerGame + 1));
    }
  }
  return messages;
}

}  // namespace kw
