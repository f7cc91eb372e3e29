#pragma once

#include <QWidget>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/date.h"
#include "core/settings_file.h"
#include "eval/ticket_check.h"

class QLabel;
class QPushButton;
class QSplitter;
class QTreeWidget;

namespace kw {

class DrawingsBar;
class DrawingsSession;
class Platform;
class TermPanel;

// The window "Meine Scheine": every ticket of the household, each checked over its term, with
// what it cost and what it won, and their sum. The selected ticket's days, lines and settings
// stand below the list, as on the tab "Laufzeit". A window of its own, made as large as a person
// likes: it keeps its place, its size and its columns in ZW.INI. The archive is opened when the
// window is first shown.
class MyTicketsWindow : public QWidget {
  Q_OBJECT

 public:
  // settingsDirectory: where ZW.INI keeps the list and the window's place.
  MyTicketsWindow(const std::filesystem::path& settingsDirectory, DrawingsSession& drawings,
                  Platform& platform, const Clock& clock, QWidget* parent = nullptr);
  ~MyTicketsWindow() override;

  // Shows the window, raised, with every ticket checked anew.
  void ShowAndRaise();
  // The tickets as last checked, in the list's order: the check, or why there is none.
  const std::vector<TicketFileCheck>& rows() const { return rows_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void changeEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void CreateControls();
  // Reads the list and checks every ticket anew, keeping the selection.
  void Refresh();
  void CheckRow(TicketFileCheck& row);
  std::vector<std::string> Stamps() const;
  void ShowRows();
  // Narrows the name column where the list is too narrow for every column whole.
  void FitColumns();
  void ShowRow(int index);
  void ShowSelected();
  void ShowSum();
  int SelectedRow() const;
  void AddClicked();
  void RemoveClicked();
  void FetchClicked();
  void RestorePlace();
  void KeepPlace();

  SettingsFile settings_;
  DrawingsSession& drawings_;
  Platform& platform_;
  const Clock& clock_;
  std::vector<TicketFileCheck> rows_;
  // What each listed file was when last checked: whether it was there, its size and time.
  std::vector<std::string> stamps_;
  bool placed_ = false;
  bool startedList_ = false;  // an empty list took the main window's ticket at the first showing
  bool keptWidths_ = false;   // the columns have widths a person may have chosen

  QTreeWidget* TicketsList = nullptr;    // one row per ticket
  QPushButton* TicketsAdd = nullptr;     // "Schein &hinzufügen …"
  QPushButton* TicketsRemove = nullptr;  // "&Entfernen"
  DrawingsBar* bar_ = nullptr;  // TicketsFetch, TicketsCancel, TicketsImport, TicketsStatus
  QSplitter* splitter_ = nullptr;
  QLabel* TicketsNote = nullptr;  // what the selected ticket lacks: its file, its reading
  TermPanel* panel_ = nullptr;    // the selected ticket's term
  QLabel* TicketsSum = nullptr;   // "Alle Scheine: ..."
};

}  // namespace kw
