#pragma once

#include <QObject>
#include <QString>
#include <QUrl>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/date.h"
#include "core/drawing.h"

namespace kw {

class DrawingArchive;
class Platform;
class ServiceFetch;

// The program's one way to its drawings: the archive, opened when first needed (never at the
// program's start), and the one fetch from the results service. The tab "Laufzeit" and the
// window "Meine Scheine" both read and fill it through this object, so that the lottery's
// front, which throttles after a few quick requests, sees a single stream of requests however
// many views ask. A fetch asked for while one runs is added to it: its days follow when the
// running one has ended.
class DrawingsSession : public QObject {
  Q_OBJECT

 public:
  // serviceBase invalid: the lottery's own service.
  DrawingsSession(std::filesystem::path archive, QUrl serviceBase, Platform& platform,
                  QObject* parent = nullptr);
  ~DrawingsSession() override;

  // Opens the archive if it is not open; a file it cannot use goes to the error box once, and
  // the next call tries again.
  bool OpenArchive();
  bool IsOpen() const { return archive_ != nullptr; }
  // Why the archive cannot be opened; empty when it is open or was not tried.
  const std::string& ArchiveProblem() const { return archiveProblem_; }
  // The stored drawings from first to last; none when the archive cannot be opened.
  std::vector<Drawing> ReadRange(Date first, Date last);
  // The day of the newest stored drawing; nothing for an empty archive or one not to be opened.
  std::optional<Date> NewestStored();
  // Fetch for the views whose tickets name no day to fetch: the archive up to today, from its
  // newest drawing on (ArchiveFetchRange).
  void FetchUpTo(Date today);

  // Fetches what the archive lacks from first to last; while a fetch runs, the days are kept
  // and fetched after it.
  void Fetch(Date first, Date last);
  void Cancel();
  bool IsRunning() const;
  // "Ziehungen importieren …": a file of drawings chosen by the person, into the archive.
  void Import();

  // The fetch's progress or how the last one ended; empty before the first.
  const QString& Status() const { return status_; }

  // Only the tests and benchmarks shorten the service's pace.
  ServiceFetch* fetch() const { return service_.get(); }

 signals:
  // A fetch began or ended: the buttons follow it.
  void runningChanged(bool running);
  // Drawings came into the archive: after each stored drawing, after an import.
  void drawingsChanged();
  // A fetch ended, however; the views show their drawings anew before statusChanged says how.
  void fetchEnded();
  void statusChanged(const QString& status);

 private:
  void StartNext();
  void Ended(const QString& status);
  void SetStatus(const QString& status);

  std::filesystem::path archivePath_;
  QUrl serviceBase_;
  Platform& platform_;
  std::unique_ptr<DrawingArchive> archive_;
  std::string archiveProblem_;
  std::unique_ptr<ServiceFetch> service_;
  // Days asked for while a fetch ran: the smallest range holding all of them.
  std::optional<std::pair<Date, Date>> queued_;
  int storedBefore_ = 0;  // by the fetches of this run that ended before the one under way
  QString status_;
};

}  // namespace kw
