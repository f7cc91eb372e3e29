#pragma once

#include <QWidget>
#include <functional>
#include <optional>
#include <string>

#include "core/date.h"
#include "eval/ticket_check.h"

class QLabel;
class QPushButton;

namespace kw {

class DrawingsBar;
class DrawingsSession;
class Platform;
class TermPanel;

// The tab "Laufzeit": the current ticket checked over its whole term by the rules of each
// drawing's day, with the money won and the stake; the term's settings, which it saves into the
// ticket file; the drawings fetched from the results service or imported from a file; and the
// way to the window "Meine Scheine" with every ticket of the household. The archive is opened the
// first time the tab is shown, never at the program's start; its controls are made then too.
class TermSheet : public QWidget {
  Q_OBJECT

 public:
  TermSheet(DrawingsSession& drawings, Platform& platform, const Clock& clock,
            QWidget* parent = nullptr);
  ~TermSheet() override;

  // Where the tab learns the main window's current ticket (Windows-1252 path; empty: none). It
  // asks each time it is shown, so it always shows the ticket loaded last.
  void SetTicketSource(std::function<std::string()> currentTicket);
  // Reads the term anew, at once when the tab is showing: the ticket or the archive changed.
  void Reload();

  // The check last shown, for tests and the window's own use.
  const std::optional<TicketCheck>& check() const { return ticket_.check; }

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

  DrawingsSession& drawings_;
  Platform& platform_;
  const Clock& clock_;
  std::function<std::string()> currentTicket_;
  TicketFileCheck ticket_;  // the ticket last shown, checked or refused

  QLabel* noTicket_ = nullptr;  // "Es ist kein Spielschein geladen." and the like
  QWidget* content_ = nullptr;  // everything else, hidden without a ticket
  TermPanel* panel_ = nullptr;
  DrawingsBar* bar_ = nullptr;            // TermFetch, TermCancel, TermImport and TermStatus
  QPushButton* TermAllTickets = nullptr;  // "Alle &Scheine …"
};

}  // namespace kw
