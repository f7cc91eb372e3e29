#include "commands/commands.h"

#include <algorithm>
#include <exception>
#include <vector>

#include "archive/archive.h"
#include "archive/drawings_csv.h"
#include "archive/drawings_file.h"
#include "core/cp1252.h"
#include "core/error.h"
#include "core/ticket_term.h"
#include "eval/term_report.h"

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

// One ticket's term and report; 1 when the ticket or the archive cannot be read.
int CheckOne(const std::string& ticketPath, const std::filesystem::path& archive, Date today,
             std::FILE* out, std::FILE* err) {
  try {
    const TermTicket ticket = ReadTermTicket(ticketPath, today.year());
    const TicketTerm& term = ticket.term;
    const std::vector<Date> days = TermDrawingDays(term);
    std::vector<Drawing> stored;
    std::error_code ec;
    if (!days.empty() && std::filesystem::symlink_status(archive, ec).type() !=
                             std::filesystem::file_type::not_found) {
      const DrawingArchive drawings(archive);
      stored = drawings.ReadRange(days.front(), days.back());
    }
    const TermCheck check =
        CheckTerm(PlayOf(ticket.ticket, term), TermDaysOf(days, stored, today), today);

    PrintLine(out, TermLine(term));
    for (const auto& [name, problem] : {std::pair{"Beginn", &term.firstDay.problem},
                                        {"Ziehungstage", &term.drawDays.problem},
                                        {"Spiel77", &term.spiel77.problem},
                                        {"Super6", &term.super6.problem}}) {
      if (!problem->empty()) PrintLine(err, std::string("kreuzwart: ") + name + ": " + *problem);
    }
    for (const std::string& line : TermReportLines(check)) PrintLine(out, line);
    if (check.firstQuotaToFetch) {
      PrintLine(out, "Die fehlenden Quoten holt: kreuzwart --update --from " +
                         FormatShortDate(*check.firstQuotaToFetch));
    }
    return 0;
  } catch (const std::exception& failure) {
    return Failed(err, failure);
  }
}

}  // namespace

int CheckCommand(const std::vector<std::string>& ticketPaths, const std::filesystem::path& archive,
                 Date today, std::FILE* out, std::FILE* err) {
  int code = 0;
  for (const std::string& path : ticketPaths) {
    if (ticketPaths.size() > 1) PrintLine(out, "Schein: " + path);
    code = std::max(code, CheckOne(path, archive, today, out, err));
  }
  return code;
}

}  // namespace kw
