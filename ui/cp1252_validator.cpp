#include "ui/cp1252_validator.h"

#include "qtedge/cp1252_text.h"

namespace kw {

QValidator::State Cp1252Validator::validate(QString& input, int& /*pos*/) const {
  return ToCp1252(input) ? Acceptable : Invalid;
}

}  // namespace kw
