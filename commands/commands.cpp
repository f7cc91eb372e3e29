#include "commands/commands.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <vector>

#include "archive/archive.h"
#include "archive/drawings_csv.h"
#include "archive/drawings_file.h"
#include "core/cp1252.h"
#include "core/error.h"
#include "core/ticket_term.h"
#include "eval/term_report.h"
#include "eval/ticket_check.h"

namespace kw {

namespace {

// A failure that ends a command: its message on err, exit code 1.
int Failed(std::FILE* err, const std::exception& failure) {
  PrintLine(err, std::string("kreuzwart: ") + failure.what());
  return 1;
}

}  // namespace

void PrintLine(std::FILE* stream, const std::string& cp1252Line) {
  const std::string line = Cp1252ToUtf8(cp1252Line) + "\n";
  std::fwrite(line.data(), 1, line.size(), stream);
}

int ImportDrawsCommand(const std::filesystem::path& file, const std::filesystem::path& archive,
                       std::FILE* out, std::FILE* err) {
  try {
    DrawingArchive drawings(archive);
    PrintLine(out, ImportDrawingsFile(drawings, file));
    return 0;
  } catch (const std::exception& failure) {
    return Failed(err, failure);
  }
}

int ExportDrawsCommand(const std::filesystem::path& csvFile, const std::filesystem::path& archive,
                       std::FILE* out, std::FILE* err) {
  try {
    const DrawingArchive drawings(archive);
    PrintLine(out, ExportDrawingsCsv(drawings, csvFile));
    return 0;
  } catch (const std::exception& failure) {
    return Failed(err, failure);
  }
}

namespace {

// Prints one ticket's check: the term, every day with its lines, the total and the stake.
void PrintCheck(const TicketCheck& check, std::FILE* out, std::FILE* err) {
  PrintLine(out, TermLine(check));
  for (const std::string& line : ProblemLines(check)) PrintLine(err, "kreuzwart: " + line);
  for (const std::string& line : TermReportLines(check.term)) PrintLine(out, line);
  PrintLine(out, StakeLine(check.stake));
  if (check.term.firstQuotaToFetch) {
    PrintLine(out, "Die fehlenden Quoten holt: kreuzwart --update --from " +
                       FormatShortDate(*check.term.firstQuotaToFetch));
  }
}

}  // namespace

int CheckCommand(const std::vector<std::string>& ticketPaths, const std::filesystem::path& archive,
                 Date today, std::FILE* out, std::FILE* err) {
  // A command that only reads never creates the archive: a missing one holds no drawing. It is
  // opened once, whatever the number of tickets.
  std::optional<DrawingArchive> drawings;
  std::error_code ec;
  if (std::filesystem::symlink_status(archive, ec).type() !=
      std::filesystem::file_type::not_found) {
    try {
      drawings.emplace(archive);
    } catch (const std::exception& failure) {
      return Failed(err, failure);
    }
  }
  const DrawingSource source = [&drawings](Date first, Date last) {
    return drawings ? drawings->ReadRange(first, last) : std::vector<Drawing>{};
  };

  int code = 0;
  std::vector<TicketFileCheck> checked;
  for (const std::string& path : ticketPaths) {
    if (ticketPaths.size() > 1) PrintLine(out, "Schein: " + path);
    try {
      TicketFileCheck& file = checked.emplace_back(CheckTicketFile(path, source, today));
      if (file.check) {
        PrintCheck(*file.check, out, err);
      } else {
        PrintLine(err, "kreuzwart: " + file.RefusalText());
        code = 1;
      }
    } catch (const std::exception& failure) {
      // A drawing the archive holds wrongly, or an archive that fails while read: this ticket
      // is not reported, and the sum says so.
      checked.push_back(TicketFileCheck{path, std::nullopt, false, failure.what()});
      code = Failed(err, failure);
    }
  }
  if (ticketPaths.size() > 1) PrintLine(out, AllTicketsLine(SumOf(checked)));
  return code;
}

}  // namespace kw
