#pragma once

#include <QLabel>
#include <QWidget>
#include <array>
#include <functional>
#include <optional>
#include <string>

#include "core/date.h"
#include "core/records.h"
#include "core/settings_file.h"
#include "eval/today_check.h"

class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace kw {

class Platform;

// A label that reacts to a click, for the link on the "Programminfos" tab.
class LinkLabel : public QLabel {
  Q_OBJECT
 public:
  explicit LinkLabel(const QString& text, QWidget* parent);

 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};

// The main window: shows the current ticket, holds the drawing being typed or imported, and
// starts every action. It owns the current ticket and both stored drawings.
class TForm1 : public QWidget {
  Q_OBJECT

 public:
  // Creating the window runs FormCreate, which reads the settings file.
  TForm1(SettingsFile settings, Platform& platform, const Clock& clock, QWidget* parent = nullptr);
  // Runs FormDestroy, which writes the settings file.
  ~TForm1() override;

  // Keeps now what the window's end keeps (FormDestroy): the end of the session was asked, and
  // Windows ends the process soon after asking, before the window may get to its own end. The
  // end itself still comes, and writes the same once more.
  void KeepForEnd();

  // The start after creation: FormShow (the validity notice), the window shown, then the first
  // activation. With a ticket file given (the command line's, as UTF-8), that ticket is loaded
  // after the first activation, as "&Schein laden" loads one, and shown on its tab; the notice
  // then speaks of it.
  void Start(const std::optional<std::string>& ticketFile = std::nullopt);

  // A second start of the program handed over its ticket (UTF-8, or none): the window comes to
  // the front and loads it as "&Schein laden" does, once no box or editor of its own is open.
  void TakeHandedTicket(const std::optional<std::string>& ticketFile);

  // Runs when the window is activated from another non-modal window of the program: at start
  // and when the import window closes. Not on returning from a modal window or another program.
  void FormActivate();

  // The windows behind "&Neu/Bearbeiten" and "WWW &Import", each shown modally by the function
  // given. Until one is set, its button stays disabled.
  void SetTicketEditor(std::function<void()> showModal);
  void SetDownloadWindow(std::function<void()> showModal);

  // A tab of the program's own after the three the window always had; the window owns it.
  void AddPage(QWidget* page, const QString& caption);

  const Ticket& ticket() const { return ticket_; }
  const StoredDraws& storedDraws() const { return draws_; }

 signals:
  // "&Beenden" asks the program to end once the current event is done.
  void endRequested();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateControls();
  void ConnectHandlers();

  void FormCreate();
  void FormShow();
  void FormDestroy();
  void Button1Click();
  void Button2Click();
  // Adds a ticket that was loaded to the household's list in ZW.INI.
  void RememberLoadedTicket(const std::string& path);
  void Button3Click();
  void Button4Click();
  void Button5Click();
  void Button7Click();
  void Label26Click();

  // "&Schein laden" once the file is chosen: the ticket file read into the current ticket and
  // shown. Throws the load's failure, the ticket then cleared.
  void OpenTicket(const std::string& path);
  // OpenTicket for a file named from outside, UTF-8 (the command line, a second start): a file
  // that cannot be read is refused in the words of the term check ("Schein »x.sch«: Datei fehlt").
  void OpenOutsideTicket(const std::string& utf8Path);
  void OpenHandedTicket(const std::optional<std::string>& ticketFile);

  // The current ticket as today's check plays it, and the date of the drawing shown.
  TicketPlay TodaysPlay() const;
  std::optional<Date> ShownDrawDate() const;

  void ShowTicket(const Ticket& ticket);
  void ClearTicketDisplay(bool resetTicket);
  void ShowDrawDay();
  // ShowDrawDay's storing at the end of the program, once, whichever way it ends.
  void StoreDrawingForEnd();
  // False when ZW.INI is a folder, a device or a file too large to read: no save can replace it.
  bool SettingsFileReplaceable() const;
  void ShowDrawResult(const DrawResult& draw);
  void ShowSaturday(const DrawResult& draw);
  void SetDrawCaption(DrawDay day);
  void LoadSettings();
  void SaveSettings();
  int CurrentYear() const;

  // Connects a button's click to a handler that no exception leaves.
  void OnClick(QPushButton* button, void (TForm1::*handler)());

  SettingsFile settings_;
  Platform& platform_;
  const Clock& clock_;
  Ticket ticket_;
  StoredDraws draws_;
  DrawDay shownDay_ = DrawDay::Saturday;  // the day whose drawing stands in the draw fields
  // "Schein" of a ticket that LoadSettings could not read: saved again in its place.
  std::string rememberedTicketPath_;
  bool drawingStoredForEnd_ = false;
  bool endSaveReported_ = false;  // "&Beenden" reported that ZW.INI cannot be replaced
  std::function<void()> showTicketEditor_;
  std::function<void()> showDownloadWindow_;

  QPushButton* Button1 = nullptr;  // "&Beenden"
  QTabWidget* PageControl1 = nullptr;
  QWidget* TabSheet1 = nullptr;  // "Spielschein"
  QWidget* TabSheet2 = nullptr;  // "Zahlen"
  QWidget* TabSheet3 = nullptr;  // "Programminfos"

  QGroupBox* GroupBox1 = nullptr;                 // "Spielschein"
  std::array<QLabel*, kGameCount> gameLabels_{};  // Label1..Label12, "Spiel 01:".."Spiel 12:"
  QLabel* Label13 = nullptr;                      // "Spiel77:"
  QLabel* Label14 = nullptr;                      // "Super6 :"
  QLabel* Label17 = nullptr;                      // "Ablauf :"
  QPushButton* Button2 = nullptr;                 // "&Schein laden"
  QPushButton* Button4 = nullptr;                 // "&Neu/Bearbeiten"

  QGroupBox* GroupBox2 = nullptr;  // "Aktuelle Zahlen (Samstag, den ...)"
  // Edit1..Edit7 and Edit10: the drawing's eight numbers in record order (the six drawn
  // numbers, the Zusatzzahl, the Superzahl).
  std::array<QLineEdit*, kDrawNumberCount> numberEdits_{};
  QLineEdit* Edit8 = nullptr;       // Spiel 77
  QLineEdit* Edit9 = nullptr;       // Super 6
  QPushButton* Button7 = nullptr;   // "Mittwoch anzeigen" / "Samstag anzeigen"
  QPushButton* Button3 = nullptr;   // "&Zahlen vergleichen", the default button
  QPushButton* Button5 = nullptr;   // "WWW &Import"
  QPlainTextEdit* Memo1 = nullptr;  // the report

  QLabel* Label28 = nullptr;     // "Kreuzwart v1.26"
  LinkLabel* Label26 = nullptr;  // the link to the lottery's home page
};

}  // namespace kw
