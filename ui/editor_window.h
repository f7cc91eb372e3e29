#pragma once

#include <QDialog>
#include <QString>
#include <array>
#include <string>

#include "core/date.h"
#include "core/records.h"
#include "core/settings_file.h"
#include "eval/editor_fields.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kw {

class Platform;

// The ticket editor: twelve games, the lot number and the expiry date of a ticket, loaded from
// the current ticket file when it opens and saved under a name the user chooses. It owns the
// EditorTicket and shares nothing with the main window but the files.
class TForm2 : public QDialog {
  Q_OBJECT

 public:
  // Created hidden; it lives until the program ends.
  TForm2(SettingsFile settings, Platform& platform, const Clock& clock, QWidget* parent = nullptr);

  // Runs FormShow and shows the window modally until "&Zurück", Escape or the window manager
  // closes it. A failed load goes to the general error box and the window opens all the same.
  void ShowModal();

 public slots:
  // Every way of closing the window ends here.
  void reject() override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void CreateControls();

  void FormShow();
  void Button1Click();
  void Button2Click();
  void Button3Click();

  void CreateSystemPage();
  // The system fields in place of the games, or the games again; the rest stays.
  void ShowSystemPage(bool systems);
  // Each system field's name and rows, or why it is none, as the fields stand.
  void ShowSystemSummaries();
  // How the term check will read the Losnummer as it stands.
  void ShowLotNumberNote();

  void LoadEditorTicket();
  void ShowEditorTicket();
  EditorFields FieldTexts() const;
  QLineEdit* FieldAt(int field) const;  // as EditorProblem names it
  void SaveTicketAs();
  void RememberTicketPath();
  void ClearEditor();
  int CurrentYear() const;

  SettingsFile settings_;
  Platform& platform_;
  const Clock& clock_;
  EditorTicket editorTicket_;
  // The save dialog's file name: proposed by the next dialog and recorded as the current ticket
  // after a cancel. It names the file saved last in this run, empty before the first save.
  QString saveFileName_;
  // The ticket file the fields came from or were saved to last: a save into a new file keeps
  // its keys. Empty for a new ticket.
  std::string ticketFilePath_;
  // The fields as loaded or saved last: closing with anything else asks first.
  EditorFields savedFields_;

  QGroupBox* GroupBox1 = nullptr;                 // "Spiele"
  std::array<QLabel*, kGameCount> gameLabels_{};  // Label1..Label12, "Spiel 01:".."Spiel 12:"
  // Edit1..Edit72: game 1 positions 1 to 6, then game 2, and so on.
  std::array<QLineEdit*, kEditorNumberFields> numberEdits_{};
  QPushButton* Button1 = nullptr;     // "Daten &löschen"
  QPushButton* Button2 = nullptr;     // "&Speichern als"
  QPushButton* Button3 = nullptr;     // "&Zurück"
  QGroupBox* GroupBox2 = nullptr;     // "Sonstige Daten"
  QLineEdit* LabeledEdit2 = nullptr;  // "Losnummer:"
  QLabel* LotNumberNote = nullptr;    // below it: "fehlt", "geprüft mit 1234567"
  QLineEdit* LabeledEdit1 = nullptr;  // "Gültig bis (TT.MM.JJJJ):"

  // The system fields, a page in the place of "Spiele" reached by a button of their own.
  QPushButton* SystemsButton = nullptr;  // "S&ysteme »", on the system page "« Sp&iele"
  QGroupBox* SystemBox = nullptr;        // "Systeme"
  std::array<QLineEdit*, kSystemCount> systemEdits_{};  // SystemEdit1..4, "System 1:".."System 4:"
  std::array<QLabel*, kSystemCount>
      systemSummaries_{};  // SystemInfo1..4: "System 008, 28 Tippreihen"
};

}  // namespace kw
