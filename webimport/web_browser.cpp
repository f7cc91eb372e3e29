#include "webimport/web_browser.h"

#include <QProcess>
#include <memory>

#include "webimport/browser_report.h"

namespace kw {

WebBrowser::WebBrowser(QString helperProgram, QObject* parent)
    : QObject(parent), helperProgram_(std::move(helperProgram)) {}

void WebBrowser::Navigate(const QString& address) {
  auto* process = new QProcess(this);
  process->setProgram(helperProgram_);
  process->setArguments({address});
  process->setStandardErrorFile(QProcess::nullDevice());  // the engine's own chatter
  auto output = std::make_shared<QByteArray>();
  auto tooLarge = std::make_shared<bool>(false);
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
          [this, process, output, tooLarge](int, QProcess::ExitStatus status) {
            --running_;
            process->deleteLater();
            output->append(process->readAllStandardOutput());
            if (*tooLarge) {
              emit navigateError(QStringLiteral("page larger than %1 MB").arg(kMaxPageBytes >> 20));
              return;
            }
            if (status == QProcess::CrashExit) {
              emit navigateError(QStringLiteral("the browser ended unexpectedly"));
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
}

}  // namespace kw
