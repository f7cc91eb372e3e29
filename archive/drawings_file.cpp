#include "archive/drawings_file.h"

#include <optional>

#include "archive/community_json.h"
#include "archive/drawings_csv.h"
#include "core/cp1252.h"
#include "core/file_io.h"
#include "core/text.h"

namespace kw {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

std::string Quoted(const fs::path& file) { return "'" + PathText(file) + "'"; }

// Files a person may pick by mistake, by their first bytes: the archive itself, the lottery's
// spreadsheets of the years before 2018, a saved web page. Named, so that the refusal says what
// the file is rather than quoting its first line of binary.
const char* OtherKind(std::string_view bytes, std::string_view text) {
  if (bytes.starts_with(std::string_view("SQLite format 3\0", 16))) return "eine SQLite-Datenbank";
  if (bytes.starts_with("PK\x03\x04")) return "eine Excel-Tabelle (.xlsx) oder ein ZIP-Archiv";
  if (bytes.starts_with("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1")) {
    return "eine Excel-Tabelle im alten Format (.xls) oder ein anderes Office-Dokument";
  }
  if (bytes.starts_with("%PDF-")) return "ein PDF-Dokument";
  if (text.starts_with('<')) return "eine HTML- oder XML-Datei";
  return nullptr;
}

// The file's bytes, bounded by the largest list of drawings there is.
std::string ReadDrawingsFile(const fs::path& file) {
  try {
    std::optional<std::string> bytes = ReadRegularFile(file, kMaxDrawingsFileSize);
    if (!bytes) throw ReadError(Quoted(file) + " gibt es nicht");
    return std::move(*bytes);
  } catch (const FileTooLargeError&) {
    throw ReadError(Quoted(file) + " ist gr\xF6\xDF" + "er als " +
                    std::to_string(kMaxDrawingsFileSize >> 20) +
                    " MB und keine Liste von Ziehungen");
  }
}

}  // namespace

DrawingsFileContent ParseDrawingsFile(std::string_view bytes) {
  std::string_view text = bytes;
  if (text.starts_with(kUtf8Bom)) text.remove_prefix(kUtf8Bom.size());
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  if (first != std::string_view::npos) text.remove_prefix(first);
  // No CSV form begins with a bracket.
  if (text.starts_with('{') || text.starts_with('[')) {
    return {DrawingsFileForm::CommunityJson, ParseCommunityJson(text)};
  }
  if (const char* kind = OtherKind(bytes, text)) {
    throw DrawingsFileError(std::string("die Datei ist ") + kind + " und " + kNoDrawingsFile);
  }
  return ParseDrawingsCsv(bytes);
}

std::string ImportDrawingsFile(DrawingArchive& archive, const fs::path& file) {
  const std::string bytes = ReadDrawingsFile(file);
  DrawingsFileContent content;
  try {
    content = ParseDrawingsFile(bytes);
  } catch (const DrawingsFileError& e) {
    throw DrawingsFileError(Quoted(file) + ", " + e.what() + "; es wurde nichts importiert");
  }
  const char* kind = content.form == DrawingsFileForm::CommunityJson ? "JSON-Datei " : "CSV-Datei ";
  const StoreOutcome outcome = archive.Store(content.drawings, kind + PathText(file.filename()));
  std::string result = DrawingsText(static_cast<int64_t>(content.drawings.size())) +
                       " gelesen: " + GroupedNumber(outcome.added) + " neu, " +
                       GroupedNumber(outcome.completed + outcome.unchanged) + " schon im Archiv";
  if (outcome.completed > 0) {
    result += ", davon " + GroupedNumber(outcome.completed) + " erg\xE4nzt";
  }
  return result;
}

}  // namespace kw
