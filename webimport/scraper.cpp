#include "webimport/scraper.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>
#include <new>
#include <utility>
#include <vector>

#include "core/error.h"
#include "core/file_io.h"
#include "core/lottery_rules.h"
#include "core/settings_file.h"
#include "core/text.h"

namespace kw {

namespace {

constexpr std::string_view kParagraph = "<P>";  // stands before the values of each block
constexpr std::string_view kNbsp = "&nbsp;";    // follows each drawn number
constexpr std::string_view kColon = ": ";       // stands before the Zusatzzahl and the Superzahl
constexpr std::size_t kDateLength = 10;
constexpr std::size_t kSpiel77Length = kSpiel77Digits;
constexpr std::size_t kSuper6Length = kSuper6Digits;
constexpr int kDrawnNumbers = kNumbersPerGame;
// Well beyond the largest page the download takes (128 MB of markup, a little more once its
// non-breaking blanks are entities): anything larger is no results page.
constexpr std::size_t kMaxFilteredPageSize = std::size_t{512} << 20;

constexpr std::string_view kFilterFailed = "Ein Fehler ist aufgetreten";
constexpr std::string_view kSearchFailed =
    "Ein Fehler ist aufgetreten. Wahrscheinlich wurde die Internet Seite neu gestaltet. "
    "Schauen Sie nach, ob es ein update gibt.";
constexpr std::string_view kImported = "Es wurden erfolgreich neue Zahlen importiert.";

bool IsDropped(char c) { return static_cast<unsigned char>(c) <= 30; }

// The part of the page not searched yet. Every step takes characters off its front; asking for
// more than it holds takes what there is.
class WorkText {
 public:
  explicit WorkText(std::string_view text) : text_(text) {}

  std::size_t size() const { return text_.size(); }
  char operator[](std::size_t i) const { return text_[i]; }

  // Where the marker first stands, or npos.
  std::size_t Find(std::string_view marker) const { return text_.find(marker); }

  // Removes everything through the marker's first occurrence. A missing marker is no error:
  // then one character less than the marker's length goes.
  void CutThrough(std::string_view marker) {
    const std::size_t at = Find(marker);
    Drop(at == std::string_view::npos ? marker.size() - 1 : at + marker.size());
  }

  std::string_view Head(std::size_t count) const { return text_.substr(0, count); }
  void Drop(std::size_t count) { text_.remove_prefix(std::min(count, text_.size())); }

