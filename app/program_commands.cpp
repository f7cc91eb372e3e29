#include "app/program_commands.h"

#include <QString>
#include <cstdio>
#include <optional>
#include <string>

#include "app/settings_location.h"
#include "archive/archive.h"
#include "commands/commands.h"
#include "core/cp1252.h"
#include "service/update_command.h"

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
  try {
    DrawingArchive drawings(archive);
    return RunUpdate(options, drawings, clock, stdout, stderr);
  } catch (const Error& failure) {
    PrintLine(stderr, std::string("kreuzwart: ") + failure.what());
    return 1;
  }
}

int Check(const CommandLine& line, const std::filesystem::path& archive) {
  // The ticket readers keep paths as Windows-1252, as ZW.INI holds them.
  const std::optional<std::string> ticket = Utf8ToCp1252(line.tickets.front());
  if (!ticket) {
    std::fprintf(stderr,
                 "kreuzwart: Der Dateiname '%s' enth\u00e4lt Zeichen, die Kreuzwart nicht "
                 "lesen kann\n",
                 line.tickets.front().c_str());
    return 1;
  }
  return CheckCommand({*ticket}, archive, SystemClock().Today(), stdout, stderr);
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
