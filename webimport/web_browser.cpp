#include "webimport/web_browser.h"

#include <QNetworkAccessManager>
#include <QProcess>
#include <QTimer>
#include <memory>

#include "webimport/network_page.h"

namespace kw {

WebBrowser::WebBrowser(QString helperProgram, std::chrono::milliseconds timeLimit,
                       qsizetype maxPageBytes, QObject* parent)
    : QObject(parent),
      helperProgram_(std::move(helperProgram)),
      timeLimit_(timeLimit),
      maxPageBytes_(maxPageBytes) {}

void WebBrowser::Navigate(const QString& address) {
  ++running_;
  if (helperProgram_.isEmpty()) {
    NavigateOverNetwork(address);
  } else {
    NavigateWithHelper(address);
  }
}

void WebBrowser::Report(const BrowserReport::Outcome& outcome) {
  --running_;
  if (outcome.kind == BrowserReport::Outcome::Kind::Complete) {
    emit documentComplete(outcome.address, outcome.bodyUtf8);
  } else {
    emit navigateError(outcome.reason);
  }
}

void WebBrowser::NavigateOverNetwork(const QString& address) {
  if (!network_) network_ = new QNetworkAccessManager(this);
  LoadPage(*network_, address, timeLimit_, maxPageBytes_, this,
           [this](const BrowserReport::Outcome& outcome) { Report(outcome); });
}

void WebBrowser::NavigateWithHelper(const QString& address) {
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

  connect(process, &QProcess::readyReadStandardOutput, this, [this, process, output, tooLarge] {
    output->append(process->readAllStandardOutput());
    if (output->size() > maxPageBytes_ && !*tooLarge) {
      *tooLarge = true;
      output->clear();
      process->kill();
    }
  });
  connect(process, &QProcess::finished, this,
          [this, process, output, tooLarge, timedOut, limit](int, QProcess::ExitStatus status) {
            using BrowserReport::Outcome;
            limit->stop();
            process->deleteLater();
            output->append(process->readAllStandardOutput());
            if (*timedOut) {
              Report(Outcome::Failed(
                  QStringLiteral("der Browser hat nicht innerhalb von %1 Sekunden geantwortet")
                      .arg(BrowserReport::SecondsText(timeLimit_))));
            } else if (*tooLarge) {
              Report(Outcome::Failed(BrowserReport::TooLargeReason(maxPageBytes_)));
            } else if (status == QProcess::CrashExit) {
              Report(Outcome::Failed(QStringLiteral("der Browser ist unerwartet beendet worden")));
            } else {
              Report(BrowserReport::Parse(*output));
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
