#pragma once

#include <QWidget>
#include <chrono>

#include "webimport/scraper.h"

class QPlainTextEdit;
class QShowEvent;
class QTimer;

namespace kw {

class Platform;

// The import window: a small log that, one second after each showing, turns the saved results
// page (lotto.tmp) into the two stored drawings of ZW.INI, then closes itself. Created hidden
// at start; the download window shows it, not modally, once lotto.tmp has been written.
class TImport : public QWidget {
  Q_OBJECT

 public:
  TImport(ImportFiles files, Platform& platform, QWidget* parent = nullptr);

  // Set once a run has imported and its message has been confirmed; cleared by the next
  // showing and at the start of each run.
  bool importDone() const { return ImportDone; }

  // The delay between the showing and the run: one second in the program. Tests shorten it.
  void SetRunDelay(std::chrono::milliseconds delay);

 signals:
  // The window has closed after a successful import: the main window takes the new drawings.
  void importClosed();
  // A failed import asks the program to end once the current event is done.
  void endRequested();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormShow();
  void Timer1Timer();
  void Timer2Timer();
  void AppendLog(std::string_view line);

  ImportFiles files_;
  Platform& platform_;
  bool ImportDone = false;

  QPlainTextEdit* Memo1 = nullptr;  // the progress log
  QTimer* Timer1 = nullptr;         // every 10 ms: closes the window once ImportDone is set
  QTimer* Timer2 = nullptr;         // one-shot delay before the run
};

}  // namespace kw
