#include "app/program_commands.h"

#include <QString>
#include <QUrl>
#include <cstdio>
#include <optional>
#include <string>

#include "app/settings_location.h"
#include "archive/archive.h"
#include "commands/commands.h"
#include "core/cp1252.h"
#include "webimport/results_page_url.h"
#include "service/update_command.h"

namespace kw {

namespace {

int Usage(const std::string& message) {
  std::fprintf(stderr, "kreuzwart: %s\n\"kreuzwart --help\" zeigt, was geht.\n", message.c_str());
  return 2;
}

// A path of the command line, as the system gives it.
std::filesystem::path PathOf(const std::string& argument) {
  return std::filesystem::path(argument);
}

std::optional<Date> DateOption(const CommandLine& line, const char* name, int& failure) {
  const std::optional<std::string> text = line.Option(name);
  if (!text) return std::nullopt;
  const std::optional<Date> date = ParseGermanDate(*text);
  if (!date) failure = Usage(std::string(name) + ": '" + *text + "' ist kein Datum TT.MM.JJJJ");
  return date;
}

int Update(const CommandLine& line, const std::filesystem::path& archive) {
  UpdateOptions options;
  int failure = 0;
  options.from = DateOption(line, "--from", failure);
  options.to = DateOption(line, "--to", failure);
  if (failure) return failure;
  if (const std::optional<std::string> base = line.Option("--results-service")) {
    const std::optional<QString> url = ResultsPageUrlFromOption(QString::fromLocal8Bit(*base));
    if (!url) return Usage("--results-service: '" + *base + "' ist keine http- oder https-Adresse");
    options.serviceBase = *url;
  }
  const SystemClock clock;
  try {
    DrawingArchive drawings(archive);
    return RunUpdate(options, drawings, clock, stdout, stderr);
  } catch (const Error& failure) {
    PrintLine(stderr, std::string("kreuzwart: ") + failure.what());
    return 1;
  }
}

}  // namespace

int RunCommand(const CommandLine& line, const std::filesystem::path& programDirectory,
               const std::filesystem::path& userDirectory) {
  std::filesystem::path archive;
  if (const std::optional<std::string> given = line.Option("--archive")) {
    archive = PathOf(*given);
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

  if (line.command == "--import-draws") {
    return ImportDrawsCommand(PathOf(line.commandValue), archive, stdout, stderr);
  }
  if (line.command == "--export-draws") {
    return ExportDrawsCommand(PathOf(line.commandValue), archive, stdout, stderr);
  }
  if (line.command == "--check") {
    // The ticket readers keep paths as Windows-1252, as ZW.INI holds them.
    const std::optional<std::string> ticket = Utf8ToCp1252(line.commandValue);
    if (!ticket) {
      std::fprintf(stderr,
                   "kreuzwart: Der Dateiname '%s' enth\u00e4lt Zeichen, die Kreuzwart nicht "
                   "lesen kann\n",
                   line.commandValue.c_str());
      return 1;
    }
    return CheckCommand({*ticket}, archive, SystemClock().Today(), stdout, stderr);
  }
  if (line.command == "--update") return Update(line, archive);
  return Usage("unbekannter Befehl '" + line.command + "'");
}

}  // namespace kw
