#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/profile.h"
#include "core/records.h"
#include "core/ticket_file.h"

namespace kw {

// One drawing as one line of fixed columns: eight two-digit numbers, Spiel 77, Super 6, date.
namespace DrawLine {

// The SaveSettings form: the date is left out when it is exactly "???".
std::string Format(const DrawResult& draw);

// Reads a line into a drawing. False when a number does not convert or is negative; the
// drawing is then left exactly as it was. An empty line fails on its first number.
bool Parse(std::string_view line, DrawResult& draw);

}  // namespace DrawLine

// ZW.INI in the directory the program passes (its executable's directory).
class SettingsFile {
 public:
  static constexpr const char* kFileName = "ZW.INI";
  static constexpr const char* kSettingsSection = "Einstellungen";
  static constexpr const char* kTicketKey = "Schein";
  static constexpr const char* kDrawSection = "Zahlen";
  // The keys of the two drawings in kDrawSection: "Mittwoch", "Samstag".
  static constexpr const char* kWednesdayKey = "Mittwoch";
  static constexpr const char* kSaturdayKey = "Samstag";
  static const char* DrawLineKey(DrawDay day) {
    return day == DrawDay::Wednesday ? kWednesdayKey : kSaturdayKey;
  }

  // Writes one key of the file; replaceable so that tests can fail a chosen write.
  using ProfileWriter = std::function<void(const std::filesystem::path&, std::string_view section,
                                           std::string_view key, std::string_view value)>;

  explicit SettingsFile(const std::filesystem::path& directory,
                        ProfileWriter writer = WriteProfileString);

  const std::filesystem::path& path() const { return path_; }

  // Single keys. A read throws ReadError when ZW.INI is a folder, a device or far too large.

  // "Schein": the current ticket's path.
  std::string ReadTicketPath() const;
  void WriteTicketPath(std::string_view ticketPath) const;

  // "Mittwoch" or "Samstag": a DrawLine.
  std::string ReadDrawLine(DrawDay day) const;
  void WriteDrawLine(DrawDay day, std::string_view line) const;

  // The household's tickets, in a section of their own ("Meine Scheine"): the files the person
  // loaded, saved or added, in the order first met (Windows-1252 paths, as "Schein" keeps them).
  // They are kept as "Schein1", "Schein2", ... up to the first empty one, so that a shorter list
  // ends with an empty key and needs no key taken out of the file.
  static constexpr const char* kTicketListSection = "Meine Scheine";
  static constexpr const char* kTicketListKeyPrefix = "Schein";  // "Schein1", "Schein2", ...
  std::vector<std::string> ReadTicketList() const;
  // The whole list in one atomic replacement; every other line of ZW.INI stays.
  void WriteTicketList(const std::vector<std::string>& paths) const;

  // A value of the window "Meine Scheine" (its place and size, its columns) in the same section.
  static constexpr const char* kWindowPlaceKey = "Fenster";
  static constexpr const char* kWindowColumnsKey = "Spalten";
  std::string ReadWindowValue(std::string_view key) const;
  void WriteWindowValue(std::string_view key, std::string_view value) const;

 private:
  std::filesystem::path path_;
  ProfileWriter writer_;
};

// Adds the ticket to the household's list unless it is there (or empty); its place stays.
void RememberTicket(const SettingsFile& settings, const std::string& ticketPath);
// Takes the ticket off the list; its file is never touched.
void ForgetTicket(const SettingsFile& settings, const std::string& ticketPath);

// What a LoadSettings did, for the main window to show: in this order, the cleared ticket, the
// loaded ticket, the Saturday drawing.
struct SettingsLoad {
  enum class TicketLoad {
    NotNamed,  // "Schein" empty, or no settings file to read: the current ticket is untouched
    Loaded,    // cleared, then read whole
    Failed,    // cleared, and its file could not be read: no current ticket
  };
  TicketLoad ticket = TicketLoad::NotNamed;
  std::string ticketPath;     // what "Schein" named, also when its load failed
  bool saturdayRead = false;  // the Saturday line was read: its drawing is to be shown
};

// Reads the three keys, loads the named ticket and reads both drawings. Reports nothing: a
// settings file that cannot be read changes nothing; a ticket that fails to load leaves no
// current ticket; each day's line is read on its own, a day whose line fails keeps its values.
SettingsLoad LoadSettings(const SettingsFile& settings, Ticket& ticket, StoredDraws& draws,
                          int currentYear);

// Writes "Schein" (ticketPath), "Mittwoch", "Samstag" in this order. Throws WriteError at the
// first key that cannot be written; the keys before it stay written.
void SaveSettings(const SettingsFile& settings, std::string_view ticketPath,
                  const StoredDraws& draws);
// The same with the ticket's own path.
void SaveSettings(const SettingsFile& settings, const Ticket& ticket, const StoredDraws& draws);

}  // namespace kw
