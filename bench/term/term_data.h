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

// A ticket of four full systems 016 (4 x 8,008 rows) over the archive's last sixteen drawings,
// beside an archive of 6,000. Its path.
inline std::string MakeSystemTicket(const std::filesystem::path& directory) {
  const std::vector<kw::Drawing> drawings = kw::test::HistoricDrawings(6000, true);
  kw::DrawingArchive(directory / kw::DrawingArchive::kFileName).Store(drawings, "Messung");
  std::string ticket = "[Schein]\r\n";
  for (int s = 0; s < 4; ++s) {
    ticket += "System" + std::to_string(s + 1) + "=";
    for (int n = 0; n < 16; ++n) ticket += std::to_string(10 + (s * 9 + n * 2) % 39) + " ";
    ticket += "\r\n";
  }
  ticket += "Losnummer=4711235\r\nAblauf=" + kw::FormatShortDate(drawings.back().date) +
            "\r\nBeginn=" + kw::FormatShortDate(drawings[drawings.size() - 16].date) + "\r\n";
  const std::filesystem::path path = directory / "systeme.sch";
  Write(QString::fromStdString(path.string()), ticket);
  return path.string();
}

// Ten tickets of a household beside that archive, each of twelve games over eight weeks on
// Wednesday and Saturday (sixteen drawings), their terms ending one drawing apart at the
// archive's end; listed in ZW.INI as "Meine Scheine" keeps them. Their paths.
inline std::vector<std::string> MakeHousehold(const std::filesystem::path& directory) {
  const std::vector<kw::Drawing> drawings = kw::test::HistoricDrawings(6000, true);
  kw::DrawingArchive(directory / kw::DrawingArchive::kFileName).Store(drawings, "Messung");
  std::vector<std::string> paths;
  std::string list = "[Meine Scheine]\r\n";
  for (int t = 0; t < 10; ++t) {
    std::string ticket = "[Schein]\r\n";
    for (int g = 1; g <= 12; ++g) {
      ticket += "Spiel" + std::to_string(g) + "=0" + std::to_string((g + t) % 9 + 1) +
                " 15 22 31 40 49 \r\n";
    }
    const std::size_t last = drawings.size() - 1 - static_cast<std::size_t>(t);
    ticket += "Losnummer=47112" + std::to_string(10 + t) +
              "\r\nAblauf=" + kw::FormatShortDate(drawings[last].date) +
              "\r\nBeginn=" + kw::FormatShortDate(drawings[last - 15].date) + "\r\n";
    const std::filesystem::path path = directory / ("schein" + std::to_string(t + 1) + ".sch");
    Write(QString::fromStdString(path.string()), ticket);
    paths.push_back(path.string());
    list += "Schein" + std::to_string(t + 1) + "=" + path.string() + "\r\n";
  }
  Write(QString::fromStdString((directory / "ZW.INI").string()),
        "[Einstellungen]\r\nSchein=" + paths.front() + "\r\n" + list);
  return paths;
}

}  // namespace bench
