#pragma once

#include <QObject>
#include <QString>
#include <QUrl>
#include <memory>

#include "core/date.h"

class QLabel;
class QPushButton;

namespace kw {

class DrawingArchive;
class Platform;
class ServiceFetch;

// The buttons that bring drawings into the archive, as the tab "Laufzeit" and the window
// "Meine Scheine" both have them: "Ziehungen holen" fetches from the results service with its
// progress (and the service's waits) in a status line, "Abbrechen" stops it, "Ziehungen
// importieren …" takes a file. The owner opens the archive, decides which days to fetch, and
// shows the drawings anew when told.
class DrawingsUpdate : public QObject {
  Q_OBJECT

 public:
  DrawingsUpdate(Platform& platform, QPushButton* fetch, QPushButton* cancel,
                 QPushButton* import, QLabel* status, QObject* parent = nullptr);
  ~DrawingsUpdate() override;

  // The archive to fill, once the owner has opened it, and the service's address (invalid: the
  // lottery's own).
  void SetArchive(DrawingArchive& archive, const QUrl& serviceBase);
  bool HasArchive() const { return archive_ != nullptr; }

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

  Platform& platform_;
  QPushButton* fetch_;
  QPushButton* cancel_;
  QPushButton* import_;
  QLabel* status_;
  DrawingArchive* archive_ = nullptr;
  std::unique_ptr<ServiceFetch> service_;
  bool fetchable_ = false;
};

}  // namespace kw
