#pragma once

#include <string>

namespace kw {

// What --help prints: the forms of the command line and every entry with its help, from the
// table of the command line (command_line.h).
std::string HelpText();

}  // namespace kw
