// The download window with the real browser helper against a page served on 127.0.0.1.
#include "webimport/download_window.h"

#include <QPlainTextEdit>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "qtedge/addresses.h"
#include "tests/webimport/download_run.h"
#include "webimport/web_browser.h"

using namespace Qt::StringLiterals;

namespace kw::test {
namespace {

// Lower-case tags, a raw U+00A0 as well as the entity, a number written in by the page's own
// script, and characters beyond Windows-1252.
const QByteArray kPage =
    "<!DOCTYPE html><html><head><meta charset=\"utf-8\"></head><body>\n"
    "<p>Ziehung Samstag 06.12.2026</p><p>3&nbsp;|12\xC2\xA0|<span id=\"n\"></span>&nbsp;|</p>\n"
    "<p>Gr\xC3\xBC\xC3\x9F"
    "e \xE2\x82\xAC \xE2\x99\xA5</p>\n"
    "<script>document.getElementById('n').textContent = '25';</script>\n"
    "</body></html>";

class DownloadFixture : public DownloadRun {
 public:
  DownloadFixture() { server.Route(kResultsPath, {200, kPage, {}}); }

  // A download window for the results page at path (on the test server unless url is given).
  TWWWDownload& Window(QString url = {}) {
    if (url.isEmpty()) url = server.Url(kResultsPath);
    return Make(DownloadSetup{url, directory, QStringLiteral(KREUZWART_BROWSER)});
  }
};

}  // namespace

class DownloadWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void resultsPageUrlOption_data();
  void resultsPageUrlOption();
  void window();
  void pageIsSavedAsTheScraperReadsIt();
  void redirectBringsNoData_data();
  void redirectBringsNoData();
  void unreachablePage_data();
  void unreachablePage();
  void secondDownloadLoadsAnew();
  void closingByHandDoesNotStopTheDownload();
  void tempFileThatCannotBeWritten();
  void missingBrowserProgram();
  void hangingBrowserIsEndedAfterTheLimit();
};

void DownloadWindowTest::resultsPageUrlOption_data() {
  QTest::addColumn<QString>("given");
  QTest::addColumn<QString>("used");  // empty: refused
  QTest::newRow("the default") << kResultsPageURL << kResultsPageURL;
  QTest::newRow("local") << "http://127.0.0.1:8080/subnav/gewinnzahlen-quoten/index.html"
                         << "http://127.0.0.1:8080/subnav/gewinnzahlen-quoten/index.html";
  // As the browser reports the address it ended up at, so that the comparison can match.
  QTest::newRow("normal form") << "HTTP://Mirror.Example/%7Ea%20b.html"
                               << "http://mirror.example/~a%20b.html";
  QTest::newRow("https") << "https://mirror.example/"
                         << "https://mirror.example/";
  QTest::newRow("other scheme") << "ftp://mirror.example/index.html"
                                << "";
  QTest::newRow("file") << "file:///tmp/index.html"
                        << "";
  QTest::newRow("no host") << "http:///index.html"
                           << "";
  QTest::newRow("relative") << "subnav/index.html"
                            << "";
  QTest::newRow("empty") << ""
                         << "";
  QTest::newRow("broken") << "http://[::1/index.html"
                          << "";
}

void DownloadWindowTest::resultsPageUrlOption() {
  QFETCH(QString, given);
  QFETCH(QString, used);
  QCOMPARE(ResultsPageUrlFromOption(given).value_or(QString()), used);
}

void DownloadWindowTest::window() {
  DownloadFixture f;
  TWWWDownload& w = f.Window();
  QCOMPARE(w.objectName(), u"TWWWDownload"_s);
  QCOMPARE(w.windowTitle(), u"WWW Download"_s);
  QCOMPARE(w.size(), QSize(218, 105));
  QVERIFY(w.windowFlags() & Qt::Tool);
  QVERIFY(!(w.windowFlags() & Qt::WindowMaximizeButtonHint));
  QVERIFY(w.findChild<QPlainTextEdit*>(QStringLiteral("Memo1")));
  QVERIFY(w.findChild<WebBrowser*>(QStringLiteral("WebBrowser1")));
  QVERIFY(!w.isVisible());
}