 private:
  std::string_view text_;
};

// A number text of the page: decimal with optional blanks and plus sign, or $/x/X/0x/0X hex.
// A minus sign fails: a negative number has no place in a one-byte field and cannot be written
// as two digits. At most two characters reach here, so the value is 0 to 99.
bool ConvertNumber(std::string_view text, uint8_t& number) {
  int32_t value = 0;
  if (text.find('-') != std::string_view::npos || !TryStrToInt(text, value)) return false;
  number = LowByte(value);
  return true;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The Spiel 77 or Super 6 block: the next day marker, its "<P>", then length characters.
std::string TakeBlock(WorkText& work, std::string_view dayMarker, std::size_t length) {
  work.CutThrough(dayMarker);
  work.CutThrough(kParagraph);
  std::string value(work.Head(length));
  work.Drop(length);
  return value;
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

File Open(const std::filesystem::path& path, const char* mode) {
  return File(OpenFile(path, mode));
}

// The filtered page, or nothing when it cannot be read: a page the search cannot read.
std::optional<std::string> ReadFilteredPage(const std::filesystem::path& path) {
  try {
    return ReadRegularFile(path, kMaxFilteredPageSize);
  } catch (const ReadError&) {
    return std::nullopt;
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
}

void RemoveQuietly(const std::filesystem::path& path) {
  std::error_code ec;
  std::filesystem::remove(path, ec);
}

// The failure reaction shared by the filter and the search: message, end, no further step.
bool Fail(const ImportReport& report, std::string_view message) {
  report.showMessage(message);
  report.requestEnd();
  return false;
}

}  // namespace

ImportFiles ImportFiles::In(const std::filesystem::path& directory) {
  return {directory / kPageFileName, directory / kFilteredFileName,
          directory / SettingsFile::kFileName};
}

std::string FilterPageText(std::string_view page) {
  std::string filtered(page);
  filtered.erase(std::remove_if(filtered.begin(), filtered.end(), IsDropped), filtered.end());
  return filtered;
}

bool FilterPage(const std::filesystem::path& page, const std::filesystem::path& filtered) {
  File in = Open(page, "rb");
  if (!in) return false;
  File out = Open(filtered, "wb");
  if (!out) return false;

  std::vector<char> buffer(64 * 1024);
  bool empty = true;
  for (;;) {
    const std::size_t read = std::fread(buffer.data(), 1, buffer.size(), in.get());
    if (read == 0) break;
    empty = false;
    const auto kept = std::remove_if(buffer.begin(), buffer.begin() + read, IsDropped);
    const auto count = static_cast<std::size_t>(kept - buffer.begin());
    if (std::fwrite(buffer.data(), 1, count, out.get()) != count) return false;
  }
  // An empty page is a failure: there is no first byte to read.
  if (empty || std::ferror(in.get())) return false;
  return std::fclose(out.release()) == 0;
}

std::optional<ScrapedDrawing> ExtractDrawing(std::string_view page, std::string_view dayMarker) {
  ScrapedDrawing drawing;
  std::array<uint8_t, kDrawNumberCount>& numbers = drawing.values.numbers;
  WorkText work(page);
  work.CutThrough(dayMarker);
  drawing.date = work.Head(kDateLength);
  work.CutThrough(kParagraph);

  // The six drawn numbers, each the first two characters of the trimmed text before "&nbsp;".
  for (int k = 0; k < kDrawnNumbers; ++k) {
    const std::size_t at = work.Find(kNbsp);
    const std::string_view text = at == std::string_view::npos ? "" : work.Head(at);
    if (!ConvertNumber(TrimView(text).substr(0, 2), numbers[k])) return std::nullopt;
    // Everything through the "&nbsp;" and the one character after it.
    if (k < kDrawnNumbers - 1) work.Drop(at + kNbsp.size() + 1);
  }

  // Zusatzzahl, then Superzahl: one or two characters after ": ", two only when the second is
  // a digit, so that "5<" gives 5. The work text keeps them.
  for (int i = kDrawnNumbers; i < kDrawNumberCount; ++i) {
    work.CutThrough(kColon);
    const std::size_t length = work.size() >= 2 && IsDigit(work[1]) ? 2 : 1;
    if (!ConvertNumber(work.Head(length), numbers[i])) return std::nullopt;
  }

  drawing.values.spiel77 = TakeBlock(work, dayMarker, kSpiel77Length);
  drawing.values.super6 = TakeBlock(work, dayMarker, kSuper6Length);
  return drawing;
}

std::string FormatScrapedLine(const ScrapedDrawing& drawing) {
  // The numbers and texts in the columns SaveSettings writes, then the whole date text.
  return DrawLine::Format(drawing.values) + drawing.date;
}

bool ScrapeResults(const ImportFiles& files, const ImportReport& report) {
  if (!FilterPage(files.page, files.filtered)) {
    RemoveQuietly(files.page);
    RemoveQuietly(files.filtered);
    return Fail(report, kFilterFailed);
  }
  RemoveQuietly(files.page);
  report.appendLog("beendet");
  report.appendLog("Suche nach Zahlen ...");

  // Each day is searched from the start of the page, so their order on it does not matter.
  const std::optional<std::string> page = ReadFilteredPage(files.filtered);
  std::optional<ScrapedDrawing> saturday, wednesday;
  if (page) saturday = ExtractDrawing(*page, kSaturdayMarker);
  if (saturday) wednesday = ExtractDrawing(*page, kWednesdayMarker);
  if (!wednesday) {
    report.appendLog("FEHLER!");
    RemoveQuietly(files.filtered);
    return Fail(report, kSearchFailed);
  }
  report.appendLog("gefunden");
  report.appendLog("Durchsuchung beendet");
  RemoveQuietly(files.filtered);

  report.appendLog("Speichere Daten ...");
  // Both days in one replacement of the file: never a new Wednesday beside an old Saturday.
  WriteProfileStrings(files.settings, SettingsFile::kDrawSection,
                      {{SettingsFile::kWednesdayKey, FormatScrapedLine(*wednesday)},
                       {SettingsFile::kSaturdayKey, FormatScrapedLine(*saturday)}});
  report.appendLog("beendet");
  report.showMessage(kImported);
  return true;
}

}  // namespace kw
