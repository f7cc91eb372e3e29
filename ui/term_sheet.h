#pragma once

#include <QUrl>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "core/date.h"
#include "eval/ticket_check.h"

class QLabel;
class QPushButton;

namespace kw {

class DrawingArchive;
class DrawingsUpdate;
class Platform;
class TermPanel;

// Where the term tab finds the drawings.
struct TermSheetSetup {
  std::filesystem::path archive;  // Ziehungen.sqlite beside ZW.INI, or --archive
  QUrl serviceBase;               // the results service, or --results-service
};

// The tab "Laufzeit": the current ticket checked over its whole term by the rules of each
// drawing's day, with the money won and the stake; the term's settings, which it saves into the
// ticket file; the drawings fetched from the results service or imported from a file; and the
// way to the window "Meine Scheine" with every ticket of the household. The archive is opened the
// first time the tab is shown, never at the program's start; its controls are made then too.
class TermSheet : public QWidget {
  Q_OBJECT

 public:
  TermSheet(TermSheetSetup setup, Platform& platform, const Clock& clock,
            QWidget* parent = nullptr);
  ~TermSheet() override;

  // Where the tab learns the main window's current ticket (Windows-1252 path; empty: none). It
  // asks each time it is shown, so it always shows the ticket loaded last.
  void SetTicketSource(std::function<std::string()> currentTicket);
  // Reads the term anew, at once when the tab is showing: the ticket or the archive changed.
  void Reload();

  // The check last shown, for tests and the window's own use.
  const std::optional<TicketCheck>& check() const { return check_; }

 signals:
  // "Alle Scheine …": the window with every ticket is asked for.
  void allTicketsRequested();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void CreateControls();
  // Reads the ticket file and the archive anew and shows everything.
  void Refresh();
  void ShowNoTicket(const QString& why);
  void ShowStatus();
  void FetchClicked();

  TermSheetSetup setup_;
  Platform& platform_;
  const Clock& clock_;
  std::function<std::string()> currentTicket_;
  std::string ticketPath_;
  std::optional<TicketCheck> check_;

  QLabel* noTicket_ = nullptr;  // "Es ist kein Spielschein geladen." and the like
  QWidget* content_ = nullptr;  // everything else, hidden without a ticket
  TermPanel* panel_ = nullptr;
  DrawingsUpdate* update_ = nullptr;
  QPushButton* TermFetch = nullptr;       // "Ziehungen &holen"
  QPushButton* TermCancel = nullptr;      // "Abb&rechen"
  QPushButton* TermImport = nullptr;      // "Ziehungen i&mportieren …"
  QPushButton* TermAllTickets = nullptr;  // "Alle &Scheine …"
  QLabel* TermStatus = nullptr;           // progress of a fetch, the first drawing of a new ticket
};

// A button of the term's views: its object and accessible name, its tip, Enter clicks it.
QPushButton* TermButton(QWidget* parent, const char* name, const QString& caption,
                        const QString& hint);

}  // namespace kw
