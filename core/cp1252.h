#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kw {

// Texts inside the program are Windows-1252 bytes, as the files hold them; the window edge and
// the file system speak UTF-8. Every one of the 256 byte values converts and converts back; the
// five bytes that Windows-1252 leaves undefined map to the control characters of equal code.

std::string Cp1252ToUtf8(std::string_view bytes);

// Empty when the text holds a character that Windows-1252 cannot hold or is no valid UTF-8:
// such a character must never pass silently as a different one.
std::optional<std::string> Utf8ToCp1252(std::string_view utf8);

// For messages only: characters that Windows-1252 cannot hold become "?".
std::string Utf8ToCp1252Lossy(std::string_view utf8);

// A file path held as Windows-1252 text, as the profile files store it, for the file system.
std::filesystem::path FsPath(std::string_view cp1252Path);

// A path given as UTF-8 (a command line, a window's text) for the file system. Never a plain
// std::string to std::filesystem::path: on Windows that reads the bytes in the ANSI code page.
std::filesystem::path PathFromUtf8(std::string_view utf8);

// A file system path as Windows-1252 text for messages.
std::string PathText(const std::filesystem::path& path);

}  // namespace kw
