// Any page through the filter and both day searches: no crash, no read past the page, and a
// drawing that is found gives a line that ZW.INI keeps and reads back with the same numbers.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/records.h"
#include "core/settings_file.h"
#include "webimport/scraper.h"

namespace {

void Check(const std::string& page, std::string_view dayMarker) {
  const std::optional<kw::ScrapedDrawing> drawing = kw::ExtractDrawing(page, dayMarker);
  if (!drawing) return;
  if (drawing->values.spiel77.size() > 7 || drawing->values.super6.size() > 6 ||
      drawing->date.size() > 10) {
    std::abort();
  }
  // Two columns per number: nothing negative, nothing above 99.
  for (uint8_t number : drawing->values.numbers) {
    if (number > 99) std::abort();
  }
  const std::string line = kw::FormatScrapedLine(*drawing);
  if (line.find_first_of("\r\n") != std::string::npos) std::abort();
  kw::DrawResult read;
  if (!kw::DrawLine::Parse(line, read) || read.numbers != drawing->values.numbers) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string page =
      kw::FilterPageText(std::string_view(reinterpret_cast<const char*>(data), size));
  for (char c : page) {
    if (static_cast<unsigned char>(c) <= 30) std::abort();
  }
  Check(page, kw::kSaturdayMarker);
  Check(page, kw::kWednesdayMarker);
  return 0;
}
