// The page markup conversion on any downloaded body text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "webimport/page_markup.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view body(reinterpret_cast<const char*>(data), size);
  const std::string markup = kw::ScraperMarkup(body);

  // A non-breaking blank never passes as the raw byte: the scraper would not see it.
  if (markup.find('\xA0') != std::string::npos) std::abort();

  bool ascii = true;
  for (char c : body) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
  if (ascii) {
    // Plain ASCII keeps its length and converts once and for all.
    if (markup.size() != body.size()) std::abort();
    if (kw::ScraperMarkup(markup) != markup) std::abort();
  }
  return 0;
}
