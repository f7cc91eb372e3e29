#pragma once

// The download window run as the main window runs it, against a server on 127.0.0.1: what the
// tests of both ways of loading the page share.

#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/support/fake_platform.h"
#include "tests/support/find_control.h"
#include "tests/support/local_http_server.h"
#include "webimport/download_window.h"

namespace kw::test {

inline const QByteArray kResultsPath = "/subnav/gewinnzahlen-quoten/index.html";
inline constexpr int kDownloadTimeoutMs = 20'000;  // an upper bound only: a load takes a second

inline const QString kPrompt = QString::fromUtf8(
    "Es mu\u00df eine Internet-Verbindung bestehen, damit die aktuellen Zahlen geladen werden "
    "k\u00f6nnen ! Sie k\u00f6nnen jetzt eine Verbindung herstellen. Klicken Sie OK sobald eine "
    "Verbindung besteht.");
inline const QString kUnreachable = QStringLiteral(
    "Die Internet Seite ist nicht erreichbar. Stellen Sie sicher, dass eine Internet Verbindung "
    "besteht und versuchen Sie es noch einmal. Sollten weiterhin Probleme bestehen, kontaktieren "
    "Sie mich bitte.");
inline const QString kStarted = QStringLiteral("Verbinde mit Server und starte Download ...");

class DownloadRun {
  QTemporaryDir dir_;  // first: the members below live in it

 public:
  DownloadRun() {
    QVERIFY(dir_.isValid());
    QVERIFY(server.listening());
  }

  TWWWDownload& Make(DownloadSetup setup) {
    window = std::make_unique<TWWWDownload>(std::move(setup), platform);
    QObject::connect(window.get(), &TWWWDownload::pageSaved, [this] { ++importShown; });
    return *window;
  }

  // Shows the window as the main window does and waits until it has closed by itself.
  void RunDownload() {
    window->show();
    QTRY_VERIFY_WITH_TIMEOUT(!window->isVisible(), kDownloadTimeoutMs);
  }

  QStringList Log() const {
    return FindControl<QPlainTextEdit>(window.get(), QStringLiteral("Memo1"))
        ->toPlainText()
        .split(u'\n');
  }
  std::filesystem::path TempFile() const { return directory / "lotto.tmp"; }
  std::string TempFileBytes() const {
    std::ifstream in(TempFile(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  LocalHttpServer server;
  FakePlatform platform;
  std::filesystem::path directory{dir_.path().toStdString()};
  std::unique_ptr<TWWWDownload> window;
  int importShown = 0;
};

}  // namespace kw::test
