#pragma once

#include <QString>
#include <QWidget>

class QHBoxLayout;
class QLabel;
class QPushButton;

namespace kw {

class DrawingsSession;
class Platform;

// The buttons that fill the archive and the line that tells how a fetch goes, as the tab
// "Laufzeit" and the window "Meine Scheine" both show them: "Ziehungen holen" asks its owner for
// the days, "Abbrechen" stops the fetch, "Ziehungen importieren …" takes a file. Every bar follows
// the program's one fetch, whichever view started it. Between fetches the line shows the owner's
// note (what the archive lacks for the ticket shown), after a fetch how it ended.
class DrawingsBar : public QWidget {
  Q_OBJECT

 public:
  // Where the line stands: above the buttons, right-aligned (the tab's narrow page), or beside
  // them (a wide window).
  enum class StatusPlace { Above, Beside };

  // prefix names the controls for tests and tools: "Term" gives TermFetch, TermCancel, TermImport
  // and TermStatus. fetchHint is the tip of "Ziehungen holen", which says whose days it fetches.
  DrawingsBar(DrawingsSession& session, Platform& platform, const QString& prefix,
              const QString& fetchHint, StatusPlace place, QWidget* parent = nullptr);
  ~DrawingsBar() override;

  // A control of the owner's at the end of the buttons' row.
  void AddToRow(QWidget* control);
  // Whether the owner has days to fetch.
  void SetFetchable(bool fetchable);
  // The owner's note, shown while no fetch runs; the tip gives more where there is more.
  void SetNote(const QString& note, const QString& tip = {});

  QPushButton* fetchButton() const { return fetch_; }
  QPushButton* cancelButton() const { return cancel_; }
  QPushButton* importButton() const { return import_; }

 signals:
  // "Ziehungen holen": the owner names the days.
  void fetchRequested();

 private:
  void FollowSession();

  DrawingsSession& session_;
  Platform& platform_;
  bool fetchable_ = false;
  QPushButton* fetch_ = nullptr;   // "Ziehungen &holen"
  QPushButton* cancel_ = nullptr;  // "Abb&rechen"
  QPushButton* import_ = nullptr;  // "Ziehungen i&mportieren …"
  QLabel* status_ = nullptr;       // the fetch's progress, how it ended, or the owner's note
  QHBoxLayout* row_ = nullptr;     // the buttons, and what the owner adds
};

// A button of the term's views: its object and accessible name, its tip, Enter clicks it.
QPushButton* TermButton(QWidget* parent, const QString& name, const QString& caption,
                        const QString& hint);

}  // namespace kw
