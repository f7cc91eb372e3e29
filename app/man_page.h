#pragma once

#include <string>
#include <string_view>

namespace kw {

// The manual page kreuzwart(1) in roff, from the same table as --help, with prose of its own
// for the exit codes, the files and examples; date as the page shows it ("2026-12-08"). Plain
// ASCII: every other character is written as a groff escape.
std::string ManPage(std::string_view date);

}  // namespace kw
