#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/date.h"
#include "core/drawing.h"
#include "core/error.h"

namespace kw {

// The drawing archive: every drawing the program was given, kept in one SQLite file beside
// ZW.INI. No Qt here. Messages are German, Windows-1252, and name the file.

// A file the archive cannot use, or a store it refuses. The file is left exactly as it was.
class ArchiveError : public Error {
 public:
  using Error::Error;
};

// What a Store did, date by date.
struct StoreOutcome {
  int added = 0;      // dates that were not stored before
  int completed = 0;  // stored dates to which the batch added something (quotas, digits)
  int unchanged = 0;  // stored dates with nothing new in the batch

  friend bool operator==(const StoreOutcome&, const StoreOutcome&) = default;
};

class DrawingArchive {
 public:
  // The archive's name beside ZW.INI.
  static constexpr const char* kFileName = "Ziehungen.sqlite";

  // Opens the archive, creating the file and its tables when it does not exist and upgrading an
  // older schema step by step. Throws ArchiveError, naming the path, for a file it cannot use:
  // not a database, damaged, of a newer schema, a folder, or locked by another program for
  // longer than a short wait. A file it may only read opens for reading; the first Store then
  // says why it cannot write.
  explicit DrawingArchive(const std::filesystem::path& file);
  ~DrawingArchive();
  DrawingArchive(DrawingArchive&&) noexcept;
  DrawingArchive& operator=(DrawingArchive&&) noexcept;

  const std::filesystem::path& path() const;

  // Stores the batch in one transaction; source says where it came from ("lotto.de",
  // "CSV-Datei ...") and is kept with each drawing. A drawing whose date is already stored with
  // the same numbers only adds what the stored one lacks. Throws ArchiveError and stores nothing
  // of the batch for a drawing that is none (DrawingProblem), for one whose date is stored with
  // other numbers (the message names the date and both sets), and when the disk refuses the
  // write.
  StoreOutcome Store(const std::vector<Drawing>& drawings, std::string_view source);

  std::optional<Drawing> Read(Date day) const;
  // The drawings from first to last, both included, in date order.
  std::vector<Drawing> ReadRange(Date first, Date last) const;
  std::optional<Drawing> Latest() const;
  // The drawing days (IsDrawingDay) from first to last that hold no drawing, in date order.
  std::vector<Date> MissingDays(Date first, Date last, DrawDays days) const;
  int64_t Count() const;

  // SQLite's own check of the whole file, run only when asked for: empty when the file is sound,
  // otherwise what SQLite found.
  std::string CheckIntegrity() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace kw
