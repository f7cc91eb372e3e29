#include "webimport/download_window.h"

#include <QPlainTextEdit>
#include <QTimer>

#include "core/cp1252.h"
#include "core/error.h"
#include "core/file_io.h"
#include "ui/controls.h"
#include "ui/platform.h"
#include "webimport/page_markup.h"
#include "webimport/web_browser.h"

namespace kw {

namespace {

const QString kConnectionPrompt = QStringLiteral(
    "Es mu\u00df eine Internet-Verbindung bestehen, damit die aktuellen Zahlen geladen werden "
    "k\u00f6nnen ! Sie k\u00f6nnen jetzt eine Verbindung herstellen. Klicken Sie OK sobald eine "
    "Verbindung besteht.");
const QString kUnreachable = QStringLiteral(
    "Die Internet Seite ist nicht erreichbar. Stellen Sie sicher, dass eine Internet Verbindung "
    "besteht und versuchen Sie es noch einmal. Sollten weiterhin Probleme bestehen, kontaktieren "
    "Sie mich bitte.");

}  // namespace

TWWWDownload::TWWWDownload(DownloadSetup setup, Platform& platform, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      setup_(std::move(setup)),
      platform_(platform) {
  setObjectName(QStringLiteral("TWWWDownload"));
  setWindowTitle(QStringLiteral("WWW Download"));
  setFont(WindowFont());
  setFixedSize(218, 105);
  setSizeGripEnabled(false);

  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setAccessibleName(QStringLiteral("Fortschritt"));
  Memo1->setGeometry(0, 0, 217, 105);
  Memo1->setReadOnly(true);

  WebBrowser1 =
      new WebBrowser(setup_.browserProgram, setup_.browserTimeLimit, setup_.maxPageBytes, this);
  WebBrowser1->setObjectName(QStringLiteral("WebBrowser1"));
  connect(WebBrowser1, &WebBrowser::documentComplete, this,
          [this](const QString& address, const QByteArray& body) {
            RunHandler(platform_, [&] { WebBrowser1DocumentComplete(address, body); });
          });
  connect(WebBrowser1, &WebBrowser::navigateError, this, [this](const QString& reason) {
    RunHandler(platform_, [&] { WebBrowser1NavigateError(reason); });
  });
  connect(WebBrowser1, &WebBrowser::browserMissing, this, [this](const QString& program) {
    RunHandler(platform_, [&] { BrowserMissing(program); });
  });
}

void TWWWDownload::ShowModal() {
  CentreOnScreen(this);
  exec();
}

void TWWWDownload::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // The connection prompt comes once the window stands on the screen.
  QTimer::singleShot(0, this, [this] { RunHandler(platform_, [this] { FormShow(); }); });
}

void TWWWDownload::FormShow() {
  Memo1->clear();
  platform_.ShowMessage(MessageKind::Plain, kConnectionPrompt);
  Memo1->appendPlainText(QStringLiteral("Verbinde mit Server und starte Download ..."));
  WebBrowser1->Navigate(setup_.resultsPageUrl);
}

void TWWWDownload::WebBrowser1DocumentComplete(const QString& address, const QByteArray& bodyUtf8) {
  // Only the requested page itself counts: a redirect to any other address, even one that
  // differs in letter case or a trailing slash, brings no data.
  if (address != setup_.resultsPageUrl) {
    platform_.ShowMessage(MessageKind::Plain, QStringLiteral("Keine Daten bekommen !"));
    close();
    return;
  }
  try {
    ReplaceFileAtomically(setup_.directory / kTempFileName,
                          ScraperMarkup(std::string_view(
                              bodyUtf8.constData(), static_cast<std::size_t>(bodyUtf8.size()))));
  } catch (const Error& failure) {
    // Nothing to import: say why and let the user try again.
    ShowException(platform_, failure);
    close();
    return;
  }
  emit pageSaved();
  close();
}

void TWWWDownload::WebBrowser1NavigateError(const QString& reason) {
  Memo1->appendPlainText(QStringLiteral("gescheitert"));
  // Why, as the browser says it: for whoever looks into a download that keeps failing.
  if (!reason.isEmpty()) Memo1->appendPlainText(reason);
  platform_.ShowMessage(MessageKind::Plain, kUnreachable);
  close();
}

void TWWWDownload::BrowserMissing(const QString& program) {
  Memo1->appendPlainText(QStringLiteral("gescheitert"));
  ShowException(platform_, Error("Die Browser-Komponente kann nicht gestartet werden: " +
                                 Utf8ToCp1252Lossy(program.toStdString())));
  close();
}

}  // namespace kw
