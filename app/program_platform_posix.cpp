#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "app/program_platform.h"

namespace kw {

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  return std::vector<std::string>(argv + 1, argv + argc);
}

std::filesystem::path UserSettingsDirectory() {
  return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation).toStdU16String();
}

QString FindBrowserProgram(const QString& programDirectory) {
  const QDir beside(programDirectory);
  const QString candidates[] = {
      beside.filePath(QStringLiteral("kreuzwart-browser")),
      beside.filePath(QStringLiteral("../libexec/kreuzwart/kreuzwart-browser"))};
  for (const QString& candidate : candidates) {
    if (QFileInfo(candidate).isExecutable()) return QDir::cleanPath(candidate);
  }
  return candidates[0];
}

}  // namespace kw
