#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "archive/archive.h"
#include "archive/drawings_file.h"
#include "core/drawing.h"

namespace kw {

// Drawings as CSV files. Our own form, which export writes and import reads:
//   Datum;Tag;Zahl1;Zahl2;Zahl3;Zahl4;Zahl5;Zahl6;Zusatzzahl;Superzahl;Spiel77;Super6
//   09.10.1955;Sonntag;3;12;13;16;23;41;;;;
// with German dates, Tag the German weekday of the date, and empty fields for what a drawing
// lacks. Import also reads the form of the public community archives,
//   date,n1,n2,n3,n4,n5,n6,superzahl
// with ISO (JJJJ-MM-TT) or German dates. Both are UTF-8; a byte order mark and CRLF line ends
// are accepted. Neither form has quotas. And it reads the lottery companies' download,
//        Datum; ;        Gewinnzahlen;ZZ;S;Spiel77;Super6;  Spieleinsatz;Anz. Kl. 1;  Quote Kl.
//        1;...
//   03.01.2018; ;45;10;34;31;15;35;--;--;8;8977180;373159; 22.909.485,00; Jackpot; 6.803.818,90;...
// Windows-1252, fields padded with blanks, German numbers; "Gewinnzahlen" stands for the six
// numbers in drawn order and "ZZ" for two columns. It brings the quotas of the nine classes of
// 6 aus 49 ("Jackpot": the class had no winner, and the amount beside it is no quota).

// The drawings of a CSV file's bytes in any of the three forms, told apart by the header. Throws
// DrawingsFileError for a header of none of them (naming what was found) and for the first line
// that is no drawing ("Zeile 17: ...").
DrawingsFileContent ParseDrawingsCsv(std::string_view bytes);

// Our form: the header, then one line per drawing, CRLF line ends. Quotas are left out: the form
// has no columns for them, and they stay in the archive only.
std::string FormatDrawingsCsv(const std::vector<Drawing>& drawings);

// Writes every drawing of the archive in our form, replacing the file atomically, for
// --export-draws. Returns the line of result, "6.012 Ziehungen exportiert nach '...'", which says
// so when quotas were left out. Throws Error naming the file when it cannot be written, and
// refuses to write over the archive itself.
std::string ExportDrawingsCsv(const DrawingArchive& archive, const std::filesystem::path& file);

}  // namespace kw
