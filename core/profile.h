#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/file_io.h"

namespace kw {

// The INI profile store, reading and writing as the Windows profile functions do: a missing file,
// section or key reads as the empty text; a write changes one key and keeps every other line byte
// for byte. Texts are Windows-1252 bytes.

// The largest ticket or settings file that is read. Real ones hold a few hundred bytes; a file
// beyond this is no ticket, and reading it whole would only cost time and memory.
inline constexpr std::size_t kMaxProfileFileSize = 4u << 20;

// The bytes of a profile file, read as ReadRegularFile reads a file of at most
// kMaxProfileFileSize: nothing when it does not exist, ReadError for a folder, a device, a pipe,
// a larger file, or one the system refuses to read.
std::optional<std::string> ReadProfileFile(const std::filesystem::path& file);

// A profile file read once, for operations that read several keys. It keeps the file's bytes
// and nothing more, and looks each key up in them: memory stays at the file's size whatever
// the lines hold.
class Profile {
 public:
  Profile() = default;
  // Reads the file; a missing file gives an empty profile. Throws ReadError like
  // ReadProfileFile.
  static Profile Load(const std::filesystem::path& file);
  static Profile Parse(std::string bytes);

  // The value of the first matching key of the first matching section; empty when missing.
  std::string Read(std::string_view section, std::string_view key) const;

 private:
  std::string bytes_;  // without a byte order mark
};

// One key of a file, read like Profile::Load(file).Read(section, key).
std::string ReadProfileString(const std::filesystem::path& file, std::string_view section,
                              std::string_view key);

// Writes key=value into the section, creating file, section or key when missing. The file is
// replaced atomically. Throws WriteError "Unable to write to <file>" when that fails, for a
// text holding a line break, which the file could not keep as one value, and for an existing
// file that cannot be read (see ReadProfileFile), which must not be replaced by the new key alone.
void WriteProfileString(const std::filesystem::path& file, std::string_view section,
                        std::string_view key, std::string_view value);

// Writes several keys of one section in order, in a single atomic replacement: either all of
// them reach the file or none. A file that does not exist yet starts from newFileBytes. Throws
// WriteError like WriteProfileString.
// replaceWhole: the file becomes newFileBytes with the keys, whatever it held (a file the person
// chose to replace by another).
void WriteProfileStrings(const std::filesystem::path& file, std::string_view section,
                         const std::vector<std::pair<std::string, std::string>>& keyValues,
                         std::string_view newFileBytes = {}, bool replaceWhole = false);

// The first matching section as the file holds it, its header and every line up to the next
// section, byte for byte; empty when the file has no such section.
std::string ProfileSectionBytes(std::string_view bytes, std::string_view section);

// The text to write as a value so that a read gives back exactly the value: one that a read would
// change, with blanks at either end or a pair of quotes around it, is put in double quotes, which
// the read takes off again. Any other value is written as it is.
std::string ProtectedProfileValue(std::string_view value);

// The new file bytes for such a write, without touching the disk.
std::string ApplyProfileWrite(std::string_view bytes, std::string_view section,
                              std::string_view key, std::string_view value);

}  // namespace kw
