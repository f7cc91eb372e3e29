#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/records.h"

namespace kw {

// The results page scraper: turns the saved body markup of the lottery's results page into the
// two stored drawings of ZW.INI. It knows nothing of HTML: it looks for fixed text markers and
// takes fixed character counts. No window code here, so it builds and is tested without Qt.

// Opens each of the three blocks (numbers, Spiel 77, Super 6) of a drawing day.
inline constexpr std::string_view kSaturdayMarker = "Ziehung Samstag ";
inline constexpr std::string_view kWednesdayMarker = "Ziehung Mittwoch ";

// The files of an import; all three lie beside the executable in the program.
struct ImportFiles {
  static constexpr const char* kPageFileName = "lotto.tmp";       // the page as downloaded
  static constexpr const char* kFilteredFileName = "lotto2.tmp";  // the page without control bytes

  std::filesystem::path page;
  std::filesystem::path filtered;
  std::filesystem::path settings;  // ZW.INI

  static ImportFiles In(const std::filesystem::path& directory);
};

// One drawing as the page gives it.
struct ScrapedDrawing {
  // The eight numbers, Spiel 77 and Super 6 as found; drawDate stays empty.
  DrawResult values;
  // Up to ten characters after the day marker, unchecked. Longer than a DrawResult keeps.
  std::string date;
};

// How a run reports. Texts are Windows-1252 bytes.
struct ImportReport {
  std::function<void(std::string_view line)> appendLog;
  // Shows a modal message and returns once the user has confirmed it.
  std::function<void(std::string_view text)> showMessage;
  // Asks the program to end after the current event.
  std::function<void()> requestEnd;
};

// Every byte of value 0 to 30 (line breaks, tabs, all control bytes) dropped; 31 to 255 kept.
// The page becomes one line, and a number split over two lines is read as one.
std::string FilterPageText(std::string_view page);

// The same from file to file, a piece at a time so that a large page is never held twice.
// False when the page is missing, unreadable or empty, or the filtered file cannot be written.
bool FilterPage(const std::filesystem::path& page, const std::filesystem::path& filtered);

// Reads the drawing of the day that dayMarker opens, searching from the start of the filtered
// page. A missing marker is no failure in itself; nothing is returned when one of the eight
// numbers does not convert (a minus sign included).
std::optional<ScrapedDrawing> ExtractDrawing(std::string_view page, std::string_view dayMarker);

// The drawing as ZW.INI keeps it: eight two-digit numbers, Spiel 77, Super 6 and the whole date
// text.
std::string FormatScrapedLine(const ScrapedDrawing& drawing);

// The whole import: filters the page, extracts Saturday and Wednesday, writes both to section
// "Zahlen" of ZW.INI in one replacement of the file, removes both temporary files, and reports
// through the three operations. True once the success message has been confirmed. A failed
// step shows its message, asks the program to end and returns false; ZW.INI is then untouched.
// A ZW.INI that cannot be written throws WriteError, with ZW.INI as it was and both temporary
// files gone: the general error box shows it and the program goes on.
bool ScrapeResults(const ImportFiles& files, const ImportReport& report);

}  // namespace kw
