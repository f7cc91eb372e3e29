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

// Drawings as CSV files. Our own form, which export writes and import reads:
//   Datum;Tag;Zahl1;Zahl2;Zahl3;Zahl4;Zahl5;Zahl6;Zusatzzahl;Superzahl;Spiel77;Super6
//   09.10.1955;Sonntag;3;12;13;16;23;41;;;;
// with German dates, Tag the German weekday of the date, and empty fields for what a drawing
// lacks. Import also reads the form of the public community archives,
//   date,n1,n2,n3,n4,n5,n6,superzahl
// with ISO (JJJJ-MM-TT) or German dates. Both are UTF-8; a byte order mark and CRLF line ends
// are accepted. Neither form has quotas.

// A CSV file that is refused: the message names the line and the reason.
class CsvError : public Error {
 public:
  using Error::Error;
};

// The largest file import reads. Every drawing since 1955 in our form is about 0.4 MB; a file
// forty times that is no list of drawings, and its lines would only cost memory.
inline constexpr std::size_t kMaxCsvFileSize = 16u << 20;

// The drawings of a file's bytes, in file order. Throws CsvError for a header of neither form
// (naming what was found) and for the first line that is no drawing ("Zeile 17: ..."). A drawing
// is never refused for its weekday: the first drawings were not all on Wednesday or Saturday.
std::vector<Drawing> ParseDrawingsCsv(std::string_view bytes);

// Our form: the header, then one line per drawing, CRLF line ends. Quotas are left out: the form
// has no columns for them, and they stay in the archive only.
std::string FormatDrawingsCsv(const std::vector<Drawing>& drawings);

// Reads the file and stores its drawings in the archive as one batch, for --import-draws.
// Returns the line of result, "6.012 Ziehungen gelesen: 5.980 neu, 32 schon im Archiv". Throws
// CsvError or ReadError naming the file when it cannot be read or is refused, ArchiveError when
// the archive refuses the batch; nothing is stored then.
std::string ImportDrawingsCsv(DrawingArchive& archive, const std::filesystem::path& file);

// Writes every drawing of the archive in our form, replacing the file atomically, for
// --export-draws. Returns the line of result, "6.012 Ziehungen exportiert nach '...'", which says
// so when quotas were left out. Throws Error naming the file when it cannot be written, and
// refuses to write over the archive itself.
std::string ExportDrawingsCsv(const DrawingArchive& archive, const std::filesystem::path& file);

}  // namespace kw
