#include "app/program_commands.h"

#include <QString>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "app/settings_location.h"
#include "archive/archive.h"
#include "commands/commands.h"
#include "commands/update_command.h"
#include "core/cp1252.h"
#include "core/error.h"
#include "core/ticket_file.h"

namespace kw {

namespace {

int Update(const CommandLine& line, const std::filesystem::path& archive) {
  const SystemClock clock;
  // Without --to the last day is today, which the command line cannot know.
  if (line.from && !line.to && *line.from > clock.Today()) {
    std::fputs(UsageMessage("--from " + FormatShortDate(*line.from) + " liegt nach heute, dem " +
                            FormatShortDate(clock.Today()))
                   .c_str(),
               stderr);
    return 2;
  }
  UpdateOptions options;
  options.from = line.from;
  options.to = line.to;
  if (line.resultsService) options.serviceBase = QString::fromStdString(*line.resultsService);
  return UpdateCommand(options, archive, clock, stdout, stderr);
}

int Check(const CommandLine& line, const std::filesystem::path& archive) {
  // The ticket readers keep paths as Windows-1252, as ZW.INI holds them. A name they cannot
  // hold refuses the whole check: no other file may stand in for it, and a report that left
  // one ticket out would not say so where its lines would be.
  std::vector<std::string> tickets;
  bool refused = false;
  for (const std::string& name : line.tickets) {
    try {
      tickets.push_back(TicketPathFromUtf8(name));
    } catch (const Error& failure) {
      PrintLine(stderr, std::string("kreuzwart: ") + failure.what());
      refused = true;
    }
  }
  if (refused) return 1;
  return CheckCommand(tickets, archive, SystemClock().Today(), stdout, stderr);
}

}  // namespace

int RunCommand(const CommandLine& line, const std::filesystem::path& programDirectory,
               const std::filesystem::path& userDirectory) {
  std::filesystem::path archive;
  if (line.archive) {
    archive = *line.archive;
  } else if (const std::optional<std::filesystem::path> directory =
                 ChooseSettingsDirectory(programDirectory, userDirectory)) {
    archive = *directory / DrawingArchive::kFileName;
  } else {
    PrintLine(stderr, "kreuzwart: Weder \"" + PathText(programDirectory) + "\" noch \"" +
                          PathText(userDirectory) +
                          "\" kann das Archiv der Ziehungen aufnehmen; --archive DATEI nennt "
                          "ein anderes");
    return 1;
  }

  switch (line.command) {
    case Command::ImportDraws:
      return ImportDrawsCommand(line.drawsFile, archive, stdout, stderr);
    case Command::ExportDraws:
      return ExportDrawsCommand(line.drawsFile, archive, stdout, stderr);
    case Command::Check:
      return Check(line, archive);
    case Command::Update:
      return Update(line, archive);
    case Command::Windows:
    case Command::Help:
    case Command::Version:
      break;
  }
  return 1;  // main() carries out the others itself
}

}  // namespace kw
