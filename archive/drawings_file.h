#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "archive/archive.h"
#include "core/drawing.h"
#include "core/error.h"

namespace kw {

// Files of drawings a person can get and import, all through one door that finds out the form
// from the content, whatever the file is called:
// - our CSV form, which export writes (drawings_csv.h);
// - the CSV form of the public community archives, date,n1,n2,n3,n4,n5,n6,superzahl;
// - the CSV download of the lottery companies (LOTTO_ab_2018.csv): Windows-1252, padded fields,
//   numbers in drawn order, Superzahl, Spiel 77, Super 6 and the quotas of the nine classes;
// - the JSON of the community archives, {"data":[{"id":1,"date":"09.10.1955",
//   "Lottozahl":[3,12,13,16,23,41]}, ...]}, numbers ascending, the Superzahl where drawn.

// A file of drawings that is refused: the message names the line ("Zeile 17: ...") or the entry
// ("Eintrag 17 ("id": 17): ...") and the reason, or what the file is instead.
class DrawingsFileError : public Error {
 public:
  using Error::Error;
};

// The largest file import reads. Every drawing since 1955 in our form is about 0.4 MB; a file
// forty times that is no list of drawings, and its lines would only cost memory.
inline constexpr std::size_t kMaxDrawingsFileSize = 16u << 20;

// The end of the refusal of a file that is no list of drawings in any form we read.
inline constexpr const char* kNoDrawingsFile = "keine CSV- oder JSON-Datei mit Ziehungen";

enum class DrawingsFileForm { OurCsv, CommunityCsv, OperatorCsv, CommunityJson };

struct DrawingsFileContent {
  DrawingsFileForm form = DrawingsFileForm::OurCsv;
  std::vector<Drawing> drawings;  // in file order
};

// The drawings of a file's bytes in whichever form they are. Throws DrawingsFileError for a file
// of no known form, naming what was found (the first line, a spreadsheet, a database ...), and
// for the first line or entry that is no drawing. A drawing is never refused for its weekday: the
// first drawings were on Sundays, some on Mondays and Tuesdays.
DrawingsFileContent ParseDrawingsFile(std::string_view bytes);

// Reads the file and stores its drawings in the archive as one batch, for --import-draws and the
// tab's import. Returns the line of result, "6.012 Ziehungen gelesen: 5.980 neu, 32 schon im
// Archiv". Throws DrawingsFileError or ReadError naming the file when it cannot be read or is
// refused, ArchiveError when the archive refuses the batch; nothing is stored then.
std::string ImportDrawingsFile(DrawingArchive& archive, const std::filesystem::path& file);

}  // namespace kw
