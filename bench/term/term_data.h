#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "archive/archive.h"
#include "bench/silent_platform.h"
#include "core/date.h"
#include "tests/archive/sample_drawings.h"

namespace bench {

// An archive of 6,000 drawings with nine quotas each, and a ticket of twelve games whose term is
// its last ten drawings (five weeks on Wednesday and Saturday).
inline std::string MakeTermFiles(const std::filesystem::path& directory) {
  const std::vector<kw::Drawing> drawings = kw::test::HistoricDrawings(6000, true);
  kw::DrawingArchive(directory / kw::DrawingArchive::kFileName).Store(drawings, "Messung");
  std::string ticket = "[Schein]\r\n";
  for (int g = 1; g <= 12; ++g) {
    ticket +=
        "Spiel" + std::to_string(g) + "=0" + std::to_string(g % 9 + 1) + " 15 22 31 40 49 \r\n";
  }
  ticket += "Losnummer=4711235\r\nAblauf=" + kw::FormatShortDate(drawings.back().date) +
            "\r\nBeginn=" + kw::FormatShortDate(drawings[drawings.size() - 10].date) + "\r\n";
  const std::filesystem::path path = directory / "schein.sch";
  Write(QString::fromStdString(path.string()), ticket);
  return path.string();
}

}  // namespace bench
