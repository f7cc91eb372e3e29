#pragma once

#include <QString>
#include <optional>
#include <string>
#include <string_view>

namespace kw {

// The program keeps its texts as Windows-1252 bytes; Qt speaks QString. These convert at the
// edge, the one place where the two meet.
QString FromCp1252(std::string_view bytes);

// Empty when the text holds a character that Windows-1252 cannot hold.
std::optional<std::string> ToCp1252(const QString& text);

}  // namespace kw
