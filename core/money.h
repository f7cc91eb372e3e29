#pragma once

#include <cstdint>
#include <string>

#include "core/date.h"

namespace kw {

// Money is kept in cent as integers everywhere; this is the one place that writes it.

// The euro sign in Windows-1252.
inline constexpr char kEuroSign = '\x80';

// An amount in cent as German text: thousands with ".", cents with ",", a blank before the
// euro sign: 123456789 -> "1.234.567,89 €".
std::string EuroText(int64_t cents);

// The same, appended to a line being built.
void AppendEuro(std::string& line, int64_t cents);

// The first day of the euro. Amounts of drawings before it (quotas of those years included) are
// Deutsche Mark and are never shown or added up as euro.
Date FirstEuroDay();

// An amount of a drawing's day in its currency: "6,00 €", or "1.043.364,50 DM" before 2002.
std::string MoneyText(int64_t cents, Date day);

}  // namespace kw
