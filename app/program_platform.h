#pragma once

#include <QString>
#include <filesystem>
#include <string>
#include <vector>

namespace kw {

// What the program's start finds differently on Linux and on Windows
// (program_platform_posix.cpp, program_platform_windows.cpp).

// The command line's arguments after the program's name, in UTF-8. Windows hands main() its
// arguments in the ANSI code page, where a ticket "Müller.sch" of another code page would be
// lost; the wide command line holds them all.
std::vector<std::string> ProgramArguments(int argc, char** argv);

// The person's own folder for ZW.INI when the program's folder takes no file: ~/.config/Kreuzwart
// on Linux, %APPDATA%\Kreuzwart on Windows (Program Files is not writable for users). After the
// application object exists, which names the program.
std::filesystem::path UserSettingsDirectory();

// The browser helper program kreuzwart-browser for the executable in programDirectory: on Linux
// beside it (the build tree, a copied folder), else in ../libexec/kreuzwart (an installed
// program); when it is in neither, the place looked first, which the download then names. On
// Windows there is none, as Qt WebEngine does not build there: empty, and the download loads the
// page over Qt Network.
QString FindBrowserProgram(const QString& programDirectory);

}  // namespace kw
