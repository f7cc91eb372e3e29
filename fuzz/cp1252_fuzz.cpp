// Windows-1252 to UTF-8 and back on any bytes: every byte string survives the round trip, and
// every text that converts from UTF-8 is exactly the UTF-8 of what it converted to.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "core/cp1252.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  // As Windows-1252 text.
  const std::string utf8 = kw::Cp1252ToUtf8(bytes);
  const std::optional<std::string> back = kw::Utf8ToCp1252(utf8);
  if (!back || *back != bytes) std::abort();
  if (kw::PathText(kw::FsPath(bytes)) != bytes) std::abort();

  // As UTF-8 text.
  const std::optional<std::string> cp1252 = kw::Utf8ToCp1252(bytes);
  const std::string lossy = kw::Utf8ToCp1252Lossy(bytes);
  if (lossy.size() > bytes.size()) std::abort();
  if (cp1252) {
    if (kw::Cp1252ToUtf8(*cp1252) != bytes) std::abort();
    if (lossy != *cp1252) std::abort();
  }
  return 0;
}
