#include "webimport/page_markup.h"

#include <algorithm>
#include <array>

#include "core/cp1252.h"
#include "core/text.h"

namespace kw {

namespace {

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsNameChar(char c) { return IsAsciiLetter(c) || (c >= '0' && c <= '9') || c == '-'; }
char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Elements whose content the serialiser writes unescaped: a "<" in them starts no tag.
bool HoldsRawText(std::string_view tagName) {
  static constexpr std::array<std::string_view, 8> kRawText = {
      "script", "style", "xmp", "iframe", "noembed", "noframes", "noscript", "plaintext"};
  for (std::string_view raw : kRawText) {
    if (EqualsNoCase(tagName, raw)) return true;
  }
  return false;
}

// Where the end tag of a raw text element starts, or the end of the text.
std::size_t FindEndTag(std::string_view s, std::size_t from, std::string_view tagName) {
  for (std::size_t at = s.find("</", from); at != std::string_view::npos;
       at = s.find("</", at + 2)) {
    const std::size_t nameEnd = at + 2 + tagName.size();
    if (nameEnd <= s.size() && EqualsNoCase(s.substr(at + 2, tagName.size()), tagName) &&
        (nameEnd == s.size() || !IsNameChar(s[nameEnd]))) {
      return at;
    }
  }
  return s.size();
}

// The end of a tag's attributes: just past its ">", stepping over quoted values.
std::size_t EndOfTag(std::string_view s, std::size_t from) {
  char quote = 0;
  for (std::size_t i = from; i < s.size(); ++i) {
    if (quote) {
      if (s[i] == quote) quote = 0;
    } else if (s[i] == '"' || s[i] == '\'') {
      quote = s[i];
    } else if (s[i] == '>') {
      return i + 1;
    }
  }
  return s.size();
}

// Tag names in capitals, everything else as it stands (still UTF-8).
std::string WithCapitalTags(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  std::size_t i = 0;
  while (i < s.size()) {
    if (s[i] != '<') {
      const std::size_t next = std::min(s.find('<', i), s.size());
      out.append(s.substr(i, next - i));
      i = next;
      continue;
    }
    if (s.substr(i).starts_with("<!--")) {
      const std::size_t close = s.find("-->", i + 4);
      const std::size_t end = close == std::string_view::npos ? s.size() : close + 3;
      out.append(s.substr(i, end - i));
      i = end;
      continue;
    }
    std::size_t nameBegin = i + 1;
    const bool endTag = nameBegin < s.size() && s[nameBegin] == '/';
    if (endTag) ++nameBegin;
    if (nameBegin >= s.size() || !IsAsciiLetter(s[nameBegin])) {
      out += s[i++];  // a lone "<" is text
      continue;
    }
    std::size_t nameEnd = nameBegin;
    while (nameEnd < s.size() && IsNameChar(s[nameEnd])) ++nameEnd;
    out.append(s.substr(i, nameBegin - i));
    for (std::size_t k = nameBegin; k < nameEnd; ++k) out += Upper(s[k]);
    const std::size_t tagEnd = EndOfTag(s, nameEnd);
    out.append(s.substr(nameEnd, tagEnd - nameEnd));
    i = tagEnd;
    const std::string_view name = s.substr(nameBegin, nameEnd - nameBegin);
    if (!endTag && HoldsRawText(name)) {
      const std::size_t close = FindEndTag(s, i, name);
      out.append(s.substr(i, close - i));
      i = close;
    }
  }
  return out;
}

}  // namespace

std::string ScraperMarkup(std::string_view bodyUtf8) {
  const std::string tagged = WithCapitalTags(bodyUtf8);
  constexpr std::string_view kNoBreakSpace = "\xC2\xA0";
  std::string entities;
  entities.reserve(tagged.size());
  std::size_t from = 0;
  for (std::size_t at = tagged.find(kNoBreakSpace); at != std::string::npos;
       at = tagged.find(kNoBreakSpace, from)) {
    entities.append(tagged, from, at - from);
    entities += "&nbsp;";
    from = at + kNoBreakSpace.size();
  }
  entities.append(tagged, from);
  return Utf8ToCp1252Lossy(entities);
}

}  // namespace kw