void DownloadWindowTest::pageIsSavedAsTheScraperReadsIt() {
  DownloadFixture f;
  f.Window();
  f.RunDownload();

  QCOMPARE(f.platform.texts(), QStringList{kPrompt});
  QCOMPARE(f.Log(), QStringList{u"Verbinde mit Server und starte Download ..."_s});
  QCOMPARE(f.importShown, 1);
  const std::string saved = f.TempFileBytes();
  QVERIFY2(saved.starts_with("<BODY>"), saved.c_str());
  // The script's number is in, blanks are entities, text is Windows-1252.
  QVERIFY2(saved.find("<P>Ziehung Samstag 06.12.2026</P><P>3&nbsp;|12&nbsp;|<SPAN id=\"n\">25"
                      "</SPAN>&nbsp;|</P>") != std::string::npos,
           saved.c_str());
  QVERIFY(saved.find("<P>Gr\xFC\xDF"
                     "e \x80 ?</P>") != std::string::npos);
  QVERIFY(saved.find("<p>") == std::string::npos);
}

void DownloadWindowTest::redirectBringsNoData_data() {
  QTest::addColumn<QByteArray>("target");
  QTest::newRow("elsewhere") << QByteArray("/elsewhere.html");
  QTest::newRow("letter case") << QByteArray("/subnav/gewinnzahlen-quoten/Index.html");
  QTest::newRow("trailing slash") << QByteArray("/subnav/gewinnzahlen-quoten/index.html/");
}

void DownloadWindowTest::redirectBringsNoData() {
  QFETCH(QByteArray, target);
  DownloadFixture f;
  f.server.Route(kResultsPath, {302, {}, target});
  f.server.Route(target, {200, kPage, {}});
  f.Window();
  f.RunDownload();

  QCOMPARE(f.server.Requests(target), 1);
  QCOMPARE(f.platform.texts(), (QStringList{kPrompt, u"Keine Daten bekommen !"_s}));
  QCOMPARE(f.importShown, 0);
  QVERIFY(!std::filesystem::exists(f.TempFile()));
}

void DownloadWindowTest::unreachablePage_data() {
  QTest::addColumn<bool>("closedPort");
  QTest::newRow("404") << false;
  QTest::newRow("closed port") << true;
}

void DownloadWindowTest::unreachablePage() {
  QFETCH(bool, closedPort);
  DownloadFixture f;
  QString url;
  if (closedPort) {
    QTcpServer closed;
    QVERIFY(closed.listen(QHostAddress::LocalHost, 0));
    url = QStringLiteral("http://127.0.0.1:%1%2")
              .arg(closed.serverPort())
              .arg(QString::fromLatin1(kResultsPath));
  } else {
    f.server.Route(kResultsPath, {404, "<html><body><p>Fehlt</p></body></html>", {}});
  }
  f.Window(url);
  f.RunDownload();

  QCOMPARE(f.platform.texts(), (QStringList{kPrompt, kUnreachable}));
  // Below "gescheitert" the browser's reason, for whoever looks into a failing import.
  const QStringList log = f.Log();
  QCOMPARE(log.size(), 3);
  QCOMPARE(log.mid(0, 2),
           (QStringList{u"Verbinde mit Server und starte Download ..."_s, u"gescheitert"_s}));
  if (closedPort) {
    QVERIFY2(log[2].startsWith(u"keine Verbindung zum Server (Fehler -"_s), qPrintable(log[2]));
  } else {
    QCOMPARE(log[2], u"HTTP-Status 404"_s);
  }
  QCOMPARE(f.importShown, 0);
  QVERIFY(!std::filesystem::exists(f.TempFile()));
}

