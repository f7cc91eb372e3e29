#pragma once

#include <QObject>
#include <QString>
#include <QUrl>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/date.h"
#include "core/drawing.h"

class QLabel;
class QPushButton;

namespace kw {

class DrawingArchive;
class Platform;
class ServiceFetch;

// The archive of drawings as the tab "Laufzeit" and the window "Meine Scheine" both use it:
// opened when first needed (never at the program's start), read for a ticket's term, and filled
// by the buttons that bring drawings: "Ziehungen holen" fetches from the results service with its
// progress (and the service's waits) in a status line, "Abbrechen" stops it, "Ziehungen
// importieren …" takes a file. The owner decides which days to fetch, and shows the drawings
// anew when told.
class DrawingsUpdate : public QObject {
  Q_OBJECT

 public:
  // serviceBase invalid: the lottery's own service.
  DrawingsUpdate(std::filesystem::path archive, QUrl serviceBase, Platform& platform,
                 QPushButton* fetch, QPushButton* cancel, QPushButton* import, QLabel* status,
                 QObject* parent = nullptr);
  ~DrawingsUpdate() override;

  // Opens the archive if it is not open; a file it cannot use goes to the error box once, and
  // the next call tries again.
  bool OpenArchive();
  // Why the archive cannot be opened; empty when it is open or was not tried.
  const std::string& ArchiveProblem() const { return archiveProblem_; }
  // The stored drawings from first to last; none when the archive cannot be opened.
  std::vector<Drawing> ReadRange(Date first, Date last);

  // Fetches what the archive lacks from first to last; the buttons follow the fetch.
  void Fetch(Date first, Date last);
  bool IsRunning() const;
  // Whether "Ziehungen holen" may be clicked: set by the owner for what it shows.
  void SetFetchable(bool fetchable);

 signals:
  // Drawings came into the archive: after each stored drawing, after an import.
  void drawingsChanged();
  // A fetch ended, however; its last words stand in the status line.
  void fetchEnded();

 private:
  void Import();
  void Ended(const QString& status);
  void SetRunning(bool running);

  std::filesystem::path archivePath_;
  QUrl serviceBase_;
  Platform& platform_;
  QPushButton* fetch_;
  QPushButton* cancel_;
  QPushButton* import_;
  QLabel* status_;
  std::unique_ptr<DrawingArchive> archive_;
  std::string archiveProblem_;
  std::unique_ptr<ServiceFetch> service_;
  bool fetchable_ = false;
};

}  // namespace kw
