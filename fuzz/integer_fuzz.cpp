// The integer conversion on any text: it either fails or gives the value the text spells.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  int32_t value = 0;
  if (!kw::TryStrToInt(text, value)) return 0;

  // Whatever converts has no blank after it and converts the same way twice.
  if (text.empty() || text.back() == ' ') std::abort();
  int32_t again = 0;
  if (!kw::TryStrToInt(text, again) || again != value) std::abort();
  // A plain decimal text reads back from the value's own decimal form.
  if (kw::StrToInt(std::to_string(value)) != value) std::abort();
  return 0;
}
