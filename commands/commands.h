#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "core/date.h"

namespace kw {

// The commands of the command line that need no network: each does its one thing without any
// window, prints German text (UTF-8) on out, failures on err, and returns the exit code: 0 on
// success, 1 when the work failed. No Qt here.

// --import-draws FILE: a file of drawings, in any form the import reads (drawings_file.h), into
// the archive, one line of result.
int ImportDrawsCommand(const std::filesystem::path& file, const std::filesystem::path& archive,
                       std::FILE* out, std::FILE* err);

// --export-draws FILE: the archive as CSV.
int ExportDrawsCommand(const std::filesystem::path& csvFile, const std::filesystem::path& archive,
                       std::FILE* out, std::FILE* err);

// --check SCHEIN.sch [SCHEIN.sch ...]: for each ticket the term line, then every drawing day of
// the term with its report lines, last the term's total; several tickets each under a line
// "Schein: <path>". A missing archive is an empty one: every drawn day is missing then, and no
// archive is created by a command that only reads. Ticket paths are Windows-1252, as the
// settings keep ticket paths. 1 when a ticket could not be read; the others are reported.
int CheckCommand(const std::vector<std::string>& ticketPaths, const std::filesystem::path& archive,
                 Date today, std::FILE* out, std::FILE* err);

// Prints Windows-1252 text as one UTF-8 line.
void PrintLine(std::FILE* stream, const std::string& cp1252Line);

}  // namespace kw
