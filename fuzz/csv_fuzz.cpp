// The drawings CSV reader on any bytes: it gives drawings or refuses with a CsvError that names
// the first line or the header, nothing else; every drawing it gives is one (DrawingProblem),
// no more than one per line; and our form written from them reads back as the same drawings.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "archive/drawings_csv.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::vector<kw::Drawing> drawings;
  try {
    drawings = kw::ParseDrawingsCsv(bytes);
  } catch (const kw::CsvError& e) {
    const std::string_view message = e.what();
    if (!message.starts_with("Zeile ") && !message.starts_with("die erste Zeile ist keine") &&
        !message.starts_with("die Datei ist leer")) {
      std::abort();
    }
    return 0;
  }
  std::size_t lines = 1;
  for (char c : bytes) lines += c == '\n';
  if (drawings.size() >= lines) std::abort();  // the header is a line too
  for (const kw::Drawing& d : drawings) {
    if (kw::DrawingProblem(d)) std::abort();
    if (!d.quotas.empty()) std::abort();
  }
  if (kw::ParseDrawingsCsv(kw::FormatDrawingsCsv(drawings)) != drawings) std::abort();
  return 0;
}
