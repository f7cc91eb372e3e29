// The DrawLine reader on any line: a refused line changes nothing, a read one holds numbers of
// two columns, and a line long enough to fill every column is written back so that it reads
// the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/settings_file.h"

namespace {

bool Same(const kw::DrawResult& a, const kw::DrawResult& b) {
  return a.numbers == b.numbers && a.spiel77 == b.spiel77 && a.super6 == b.super6 &&
         a.drawDate == b.drawDate;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view line(reinterpret_cast<const char*>(data), size);
  kw::DrawResult before;
  before.numbers = {9, 8, 7, 6, 5, 4, 3, 2};
  before.spiel77 = "7777777";
  before.super6 = "666666";
  before.drawDate = "01.01.2026";

  kw::DrawResult read = before;
  if (!kw::DrawLine::Parse(line, read)) {
    if (!Same(read, before)) std::abort();
    return 0;
  }
  for (uint8_t number : read.numbers) {
    if (number > 99) std::abort();
  }
  if (read.spiel77.size() > 7 || read.super6.size() > 6 || read.drawDate.size() > 10) std::abort();
  if (line.size() < 30 && read.drawDate != "???") std::abort();

  // With all 29 columns there, Spiel 77 and Super 6 are whole and nothing shifts.
  if (line.size() >= 29) {
    kw::DrawResult again = before;
    if (!kw::DrawLine::Parse(kw::DrawLine::Format(read), again) || !Same(again, read)) {
      std::abort();
    }
  }
  return 0;
}
