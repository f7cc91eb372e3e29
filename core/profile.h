#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kw {

// The INI profile store, reading and writing as the Windows profile functions do: a missing file,
// section or key reads as the empty text; a write changes one key and keeps every other line byte
// for byte. Texts are Windows-1252 bytes.

// A profile file parsed once, for operations that read several keys.
class Profile {
 public:
  Profile() = default;
  // Reads the file; a missing or unreadable file gives an empty profile.
  static Profile Load(const std::filesystem::path& file);
  static Profile Parse(std::string_view bytes);

  // The value of the first matching key of the first matching section; empty when missing.
  std::string Read(std::string_view section, std::string_view key) const;

 private:
  struct Section {
    std::string name;
    std::vector<std::pair<std::string, std::string>> keys;  // name, value
  };
  std::vector<Section> sections_;
};

std::string ReadProfileString(const std::filesystem::path& file, std::string_view section,
                              std::string_view key);

// Writes key=value into the section, creating file, section or key when missing. The file is
// replaced atomically. Throws WriteError "Unable to write to <file>" when that fails, and for a
// text holding a line break, which the file could not keep as one value.
void WriteProfileString(const std::filesystem::path& file, std::string_view section,
                        std::string_view key, std::string_view value);

// Writes several keys of one section in order, in a single atomic replacement: either all of
// them reach the file or none. Throws WriteError like WriteProfileString.
void WriteProfileStrings(const std::filesystem::path& file, std::string_view section,
                         const std::vector<std::pair<std::string, std::string>>& keyValues);

// The text to write as a value so that a read gives back exactly the value: one that a read would
// change, with blanks at either end or a pair of quotes around it, is put in double quotes, which
// the read takes off again. Any other value is written as it is.
std::string ProtectedProfileValue(std::string_view value);

// The new file bytes for such a write, without touching the disk.
std::string ApplyProfileWrite(std::string_view bytes, std::string_view section,
                              std::string_view key, std::string_view value);

// Replaces the file's content atomically: a temporary file in the same folder, flushed, renamed.
// Throws WriteError when any step fails; the old file then stays as it was.
void ReplaceFileAtomically(const std::filesystem::path& file, std::string_view bytes);

}  // namespace kw