// A helper that hangs before it could start its own time limit, here a script that only sleeps,
// is ended after the program's limit, and the download fails as when the page is unreachable.
void DownloadWindowTest::hangingBrowserIsEndedAfterTheLimit() {
  DownloadFixture f;
  const std::filesystem::path helper = f.directory / "hanging-browser";
  std::ofstream(helper) << "#!/bin/sh\nexec sleep 600\n";
  std::filesystem::permissions(helper, std::filesystem::perms::owner_all);
  f.Make(DownloadSetup{f.server.Url(kResultsPath), f.directory,
                       QString::fromStdString(helper.string()), std::chrono::milliseconds(300)});
  f.RunDownload();

  QCOMPARE(f.platform.texts(), (QStringList{kPrompt, kUnreachable}));
  QCOMPARE(f.Log(), (QStringList{u"Verbinde mit Server und starte Download ..."_s, u"gescheitert"_s,
                                 u"der Browser hat nicht innerhalb von 0,3 Sekunden geantwortet"_s}));
  QCOMPARE(f.window->findChild<WebBrowser*>(QStringLiteral("WebBrowser1"))->running(), 0);
  QCOMPARE(f.importShown, 0);
  QVERIFY(!std::filesystem::exists(f.TempFile()));
}

void DownloadWindowTest::secondDownloadLoadsAnew() {
  DownloadFixture f;
  f.Window();
  f.RunDownload();
  QVERIFY(f.TempFileBytes().find("Samstag 06.12.2026") != std::string::npos);
  std::filesystem::remove(f.TempFile());  // the import removes it

  QByteArray changed = kPage;
  changed.replace("06.12.2026", "13.12.2026");
  f.server.Route(kResultsPath, {200, changed, {}});
  f.platform.messages.clear();
  f.RunDownload();

  QCOMPARE(f.server.Requests(kResultsPath), 2);
  QCOMPARE(f.platform.texts(), QStringList{kPrompt});
  QCOMPARE(f.Log(), QStringList{u"Verbinde mit Server und starte Download ..."_s});
  QCOMPARE(f.importShown, 2);
  QVERIFY(f.TempFileBytes().find("Samstag 13.12.2026") != std::string::npos);
}

void DownloadWindowTest::closingByHandDoesNotStopTheDownload() {
  DownloadFixture f;
  TWWWDownload& w = f.Window();
  w.show();
  QTRY_COMPARE(f.platform.messages.size(), std::size_t{1});  // the prompt: navigation started
  w.close();
  auto* browser = w.findChild<WebBrowser*>(QStringLiteral("WebBrowser1"));
  QTRY_COMPARE_WITH_TIMEOUT(browser->running(), 0, kDownloadTimeoutMs);

  QCOMPARE(f.importShown, 1);
  QVERIFY(std::filesystem::exists(f.TempFile()));
  QVERIFY(!w.isVisible());
}

void DownloadWindowTest::tempFileThatCannotBeWritten() {
  DownloadFixture f;
  // A folder where lotto.tmp should be written: it cannot be replaced by a file.
  std::filesystem::create_directory(f.TempFile());
  f.Window();
  f.RunDownload();

  QCOMPARE(f.platform.messages.size(), std::size_t{2});
  QCOMPARE(f.platform.messages[1].kind, MessageKind::Error);
  QCOMPARE(f.platform.messages[1].text,
           u"Unable to write to "_s + QString::fromStdString(f.TempFile().string()) + u"."_s);
  QCOMPARE(f.importShown, 0);
  QVERIFY(std::filesystem::is_directory(f.TempFile()));
}

void DownloadWindowTest::missingBrowserProgram() {
  DownloadFixture f;
  f.Make(DownloadSetup{f.server.Url(kResultsPath), f.directory,
                       QString::fromStdString((f.directory / "no-such-browser").string())});
  f.RunDownload();

  QCOMPARE(f.platform.messages.size(), std::size_t{2});
  QCOMPARE(f.platform.messages[1].kind, MessageKind::Error);
  QVERIFY2(f.platform.messages[1].text.startsWith(
               u"Die Browser-Komponente kann nicht gestartet werden: "_s),
           qPrintable(f.platform.messages[1].text));
  QCOMPARE(f.server.Requests(kResultsPath), 0);
  QCOMPARE(f.importShown, 0);
}

}  // namespace kw::test

QTEST_MAIN(kw::test::DownloadWindowTest)
#include "download_window_test.moc"
