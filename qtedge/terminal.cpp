#include "qtedge/terminal.h"

namespace kw {

void PrintLine(std::FILE* stream, const QString& line) {
  std::fputs((line + QLatin1Char('\n')).toUtf8().constData(), stream);
  std::fflush(stream);
}

}  // namespace kw
