// kreuzwart-browser: loads one address in a hidden Qt WebEngine page and reports on standard
// output how the navigation ended. Kreuzwart starts it for each download, so that the engine is
// never part of the program itself: it costs as much start time and memory as the whole rest of
// the program, and all of that is returned when this process ends.
//
// Usage: kreuzwart-browser URL
// Report: "complete <final address>\n" followed by the body markup (UTF-8) of the page after its
// own scripts have run, or "error <reason>\n" when the navigation failed (the server could not be
// reached, it answered with an error status, or nothing came within the time limit).
#include <unistd.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QTimer>
#include <QUrl>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <cstdio>

#include "webimport/browser_report.h"

namespace {

constexpr int kTimeLimitMs = 60'000;

// The reason of a failed load in German: the engine's own texts are English. Its number stays,
// for whoever looks further.
QString FailureText(const QWebEngineLoadingInfo& info) {
  const int code = info.errorCode();
  switch (info.errorDomain()) {
    case QWebEngineLoadingInfo::HttpStatusCodeDomain:
      return QStringLiteral("HTTP-Status %1").arg(code);
    case QWebEngineLoadingInfo::ConnectionErrorDomain:
      return QStringLiteral("keine Verbindung zum Server (Fehler %1)").arg(code);
    case QWebEngineLoadingInfo::DnsErrorDomain:
      return QStringLiteral("der Name des Servers ist unbekannt (Fehler %1)").arg(code);
    case QWebEngineLoadingInfo::CertificateErrorDomain:
      return QStringLiteral("das Zertifikat des Servers ist nicht g\u00FCltig (Fehler %1)").arg(code);
    case QWebEngineLoadingInfo::HttpErrorDomain:
      return QStringLiteral("die Antwort des Servers ist kein g\u00FCltiges HTTP (Fehler %1)")
          .arg(code);
    default:
      return QStringLiteral("die Seite konnte nicht geladen werden (Fehler %1)").arg(code);
  }
}

void Report(const QByteArray& bytes) {
  std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char* argv[]) {
  // Nothing is ever shown: no display is needed.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // The engine's sandbox refuses to run for the superuser.
  if (::geteuid() == 0) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  // One page, nothing else: no update checks or other traffic of the engine's own.
  qputenv("QTWEBENGINE_CHROMIUM_FLAGS",
          "--disable-background-networking --disable-component-update --no-first-run");
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QGuiApplication app(argc, argv);

  const QStringList arguments = QCoreApplication::arguments();
  if (arguments.size() != 2) {
    std::fputs("Aufruf: kreuzwart-browser URL\n", stderr);
    return 2;
  }

  // Off the record: no cache, cookies or history on disk, so every download loads anew.
  QWebEngineProfile profile;
  QWebEnginePage page(&profile);
  bool reported = false;
  auto reportOnce = [&](const QByteArray& report) {
    if (reported) return;
    reported = true;
    Report(report);
    app.exit(0);
  };

  // The reason of a failure comes with the loading state, which the engine may deliver after
  // loadFinished: a failed load waits a moment for it before it reports without one.
  QObject::connect(&page, &QWebEnginePage::loadingChanged, [&](const QWebEngineLoadingInfo& info) {
    if (info.status() != QWebEngineLoadingInfo::LoadFailedStatus) return;
    reportOnce(kw::BrowserReport::Error(FailureText(info)));
  });
  QObject::connect(&page, &QWebEnginePage::loadFinished, [&](bool ok) {
    if (!ok) {
      QTimer::singleShot(
          1000, &app, [&] {
            reportOnce(kw::BrowserReport::Error(
                QStringLiteral("die Seite konnte nicht geladen werden")));
          });
      return;
    }
    const QUrl finalUrl = page.url();
    page.runJavaScript(
        QStringLiteral("document.body ? document.body.outerHTML : ''"),
        [&reportOnce, finalUrl](const QVariant& body) {
          reportOnce(kw::BrowserReport::Complete(finalUrl, body.toString().toUtf8()));
        });
  });
  QTimer::singleShot(kTimeLimitMs, &app, [&] {
    reportOnce(kw::BrowserReport::Error(
        QStringLiteral("keine Antwort innerhalb von %1 Sekunden").arg(kTimeLimitMs / 1000)));
  });

  page.load(QUrl(arguments.at(1), QUrl::StrictMode));
  return app.exec();
}
