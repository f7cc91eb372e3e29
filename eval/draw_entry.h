#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/records.h"

namespace kw {

// The drawing as the texts of the main window's draw fields, neither trimmed nor converted.
struct DrawEntry {
  std::array<std::string, kDrawNumberCount> numberTexts;  // 0-5 drawn, 6 Zusatzzahl, 7 Superzahl
  std::string spiel77Text;
  std::string super6Text;
};

inline constexpr std::string_view kMissingNumbersMessage =
    "Geben Sie aktuelle Zahlen ein, oder nutzen Sie die WWW Import Funktion.";
inline constexpr std::string_view kSpiel77LengthMessage =
    "Die Zahl vom Spiel 77 mu\xDF"
    " 7 Ziffern haben !";
inline constexpr std::string_view kSuper6LengthMessage =
    "Die Zahl vom Spiel Super 6 mu\xDF"
    " 6 Ziffern haben !";

// Whether the drawing asks for a Zusatzzahl: the drawings of the years before May 2013 do, and
// the Zusatzzahl field then counts among the numbers that must be there.
enum class ZusatzzahlRule { Required, NotDrawn };

// Says whether the drawing is complete enough to be compared with a ticket: the message that
// refuses it, or nothing. Looks only at the presence of the six numbers and the Zusatzzahl and
// at the lengths of the two add-on numbers; digits, ranges and the Superzahl are not its business.
std::optional<std::string> CheckDrawEntry(const DrawEntry& entry,
                                          ZusatzzahlRule rule = ZusatzzahlRule::Required);

// Whether the Zusatzzahl field is empty or "0", as it is for every drawing since May 2013.
bool ZusatzzahlMissing(const DrawEntry& entry);

}  // namespace kw
