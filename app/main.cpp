#include <QStandardPaths>
#include <filesystem>

#include "app/application.h"
#include "app/settings_location.h"
#include "core/date.h"
#include "ui/qt_platform.h"

int main(int argc, char* argv[]) {
  kw::Application app(argc, argv);
  kw::QtPlatform platform(QString::fromLatin1(kw::kApplicationTitle));
  app.SetPlatform(&platform);
  const kw::SystemClock clock;

  // ZW.INI lives beside the executable, or in ~/.config/Kreuzwart where that folder is closed.
  const std::filesystem::path directory = kw::SettingsDirectory(
      platform, QCoreApplication::applicationDirPath().toStdU16String(),
      QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation).toStdU16String());
  kw::ProgramWindows windows = kw::StartProgram(directory, platform, clock);
  const int result = app.exec();
  windows.form1.reset();  // FormDestroy writes the settings a last time
  return result;
}
