#pragma once

#include <QUrl>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "core/date.h"
#include "core/ticket_term.h"
#include "eval/term_report.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;

namespace kw {

class DrawingArchive;
class Platform;
class ServiceFetch;

// Where the term tab finds the drawings.
struct TermSheetSetup {
  std::filesystem::path archive;  // Ziehungen.sqlite beside ZW.INI, or --archive
  QUrl serviceBase;               // the results service, or --results-service
};

// The tab "Laufzeit": the current ticket checked over its whole term by the rules of each
// drawing's day, with the money won; the term's settings, which it saves into the ticket file;
// the drawings fetched from the results service or imported from a CSV file. The archive is
// opened the first time the tab is shown, never at the program's start; its controls are made
// then too.
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
  const std::optional<TermCheck>& check() const { return check_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void CreateControls();
  void ConnectHandlers();

  // Reads the ticket file and the archive anew and shows everything.
  void Refresh();
  void ShowNoTicket(const QString& why);
  void ShowTerm();
  void ShowSettingNotes();
  void ShowList();
  void ShowSelectedDay();
  bool OpenArchive();

  void FirstDayEdited();
  void DrawDaysChosen();
  void Spiel77Toggled();
  void Super6Toggled();
  // Saves one setting; a failed write puts the old value back before the error box tells why.
  void SaveSetting(const std::function<void()>& write);

  void FetchClicked();
  void CancelClicked();
  void ImportClicked();
  void FetchEnded(const QString& status);
  void SetFetching(bool fetching);

  TermSheetSetup setup_;
  Platform& platform_;
  const Clock& clock_;
  std::function<std::string()> currentTicket_;
  std::string ticketPath_;
  std::optional<TermTicket> ticket_;
  std::optional<TermCheck> check_;
  std::unique_ptr<DrawingArchive> archive_;
  std::unique_ptr<ServiceFetch> fetch_;
  std::string archiveProblem_;  // why the archive cannot be opened, once reported

  QLabel* noTicket_ = nullptr;  // "Es ist kein Spielschein geladen." and the like
  QWidget* content_ = nullptr;  // everything else, hidden without a ticket
  QDateEdit* TermFirstDay = nullptr;
  QLabel* firstDayNote_ = nullptr;  // "angenommen" or why the file's value was not taken
  QComboBox* TermDrawDays = nullptr;
  QLabel* drawDaysNote_ = nullptr;
  QCheckBox* TermSpiel77 = nullptr;  // "Spiel &77"
  QLabel* spiel77Note_ = nullptr;
  QCheckBox* TermSuper6 = nullptr;  // "Super &6"
  QLabel* super6Note_ = nullptr;
  QLabel* problems_ = nullptr;           // the file's values that could not be read, in full
  QTreeWidget* TermDrawings = nullptr;   // one row per drawing day
  QPlainTextEdit* TermReport = nullptr;  // the selected day's lines
  QLabel* TermTotal = nullptr;           // "Gewinn insgesamt: ..."
  QPushButton* TermFetch = nullptr;      // "Ziehungen &holen"
  QPushButton* TermCancel = nullptr;     // "Abb&rechen"
  QPushButton* TermImport = nullptr;     // "Ziehungen i&mportieren …"
  QLabel* TermStatus = nullptr;          // progress of a fetch, the first drawing of a new ticket
};

}  // namespace kw
