#pragma once

#include <cstdint>
#include <string>

namespace kw {

// The euro sign in Windows-1252.
inline constexpr char kEuroSign = '\x80';

// An amount in cent as German text: thousands with ".", cents with ",", a blank before the
// euro sign: 123456789 -> "1.234.567,89 €".
std::string EuroText(int64_t cents);

// The same, appended to a line being built.
void AppendEuro(std::string& line, int64_t cents);

}  // namespace kw
