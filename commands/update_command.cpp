#include "commands/update_command.h"

#include <QEventLoop>
#include <QStringList>

#include "core/error.h"
#include "eval/prize_plan.h"
#include "qtedge/cp1252_text.h"
#include "qtedge/terminal.h"
#include "service/results_service.h"

namespace kw {

namespace {

// How far back an empty archive starts, and how far back drawings still without quotas are
// asked for again.
constexpr int kDaysBack = 35;

QString DayText(Date day) { return FromCp1252(WeekdayDateText(day)); }

QString Count(int drawings) {
  if (drawings == 0) return QStringLiteral("Keine Ziehung");
  return FromCp1252(DrawingsText(drawings));
}

// The day after the latest stored drawing, or the first of the latest ones that still lack
// quotas: those are published a day or two after the drawing.
Date DefaultFrom(const DrawingArchive& archive, Date today) {
  const std::optional<Drawing> latest = archive.Latest();
  if (!latest) return Date{today.dayCount - kDaysBack};
  Date from{latest->date.dayCount + 1};
  const std::vector<Drawing> recent =
      archive.ReadRange(Date{latest->date.dayCount - kDaysBack}, latest->date);
  for (auto it = recent.rbegin(); it != recent.rend(); ++it) {
    if (!LacksQuotas(*it)) break;
    from = it->date;
  }
  return from;
}

}  // namespace

QString DrawingLine(const Drawing& drawing) {
  return DayText(drawing.date) + QStringLiteral(": ") + FromCp1252(DrawingText(drawing)) +
         (drawing.quotas.empty() ? QStringLiteral(", keine Quoten")
                                 : QStringLiteral(", Quoten %1").arg(drawing.quotas.size()));
}

int RunUpdate(const UpdateOptions& options, DrawingArchive& archive, const Clock& clock,
              std::FILE* out, std::FILE* err) {
  const Date today = clock.Today();
  Date from;
  Date to = options.to.value_or(today);
  try {
    from = options.from ? *options.from : DefaultFrom(archive, today);
  } catch (const std::exception& e) {
    PrintLine(err, FromCp1252(e.what()));
    return 1;
  }
  if (options.from && from > to) {
    PrintLine(err, QStringLiteral("Der erste Tag (%1) liegt nach dem letzten (%2)")
                       .arg(DayText(from), DayText(to)));
    return 2;
  }
  if (from > to) {
    PrintLine(out, QStringLiteral("Es fehlte keine Ziehung: das Archiv reicht bis %1.")
                       .arg(DayText(Date{from.dayCount - 1})));
    return 0;
  }

  ServiceFetch fetch(archive);
  fetch.SetBase(QUrl(options.serviceBase));
  fetch.SetSpacing(options.spacing);
  fetch.SetTimeout(options.timeout);
  fetch.SetWaitTimeScale(options.waitTimeScale);
  QEventLoop loop;
  int code = 0;
  int stored = 0;
  QObject::connect(&fetch, &ServiceFetch::drawingStored, &loop,
                   [out, &stored](const Drawing& drawing, const QString& note) {
                     ++stored;
                     PrintLine(out, DrawingLine(drawing));
                     if (!note.isEmpty()) PrintLine(out, QStringLiteral("  (%1)").arg(note));
                   });
  // A wait is no failure; said on the error stream, so that the drawings' lines stay a list.
  QObject::connect(&fetch, &ServiceFetch::waiting, &loop,
                   [err](int seconds) { PrintLine(err, WaitingText(seconds)); });
  QObject::connect(&fetch, &ServiceFetch::finished, &loop, &QEventLoop::quit);
  QObject::connect(&fetch, &ServiceFetch::failed, &loop, [&](const QString& message) {
    PrintLine(err, message);
    code = 1;
    loop.quit();
  });
  fetch.Start(from, to);
  loop.exec();

  // Today's drawing is listed only once it is drawn; an earlier day the service does not name is
  // worth a word, since the archive stays without it.
  QStringList unlisted;
  for (const Date day : fetch.UnlistedDays()) {
    if (day < today) unlisted << DayText(day);
  }
  if (!unlisted.isEmpty()) {
    PrintLine(out, QStringLiteral("Der Ergebnisdienst nennt keine Ziehung f\u00FCr: %1")
                       .arg(unlisted.join(QStringLiteral(", "))));
  }
  if (code != 0) {
    // What was stored before the failure stays; say so, so that a rerun is not a surprise.
    if (stored > 0) {
      PrintLine(out, QStringLiteral("%1 geholt und gespeichert, dann ist die Abfrage gescheitert.")
                         .arg(Count(stored)));
    }
    return code;
  }
  if (stored == 0 && unlisted.isEmpty()) {
    PrintLine(
        out,
        QStringLiteral("Es fehlte keine Ziehung vom %1 bis %2.").arg(DayText(from), DayText(to)));
  } else {
    PrintLine(out, QStringLiteral("%1 geholt und gespeichert.").arg(Count(stored)));
  }
  return 0;
}

int UpdateCommand(const UpdateOptions& options, const std::filesystem::path& archive,
                  const Clock& clock, std::FILE* out, std::FILE* err) {
  try {
    DrawingArchive drawings(archive);
    return RunUpdate(options, drawings, clock, out, err);
  } catch (const Error& failure) {
    PrintLine(err, FromCp1252(std::string("kreuzwart: ") + failure.what()));
    return 1;
  }
}

}  // namespace kw
