#include "webimport/import_window.h"

#include <QPlainTextEdit>
#include <QShowEvent>
#include <QTimer>

#include "qtedge/cp1252_text.h"
#include "ui/controls.h"
#include "ui/platform.h"

namespace kw {

namespace {

constexpr std::chrono::milliseconds kClosePoll{10};
constexpr std::chrono::milliseconds kRunDelay{1000};

}  // namespace

TImport::TImport(ImportFiles files, Platform& platform, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      files_(std::move(files)),
      platform_(platform) {
  setObjectName(QStringLiteral("TImport"));
  setWindowTitle(QStringLiteral("Import"));
  setFont(WindowFont());
  setFixedSize(233, 122);

  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setAccessibleName(QStringLiteral("Fortschritt"));
  Memo1->setGeometry(0, 0, 233, 121);
  Memo1->setReadOnly(true);
  Memo1->setTabChangesFocus(true);

  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setInterval(kClosePoll);
  connect(Timer1, &QTimer::timeout, this, &TImport::Timer1Timer);

  Timer2 = new QTimer(this);
  Timer2->setObjectName(QStringLiteral("Timer2"));
  Timer2->setInterval(kRunDelay);
  connect(Timer2, &QTimer::timeout, this, &TImport::Timer2Timer);
}

void TImport::SetRunDelay(std::chrono::milliseconds delay) { Timer2->setInterval(delay); }

void TImport::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // Coming back from the taskbar is no new showing.
  if (event->spontaneous()) return;
  CentreOnScreen(this);
  FormShow();
}

void TImport::FormShow() {
  ImportDone = false;
  Timer2->start();
  // The close poll runs only while an import is pending, not for the whole run of the program.
  Timer1->start();
  Memo1->clear();
  AppendLog("Preprocessing ...");
}

void TImport::Timer2Timer() {
  ImportDone = false;
  Timer2->stop();  // the message boxes of the run must not start a second one
  bool imported = false;
  const ImportReport report{[this](std::string_view line) { AppendLog(line); },
                            [this](std::string_view text) {
                              platform_.ShowMessage(MessageKind::Plain, FromCp1252(text));
                            },
                            [this] { emit endRequested(); }};
  // A ZW.INI that cannot be written reaches the general error box here.
  RunHandler(platform_, [&] { imported = ScrapeResults(files_, report); });
  if (imported) {
    ImportDone = true;
    return;
  }
  // Failed: the program ends, or after a write failure goes on without the window.
  Timer1->stop();
  hide();
}

void TImport::Timer1Timer() {
  if (!ImportDone) return;
  Timer1->stop();
  hide();
  emit importClosed();
}

void TImport::AppendLog(std::string_view line) { Memo1->appendPlainText(FromCp1252(line)); }

}  // namespace kw
