// The one door of every file of drawings on any bytes: our CSV, the community CSV, the lottery
// companies' CSV and the community JSON. It gives drawings or refuses with a DrawingsFileError
// whose message names a line, an entry or what the file is, in printable text, nothing else;
// every drawing it gives is one (DrawingProblem), no more than one per line or entry; quotas come
// only from the lottery's form, one row per class of 6 aus 49; and our form written from the
// drawings reads back as the same drawings without their quotas.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "archive/drawings_csv.h"
#include "archive/drawings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  kw::DrawingsFileContent content;
  try {
    content = kw::ParseDrawingsFile(bytes);
  } catch (const kw::DrawingsFileError& e) {
    const std::string_view message = e.what();
    if (!message.starts_with("Zeile ") && !message.starts_with("Eintrag ") &&
        !message.starts_with("die ") && !message.starts_with("in der JSON-Datei ")) {
      std::abort();
    }
    for (char c : message) {
      if (static_cast<unsigned char>(c) < 0x20) std::abort();
    }
    return 0;
  }
  std::size_t lines = 1;
  std::size_t objects = 0;
  for (char c : bytes) {
    lines += c == '\n';
    objects += c == '{';
  }
  const bool json = content.form == kw::DrawingsFileForm::CommunityJson;
  // The header is a line too, and the JSON's outer object an object.
  if (content.drawings.size() >= (json ? objects : lines)) std::abort();

  std::vector<kw::Drawing> withoutQuotas;
  for (kw::Drawing d : content.drawings) {
    if (kw::DrawingProblem(d)) std::abort();
    if (!d.quotas.empty() && content.form != kw::DrawingsFileForm::OperatorCsv) std::abort();
    if (d.quotas.size() > 9) std::abort();
    for (const kw::Quota& q : d.quotas) {
      if (q.game != kw::PrizeGame::Lotto || (q.winners == 0 && q.centsPerWinner != 0)) {
        std::abort();
      }
    }
    d.quotas.clear();
    withoutQuotas.push_back(std::move(d));
  }
  if (kw::ParseDrawingsFile(kw::FormatDrawingsCsv(withoutQuotas)).drawings != withoutQuotas) {
    std::abort();
  }
  return 0;
}
