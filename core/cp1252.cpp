#include "core/cp1252.h"

#include <array>
#include <cstdint>

namespace kw {

namespace {

// Code points of the bytes 0x80 to 0x9F. The five bytes Windows-1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) keep the control character of equal code, so that every byte
// survives a round trip. Every other byte is the code point of equal value.
// clang-format off
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};
// clang-format on

char32_t CodePoint(unsigned char byte) {
  return byte >= 0x80 && byte <= 0x9F ? kHighControls[byte - 0x80] : char32_t{byte};
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// The byte for a code point, or -1 when Windows-1252 cannot hold it.
int ByteFor(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == cp) return static_cast<int>(0x80 + i);
  }
  return -1;
}

// Decodes one UTF-8 sequence at pos; false on malformed input.
bool DecodeUtf8(std::string_view s, std::size_t& pos, char32_t& cp) {
  const auto lead = static_cast<unsigned char>(s[pos]);
  int length = 0;
  if (lead < 0x80) {
    cp = lead;
    length = 1;
  } else if ((lead & 0xE0) == 0xC0) {
    cp = lead & 0x1F;
    length = 2;
  } else if ((lead & 0xF0) == 0xE0) {
    cp = lead & 0x0F;
    length = 3;
  } else if ((lead & 0xF8) == 0xF0) {
    cp = lead & 0x07;
    length = 4;
  } else {
    return false;
  }
  if (pos + length > s.size()) return false;
  for (int i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(s[pos + i]);
    if ((next & 0xC0) != 0x80) return false;
    cp = (cp << 6) | (next & 0x3F);
  }
  static constexpr char32_t kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
  if (cp < kMinimum[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
  pos += length;
  return true;
}

}  // namespace

std::string Cp1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() * 2);
  for (char c : bytes) AppendUtf8(out, CodePoint(static_cast<unsigned char>(c)));
  return out;
}

namespace {

std::optional<std::string> ToCp1252(std::string_view utf8, bool lossy) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    char32_t cp = 0;
    int byte = -1;
    if (DecodeUtf8(utf8, pos, cp)) {
      byte = ByteFor(cp);
    } else {
      ++pos;  // skip one byte of a broken sequence
    }
    if (byte < 0) {
      if (!lossy) return std::nullopt;
      byte = '?';
    }
    out += static_cast<char>(byte);
  }
  return out;
}

}  // namespace

std::optional<std::string> Utf8ToCp1252(std::string_view utf8) { return ToCp1252(utf8, false); }

std::string Utf8ToCp1252Lossy(std::string_view utf8) { return *ToCp1252(utf8, true); }

std::filesystem::path FsPath(std::string_view cp1252Path) {
  return PathFromUtf8(Cp1252ToUtf8(cp1252Path));
}

std::filesystem::path PathFromUtf8(std::string_view utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string PathText(const std::filesystem::path& path) { return Utf8ToCp1252Lossy(path.string()); }

}  // namespace kw
