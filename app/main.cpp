#include <QCoreApplication>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/command_line.h"
#include "app/help_text.h"
#include "app/program_commands.h"
#include "app/program_platform.h"
#include "app/settings_location.h"
#include "core/date.h"
#include "ui/qt_platform.h"

int main(int argc, char* argv[]) {
  // The command line is read before any window exists: --help and --version need no display.
  kw::CommandLine commandLine;
  try {
    commandLine = kw::ParseCommandLine(kw::ProgramArguments(argc, argv));
  } catch (const kw::UsageError& failure) {
    std::fputs(kw::UsageMessage(failure.what()).c_str(), stderr);
    return 2;
  }
  switch (commandLine.command) {
    case kw::Command::Help:
      std::fputs(kw::HelpText().c_str(), stdout);
      return 0;
    case kw::Command::Version:
      std::puts(kw::VersionText().c_str());
      return 0;
    case kw::Command::Windows:
      break;
    default: {
      // A command: no window and no display, as over ssh or in cron.
      QCoreApplication app(argc, argv);
      QCoreApplication::setApplicationName(QStringLiteral("Kreuzwart"));
      return kw::RunCommand(commandLine, QCoreApplication::applicationDirPath().toStdU16String(),
                            kw::UserSettingsDirectory());
    }
  }

  kw::ProgramOptions web = kw::WindowOptions(commandLine);
  kw::Application app(argc, argv);
  web.browserProgram = kw::FindBrowserProgram(QCoreApplication::applicationDirPath());
  kw::QtPlatform platform(QString::fromLatin1(kw::kApplicationTitle));
  app.SetPlatform(&platform);
  const kw::SystemClock clock;

  // ZW.INI lives beside the executable, or in ~/.config/Kreuzwart (%APPDATA%\Kreuzwart on
  // Windows) where that folder is closed.
  const std::filesystem::path directory =
      kw::SettingsDirectory(platform, QCoreApplication::applicationDirPath().toStdU16String(),
                            kw::UserSettingsDirectory());
  return kw::RunWindows(directory, platform, clock, web);
}
