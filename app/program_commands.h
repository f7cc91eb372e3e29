#pragma once

#include <filesystem>

#include "app/command_line.h"

namespace kw {

// Carries out a command of the command line without any window: --import-draws,
// --export-draws, --update and --check, with the archive of --archive or the one beside ZW.INI
// (the same folder rule). Needs a QCoreApplication. Returns the exit code: 0 done, 1 the work
// failed, 2 a usage error that only shows now (a --from after today).
int RunCommand(const CommandLine& commandLine, const std::filesystem::path& programDirectory,
               const std::filesystem::path& userDirectory);

}  // namespace kw
