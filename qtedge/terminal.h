#pragma once

#include <QString>
#include <cstdio>

namespace kw {

// Prints the text and a line end on a terminal's stream (stdout, stderr) as UTF-8, flushed at
// once, so that a line shows while the command still waits for the network.
void PrintLine(std::FILE* stream, const QString& line);

}  // namespace kw
