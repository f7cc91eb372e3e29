#include <QCoreApplication>
#include <QStandardPaths>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/command_line.h"
#include "app/program_commands.h"
#include "app/settings_location.h"
#include "core/date.h"
#include "ui/qt_platform.h"

namespace {

int UsageFailure(const std::string& message) {
  std::fprintf(stderr, "kreuzwart: %s\n\"kreuzwart --help\" zeigt, was geht.\n", message.c_str());
  return 2;
}

}  // namespace

int main(int argc, char* argv[]) {
  // The command line is read before any window exists: --help and --version need no display.
  kw::CommandLine commandLine;
  try {
    commandLine = kw::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const kw::UsageError& failure) {
    return UsageFailure(failure.what());
  }
  if (commandLine.command == "--help") {
    std::fputs(kw::HelpText().c_str(), stdout);
    return 0;
  }
  if (commandLine.command == "--version") {
    std::puts(kw::VersionText().c_str());
    return 0;
  }

  if (!commandLine.command.empty()) {
    // A command: no window and no display, as over ssh or in cron.
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Kreuzwart"));
    return kw::RunCommand(
        commandLine, QCoreApplication::applicationDirPath().toStdU16String(),
        QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation).toStdU16String());
  }

  kw::ProgramOptions web;
  if (const std::optional<std::string> option = commandLine.Option("--results-url")) {
    const std::optional<QString> url =
        kw::ResultsPageUrlFromOption(QString::fromLocal8Bit(option->c_str()));
    if (!url)
      return UsageFailure("--results-url: '" + *option + "' ist keine http- oder https-Adresse");
    web.resultsPageUrl = *url;
  }

  if (const std::optional<std::string> archive = commandLine.Option("--archive")) {
    web.archive = std::filesystem::path(*archive);
  }
  if (const std::optional<std::string> option = commandLine.Option("--results-service")) {
    const std::optional<QString> url =
        kw::ResultsPageUrlFromOption(QString::fromLocal8Bit(option->c_str()));
    if (!url)
      return UsageFailure("--results-service: '" + *option +
                          "' ist keine http- oder https-Adresse");
    web.resultsService = QUrl(*url);
  }

  kw::Application app(argc, argv);
  web.browserProgram = kw::FindBrowserProgram(QCoreApplication::applicationDirPath());
  kw::QtPlatform platform(QString::fromLatin1(kw::kApplicationTitle));
  app.SetPlatform(&platform);
  const kw::SystemClock clock;

  // ZW.INI lives beside the executable, or in ~/.config/Kreuzwart where that folder is closed.
  const std::filesystem::path directory = kw::SettingsDirectory(
      platform, QCoreApplication::applicationDirPath().toStdU16String(),
      QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation).toStdU16String());
  return kw::RunWindows(directory, platform, clock, web);
}
