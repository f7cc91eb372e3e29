#include "webimport/web_browser.h"

#include <QLocale>
#include <QProcess>
#include <QTimer>
#include <memory>

#include "webimport/browser_report.h"

namespace kw {

WebBrowser::WebBrowser(QString helperProgram, std::chrono::milliseconds timeLimit, QObject* parent)
    : QObject(parent), helperProgram_(std::move(helperProgram)), timeLimit_(timeLimit) {}

void WebBrowser::Navigate(const QString& address) {
  auto* process = new QProcess(this);
  process->setProgram(helperProgram_);
  process->setArguments({address});
  process->setStandardErrorFile(QProcess::nullDevice());  // the engine's own chatter
  auto output = std::make_shared<QByteArray>();
  auto tooLarge = std::make_shared<bool>(false);
  auto timedOut = std::make_shared<bool>(false);
  auto* limit = new QTimer(process);
  limit->setSingleShot(true);
  connect(limit, &QTimer::timeout, process, [process, timedOut] {
    *timedOut = true;
    process->kill();
  });
  ++running_;

  connect(process, &QProcess::readyReadStandardOutput, this, [process, output, tooLarge] {
    output->append(process->readAllStandardOutput());
    if (output->size() > kMaxPageBytes && !*tooLarge) {
      *tooLarge = true;
      output->clear();
      process->kill();
    }
  });
  connect(process, &QProcess::finished, this,
          [this, process, output, tooLarge, timedOut, limit](int, QProcess::ExitStatus status) {
            --running_;
            limit->stop();
            process->deleteLater();
            output->append(process->readAllStandardOutput());
            if (*timedOut) {
              emit navigateError(
                  QStringLiteral("der Browser hat nicht innerhalb von %1 Sekunden geantwortet")
                      .arg(QLocale(QLocale::German).toString(
                          static_cast<double>(timeLimit_.count()) / 1000.0)));
              return;
            }
            if (*tooLarge) {
              emit navigateError(
                  QStringLiteral("die Seite ist gr\u00F6\u00DFer als %1 MB").arg(kMaxPageBytes >> 20));
              return;
            }
            if (status == QProcess::CrashExit) {
              emit navigateError(QStringLiteral("der Browser ist unerwartet beendet worden"));
              return;
            }
            const BrowserReport::Outcome outcome = BrowserReport::Parse(*output);
            if (outcome.kind == BrowserReport::Outcome::Kind::Complete) {
              emit documentComplete(outcome.address, outcome.bodyUtf8);
            } else {
              emit navigateError(outcome.reason);
            }
          });
  connect(process, &QProcess::errorOccurred, this, [this, process](QProcess::ProcessError error) {
    if (error != QProcess::FailedToStart) return;  // every other failure still ends in finished
    --running_;
    process->deleteLater();
    emit browserMissing(helperProgram_);
  });
  process->start(QIODevice::ReadOnly);
  limit->start(timeLimit_);
}

}  // namespace kw
