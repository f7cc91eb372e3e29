#include "ui/text_edge.h"

#include "core/cp1252.h"

namespace kw {

QString FromCp1252(std::string_view bytes) { return QString::fromStdString(Cp1252ToUtf8(bytes)); }

std::optional<std::string> ToCp1252(const QString& text) {
  return Utf8ToCp1252(text.toStdString());
}

QValidator::State Cp1252Validator::validate(QString& input, int& /*pos*/) const {
  return ToCp1252(input) ? Acceptable : Invalid;
}

}  // namespace kw
