#include "qtedge/cp1252_text.h"

#include "core/cp1252.h"

namespace kw {

QString FromCp1252(std::string_view bytes) { return QString::fromStdString(Cp1252ToUtf8(bytes)); }

std::optional<std::string> ToCp1252(const QString& text) {
  return Utf8ToCp1252(text.toStdString());
}

}  // namespace kw
