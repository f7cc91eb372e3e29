#include "core/ticket_file.h"

#include <filesystem>
#include <optional>
#include <system_error>
#include <utility>
#include <vector>

#include "core/cp1252.h"
#include "core/error.h"
#include "core/profile.h"

namespace kw {

namespace {

std::string GameKey(int gameIndex) { return kGameKeyPrefix + std::to_string(gameIndex + 1); }

}  // namespace

std::string TicketPathFromUtf8(std::string_view name) {
  const std::optional<std::string> path = Utf8ToCp1252(name);
  if (!path) {
    throw Error("Der Dateiname '" + Utf8ToCp1252Lossy(name) +
                "' enth\xE4lt Zeichen, die Kreuzwart nicht lesen kann");
  }
  return *path;
}

void ReadGameValue(std::string_view value, int gameNumber, Game& game) {
  if (value.empty()) {
    game.fill(0);
    return;
  }
  // Only columns 1-2, 4-5, ... 16-17 are read; the separating blanks are never looked at.
  for (std::size_t k = 0; k < game.size(); ++k) {
    const std::size_t column = 3 * k;
    const std::string_view piece =
        column < value.size() ? value.substr(column, 2) : std::string_view{};
    const int32_t number = StrToInt(piece);
    // A negative number would be kept as its low byte, 255 for -1, and the next save would write
    // it in three columns: that file could not be read again.
    if (number < 0) {
      throw ConversionError("Die Zahl " + std::to_string(number) + " in Spiel " +
                            std::to_string(gameNumber) + " an Stelle " + std::to_string(k + 1) +
                            " ist ung\xFCltig");
    }
    game[k] = LowByte(number);
  }
}

std::string FormatGameValue(const Game& game) {
  std::string value;
  for (uint8_t number : game) {
    if (number == 0) return {};
    if (number < 10) value += '0';
    value += std::to_string(number);
    value += ' ';
  }
  return value;
}

void LoadTicket(Ticket& ticket, const std::string& path, int currentYear) {
  ClearTicket(ticket, true);

  const Profile file = Profile::Load(FsPath(path));
  for (int g = 0; g < kGameCount; ++g) {
    ReadGameValue(file.Read(kTicketSection, GameKey(g)), g + 1, ticket.games[g]);
  }
  SetLotNumber(ticket, file.Read(kTicketSection, kLotNumberKey));
  ticket.expiryDate = ParseDate(file.Read(kTicketSection, kExpiryKey), currentYear);

  // Only a ticket read whole becomes the current ticket.
  ticket.path = path;
}

TicketSystems ReadTicketSystems(const Profile& file) {
  SystemTexts texts;
  for (int s = 0; s < kSystemCount; ++s) texts[s] = file.Read(kTicketSection, SystemKey(s + 1));
  return ReadSystems(texts);
}

void ReadEditorTicketFile(EditorTicket& ticket, const std::string& path, int currentYear) {
  const Profile file = Profile::Load(FsPath(path));
  for (int g = 0; g < kGameCount; ++g) {
    ReadGameValue(file.Read(kTicketSection, GameKey(g)), g + 1, ticket.games[g]);
  }
  ticket.systems = ReadTicketSystems(file);
  ticket.lotNumber = file.Read(kTicketSection, kLotNumberKey);
  ticket.expiryDate = ParseDate(file.Read(kTicketSection, kExpiryKey), currentYear);
}

void WriteTicketFile(const EditorTicket& ticket, const std::string& path,
                     const std::string& basedOn, bool replaceWhole) {
  // All keys go into the file in one replacement, so a failed save never leaves a ticket that
  // mixes old and new games.
  std::vector<std::pair<std::string, std::string>> keyValues;
  for (int g = 0; g < kGameCount; ++g) {
    keyValues.emplace_back(GameKey(g), FormatGameValue(ticket.games[g]));
  }
  // The lot number is free text: it keeps blanks at its ends and quotes around it.
  keyValues.emplace_back(kLotNumberKey, ProtectedProfileValue(ticket.lotNumber));
  keyValues.emplace_back(kExpiryKey, FormatShortDate(ticket.expiryDate));
  std::string start;
  std::error_code error;
  const bool exists = !replaceWhole && std::filesystem::exists(FsPath(path), error);
  if (!basedOn.empty() && basedOn != path && !exists) {
    // One that cannot be read stops the save (ReadError): its keys must not go without a word.
    start = ProfileSectionBytes(ReadProfileFile(FsPath(basedOn)).value_or(std::string{}),
                                kTicketSection);
  }
  // A ticket without systems is written as the Windows program writes it, without their keys;
  // a system the file held and the editor emptied is emptied in the file too.
  Profile before = Profile::Parse(start);
  if (exists) {
    try {
      before = Profile::Load(FsPath(path));
    } catch (const ReadError&) {
      // The write below refuses such a file with its WriteError.
    }
  }
  for (int s = 0; s < kSystemCount; ++s) {
    const TicketSystem& system = ticket.systems[s];
    const std::string key = SystemKey(s + 1);
    if (system.IsSystem()) {
      keyValues.emplace_back(key, FormatSystemValue(system.numbers));
    } else if (!system.IsEmpty()) {
      // Written as it stands, so that nothing unreadable is lost or turned into a system.
      keyValues.emplace_back(key, ProtectedProfileValue(system.text));
    } else if (!before.Read(kTicketSection, key).empty()) {
      keyValues.emplace_back(key, "");
    }
  }
  WriteProfileStrings(FsPath(path), kTicketSection, keyValues, start, replaceWhole);
}

}  // namespace kw
