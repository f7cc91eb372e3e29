#include <QStandardPaths>

#include "app/program_platform.h"

namespace kw {

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  return std::vector<std::string>(argv + 1, argv + argc);
}

std::filesystem::path UserSettingsDirectory() {
  return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation).toStdU16String();
}

}  // namespace kw
