#pragma once

#include <string>
#include <string_view>

namespace kw {

// The body markup of the results page as the scraper reads it. The browser engine gives it as
// UTF-8 with lower-case tag names, and may give a non-breaking blank as the character U+00A0; the
// scraper looks for "<P>" and "&nbsp;" and reads Windows-1252 bytes. So tag names become capitals
// (only real tags: text in attribute values, comments, scripts and styles stays as it is), every
// U+00A0 becomes "&nbsp;", and the text becomes Windows-1252, a character it cannot hold a "?".
std::string ScraperMarkup(std::string_view bodyUtf8);

}  // namespace kw
