#pragma once

#include <QWidget>
#include <functional>
#include <optional>
#include <string>

#include "eval/ticket_check.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QPlainTextEdit;
class QTreeWidget;

namespace kw {

class Platform;

// One ticket's term as the tab "Laufzeit" and the window "Meine Scheine" show it: the term's
// settings, which it saves into the ticket file at once, every drawing day with its result, the
// selected day's lines, and the total with the stake. It shows a check made by its owner and
// tells it when a setting was written, so that the owner checks the ticket anew.
class TermPanel : public QWidget {
  Q_OBJECT

 public:
  // Compact fits the main window's fixed page: short result texts (the whole text as a tip) and
  // three lines of a day. Roomy is for a window a person can make as large as needed: every
  // text whole, long lines wrapped.
  enum class Room { Compact, Roomy };

  TermPanel(Room room, Platform& platform, QWidget* parent = nullptr);
  ~TermPanel() override;

  // Shows the check of the ticket file at the path (Windows-1252), keeping the selected day.
  void Show(const TicketCheck& check, const std::string& ticketPath);
  const std::optional<TicketCheck>& check() const { return check_; }

  // The total with its notes, for the owner's own words below it.
  QLabel* totalLabel() const { return TermTotal; }

 signals:
  // A setting was written into the ticket file, or the file is no longer the ticket shown: the
  // ticket is to be checked anew.
  void ticketChanged();

 private:
  void CreateControls();
  void ConnectHandlers();
  void ShowSettings();
  void ShowList();
  void ShowSelectedDay();
  void ShowTotal();

  void FirstDayChosen();
  void DrawDaysChosen();
  void Spiel77Toggled();
  void Super6Toggled();
  // Whether the file still holds the ticket shown: its games, lot number and expiry.
  bool FileIsTheTicketShown() const;
  // Writes one setting; a failed write puts the old values back before the error box tells why.
  void SaveSetting(const std::function<void()>& write);

  Room room_;
  Platform& platform_;
  std::string ticketPath_;
  std::optional<TicketCheck> check_;

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
  QLabel* TermTotal = nullptr;           // "Gewinn insgesamt: ...", the stake
};

// The German calendar of a date field, whatever the system's locale.
void UseGermanCalendar(QDateEdit* field);

}  // namespace kw
