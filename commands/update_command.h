#pragma once

#include <QString>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <optional>

#include "archive/archive.h"
#include "core/date.h"
#include "service/service_fetch.h"

namespace kw {

// What `--update [--from DATE] [--to DATE] [--results-service URL]` was given.
struct UpdateOptions {
  std::optional<Date> from;  // without it: the day after the latest stored drawing
  std::optional<Date> to;    // without it: today
  QString serviceBase = QString::fromLatin1(kResultsServiceBase);
  // Fixed for the program; the tests and the benchmark shorten them.
  std::chrono::milliseconds spacing = ServiceFetch::kSpacing;
  std::chrono::milliseconds timeout = ServiceFetch::kTimeout;
  std::chrono::milliseconds waitTimeScale = ServiceFetch::kWaitTimeScale;
};

// The drawings the archive lacks, fetched from the results service and stored, without a
// window: one line per drawing on out, then the count; on a failure the reason on err. Without
// --from it starts after the latest stored drawing (five weeks back on an empty archive), or at
// the latest ones still without quotas. Text is UTF-8. Runs its own event loop, which needs the
// application object. Returns the exit code: 0 done, 1 failed, 2 when the dates given are the
// wrong way round.
int RunUpdate(const UpdateOptions& options, DrawingArchive& archive, const Clock& clock,
              std::FILE* out, std::FILE* err);

// --update into the archive file, which it creates when missing; an archive that cannot be
// opened is a failure said on err.
int UpdateCommand(const UpdateOptions& options, const std::filesystem::path& archive,
                  const Clock& clock, std::FILE* out, std::FILE* err);

// "Sa 06.12.2025: 3 15 22 31 40 49, Superzahl 5, Spiel 77 9911235, Super 6 000235, Quoten 9"
QString DrawingLine(const Drawing& drawing);

}  // namespace kw
