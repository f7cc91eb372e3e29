#pragma once

#include <filesystem>
#include <optional>

namespace kw {

class Platform;

// Where ZW.INI and the web import's temporary files live. The program's own folder, as it always
// was, when a file can be created there (a copy unpacked anywhere the user can write); otherwise,
// as for a program installed into /usr/bin, the per-user folder, created when missing. Nothing
// when neither folder can take a file.
std::optional<std::filesystem::path> ChooseSettingsDirectory(
    const std::filesystem::path& programDirectory, const std::filesystem::path& userDirectory);

// The chosen folder. When there is none, a warning names both folders and the program runs on
// with its own folder: it reads what is there, and each save says that it failed. A warning
// also when ZW.INI in the chosen folder cannot be read (a folder, a device or a pipe in its
// place, a file far too large): the program runs on without it, and no save replaces it.
std::filesystem::path SettingsDirectory(Platform& platform,
                                        const std::filesystem::path& programDirectory,
                                        const std::filesystem::path& userDirectory);

}  // namespace kw
