#pragma once

#include <QValidator>

namespace kw {

// Keeps out of an edit field every character the program's files could not hold, so that what
// stands in a field is always what gets stored or compared.
class Cp1252Validator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int& pos) const override;
};

}  // namespace kw
