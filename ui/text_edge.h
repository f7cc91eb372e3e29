#pragma once

#include <QString>
#include <QValidator>
#include <optional>
#include <string>
#include <string_view>

namespace kw {

// The program keeps its texts as Windows-1252 bytes; widgets speak QString. These convert at
// the window edge.
QString FromCp1252(std::string_view bytes);

// Empty when the text holds a character that Windows-1252 cannot hold.
std::optional<std::string> ToCp1252(const QString& text);

// Keeps out of an edit field every character the program's files could not hold, so that what
// stands in a field is always what gets stored or compared.
class Cp1252Validator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int& pos) const override;
};

}  // namespace kw
