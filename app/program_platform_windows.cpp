#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <QStandardPaths>

#include "app/program_platform.h"

namespace kw {

namespace {

std::string Utf8(const wchar_t* text) {
  const int length = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (length <= 1) return {};
  std::string utf8(static_cast<std::size_t>(length), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), length, nullptr, nullptr);
  utf8.pop_back();  // the terminating zero
  return utf8;
}

}  // namespace

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  int count = 0;
  wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (!wide) return std::vector<std::string>(argv + 1, argv + argc);
  std::vector<std::string> arguments;
  for (int i = 1; i < count; ++i) arguments.push_back(Utf8(wide[i]));
  ::LocalFree(wide);
  return arguments;
}

std::filesystem::path UserSettingsDirectory() {
  // %APPDATA%\Kreuzwart: the roaming profile, which follows the person to another machine.
  return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdU16String();
}

QString FindBrowserProgram(const QString&) { return {}; }

}  // namespace kw
