#include "core/settings_file.h"

#include <algorithm>
#include <exception>

#include "core/error.h"
#include "core/profile.h"

namespace kw {

namespace {

constexpr std::size_t kSpiel77Column = 16;  // columns 17-23
constexpr std::size_t kSuper6Column = 23;   // columns 24-29
constexpr std::size_t kDateColumn = 29;     // columns 30-39
// "TT.MM.JJJJ". Files of old keep eight characters there and read as they always did.
constexpr std::size_t kDateLength = 10;
constexpr std::string_view kNoDate = "???";

// Columns [first, first + count) of the line, fewer or none when it ends earlier.
std::string_view Columns(std::string_view line, std::size_t first, std::size_t count) {
  return first < line.size() ? line.substr(first, count) : std::string_view{};
}

}  // namespace

namespace DrawLine {

std::string Format(const DrawResult& draw) {
  std::string line;
  for (uint8_t number : draw.numbers) {
    if (number < 10) line += '0';
    line += std::to_string(number);
  }
  line += draw.spiel77;
  line += draw.super6;
  if (draw.drawDate != kNoDate) line += draw.drawDate.str();
  return line;
}

bool Parse(std::string_view line, DrawResult& draw) {
  DrawResult read = draw;
  for (std::size_t i = 0; i < read.numbers.size(); ++i) {
    int32_t value = 0;
    // A negative number would be kept as its low byte, 255 for -1, and the next save would
    // write it in three columns and shift the rest of the line: such a line is refused.
    if (!TryStrToInt(Columns(line, 2 * i, 2), value) || value < 0) return false;
    read.numbers[i] = LowByte(value);
  }
  read.spiel77 = Columns(line, kSpiel77Column, kSpiel77Digits);
  read.super6 = Columns(line, kSuper6Column, kSuper6Digits);
  read.drawDate = line.size() > kDateColumn ? Columns(line, kDateColumn, kDateLength) : kNoDate;
  draw = std::move(read);
  return true;
}

}  // namespace DrawLine

SettingsFile::SettingsFile(const std::filesystem::path& directory, ProfileWriter writer)
    : path_(directory / kFileName), writer_(std::move(writer)) {}

std::string SettingsFile::ReadTicketPath() const {
  return ReadProfileString(path_, kSettingsSection, kTicketKey);
}

void SettingsFile::WriteTicketPath(std::string_view ticketPath) const {
  writer_(path_, kSettingsSection, kTicketKey, ticketPath);
}

std::string SettingsFile::ReadDrawLine(DrawDay day) const {
  return ReadProfileString(path_, kDrawSection, DrawLineKey(day));
}

void SettingsFile::WriteDrawLine(DrawDay day, std::string_view line) const {
  writer_(path_, kDrawSection, DrawLineKey(day), line);
}

namespace {

std::string ListKey(std::size_t index) {
  return SettingsFile::kTicketListKeyPrefix + std::to_string(index);
}

}  // namespace

std::vector<std::string> SettingsFile::ReadTicketList() const {
  const Profile file = Profile::Load(path_);
  std::vector<std::string> paths;
  for (std::size_t i = 1;; ++i) {
    std::string path = file.Read(kTicketListSection, ListKey(i));
    if (path.empty()) return paths;
    paths.push_back(std::move(path));
  }
}

void SettingsFile::WriteTicketList(const std::vector<std::string>& paths) const {
  std::vector<std::pair<std::string, std::string>> keys;
  keys.reserve(paths.size() + 1);
  for (std::size_t i = 0; i < paths.size(); ++i) {
    keys.emplace_back(ListKey(i + 1), ProtectedProfileValue(paths[i]));
  }
  // The end of the list, whatever stood after it before.
  keys.emplace_back(ListKey(paths.size() + 1), "");
  WriteProfileStrings(path_, kTicketListSection, keys);
}

std::string SettingsFile::ReadWindowValue(std::string_view key) const {
  return ReadProfileString(path_, kTicketListSection, key);
}

void SettingsFile::WriteWindowValue(std::string_view key, std::string_view value) const {
  writer_(path_, kTicketListSection, key, value);
}

void RememberTicket(const SettingsFile& settings, const std::string& ticketPath) {
  if (ticketPath.empty()) return;
  std::vector<std::string> paths = settings.ReadTicketList();
  if (std::find(paths.begin(), paths.end(), ticketPath) != paths.end()) return;
  paths.push_back(ticketPath);
  settings.WriteTicketList(paths);
}

void ForgetTicket(const SettingsFile& settings, const std::string& ticketPath) {
  std::vector<std::string> paths = settings.ReadTicketList();
  const auto kept = std::remove(paths.begin(), paths.end(), ticketPath);
  if (kept == paths.end()) return;
  paths.erase(kept, paths.end());
  settings.WriteTicketList(paths);
}

SettingsLoad LoadSettings(const SettingsFile& settings, Ticket& ticket, StoredDraws& draws,
                          int currentYear) {
  SettingsLoad load;
  Profile file;
  try {
    file = Profile::Load(settings.path());
  } catch (const ReadError&) {
    return load;  // silent, like every failure here; a later save refuses to replace such a file
  }
  const std::string ticketPath =
      file.Read(SettingsFile::kSettingsSection, SettingsFile::kTicketKey);
  const std::string wednesday = file.Read(SettingsFile::kDrawSection, SettingsFile::kWednesdayKey);
  const std::string saturday = file.Read(SettingsFile::kDrawSection, SettingsFile::kSaturdayKey);

  if (!ticketPath.empty()) {
    load.ticketPath = ticketPath;
    try {
      LoadTicket(ticket, ticketPath, currentYear);
      load.ticket = SettingsLoad::TicketLoad::Loaded;
    } catch (const std::exception&) {
      // Silent: the failed load leaves no current ticket. The drawings are read all the same,
      // or the next save would overwrite the stored ones with empty drawings.
      load.ticket = SettingsLoad::TicketLoad::Failed;
    }
  }

  // Each day on its own: a broken line keeps that day's earlier values and costs the other
  // day nothing.
  DrawLine::Parse(wednesday, draws[DrawDay::Wednesday]);
  load.saturdayRead = DrawLine::Parse(saturday, draws[DrawDay::Saturday]);
  return load;
}

void SaveSettings(const SettingsFile& settings, std::string_view ticketPath,
                  const StoredDraws& draws) {
  settings.WriteTicketPath(ticketPath);
  settings.WriteDrawLine(DrawDay::Wednesday, DrawLine::Format(draws[DrawDay::Wednesday]));
  settings.WriteDrawLine(DrawDay::Saturday, DrawLine::Format(draws[DrawDay::Saturday]));
}

void SaveSettings(const SettingsFile& settings, const Ticket& ticket, const StoredDraws& draws) {
  SaveSettings(settings, ticket.path, draws);
}

}  // namespace kw
