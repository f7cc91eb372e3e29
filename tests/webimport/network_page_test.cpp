// The download window without a browser helper, as on Windows: the page over Qt Network from a
// server on 127.0.0.1. Needs no kreuzwart-browser, so it runs wherever the program does.
#include <QNetworkAccessManager>
#include <QPlainTextEdit>
#include <QSslConfiguration>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

#include "tests/service/tls_certificates.h"
#include "tests/support/fake_platform.h"
#include "tests/support/find_control.h"
#include "tests/support/local_http_server.h"
#include "webimport/download_window.h"
#include "webimport/web_browser.h"

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace kw::test {
namespace {

const QByteArray kResultsPath = "/subnav/gewinnzahlen-quoten/index.html";
constexpr int kDownloadTimeoutMs = 20'000;  // an upper bound only

const QString kPrompt = QString::fromUtf8(
    "Es mu\u00df eine Internet-Verbindung bestehen, damit die aktuellen Zahlen geladen werden "
    "k\u00f6nnen ! Sie k\u00f6nnen jetzt eine Verbindung herstellen. Klicken Sie OK sobald eine "
    "Verbindung besteht.");
const QString kUnreachable = QStringLiteral(
    "Die Internet Seite ist nicht erreichbar. Stellen Sie sicher, dass eine Internet Verbindung "
    "besteht und versuchen Sie es noch einmal. Sollten weiterhin Probleme bestehen, kontaktieren "
    "Sie mich bitte.");
const QString kStarted = u"Verbinde mit Server und starte Download ..."_s;

const QByteArray kPage = "<html><body><p>Ziehung Samstag 06.12.2026</p></body></html>";
const QByteArray kSavedPage = "<BODY><P>Ziehung Samstag 06.12.2026</P></BODY>";

struct NetworkDownload {
  QTemporaryDir dir;  // first: what follows lives in it
  LocalHttpServer server;
  FakePlatform platform;
  std::filesystem::path directory{dir.path().toStdString()};
  std::unique_ptr<TWWWDownload> window;
  int importShown = 0;

  // A download window with no browser helper, for the results page on the server unless url
  // names another.
  TWWWDownload& Window(QString url = {}, std::chrono::milliseconds timeLimit = 10s,
                       qsizetype maxPageBytes = WebBrowser::kMaxPageBytes) {
    if (url.isEmpty()) url = server.Url(kResultsPath);
    window = std::make_unique<TWWWDownload>(
        DownloadSetup{url, directory, QString(), timeLimit, maxPageBytes}, platform);
    QObject::connect(window.get(), &TWWWDownload::pageSaved, [this] { ++importShown; });
    return *window;
  }

  // Shows the window as the main window does and waits until it has closed by itself.
  void Run() {
    window->show();
    QTRY_VERIFY_WITH_TIMEOUT(!window->isVisible(), kDownloadTimeoutMs);
  }

  QStringList Log() const {
    return FindControl<QPlainTextEdit>(window.get(), u"Memo1"_s)->toPlainText().split(u'\n');
  }
  int Running() const { return window->findChild<WebBrowser*>(u"WebBrowser1"_s)->running(); }
  // lotto.tmp, nothing when it was not written.
  std::optional<QByteArray> Saved() const {
    std::ifstream in(directory / "lotto.tmp", std::ios::binary);
    if (!in) return std::nullopt;
    return QByteArray::fromStdString(
        {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()});
  }
};

enum class Failure {
  NotFound,
  ErrorAfterRedirect,
  ClosedPort,
  ClosedAtOnce,
  NoAnswer,
  EndlessRedirect,
  HttpsToHttp,
  UntrustedCertificate,
};

}  // namespace

class NetworkPageTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void pageIsSavedAsTheScraperReadsIt_data();
  void pageIsSavedAsTheScraperReadsIt();
  void redirect_data();
  void redirect();
  void failedDownload_data();
  void failedDownload();
  void pageSizeLimit_data();
  void pageSizeLimit();
  void networkIsMadeAtTheFirstDownloadAndKept();
};

void NetworkPageTest::initTestCase() {
  // The "trusted" certificate is trusted for this test program only.
  QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
  configuration.addCaCertificate(QSslCertificate(kTrustedCertificate));
  QSslConfiguration::setDefaultConfiguration(configuration);
}

void NetworkPageTest::pageIsSavedAsTheScraperReadsIt_data() {
  QTest::addColumn<QByteArray>("contentType");
  QTest::addColumn<QByteArray>("document");
  QTest::addColumn<QByteArray>("saved");
  QTest::newRow("lower-case tags, no-break blanks in every spelling")
      << QByteArray("text/html; charset=utf-8")
      << QByteArray(
             "<!DOCTYPE html><html><head><title>Zahlen</title></head>\r\n"
             "<body class=\"seite\">\r\n<p>Ziehung Samstag 06.12.2026</p>"
             "<p>3&nbsp;|12\xC2\xA0|25&#160;|31&#xa0;|40&nbsp|49&NonBreakingSpace;|</p>"
             "<p>&#1600; &#x0A0B; &amp;nbsp; &nbs</p>\r\n</body>\r\n</html>")
      << QByteArray(
             "<BODY class=\"seite\">\r\n<P>Ziehung Samstag 06.12.2026</P>"
             "<P>3&nbsp;|12&nbsp;|25&nbsp;|31&nbsp;|40&nbsp;|49&nbsp;|</P>"
             "<P>&#1600; &#x0A0B; &amp;nbsp; &nbs</P>\r\n</BODY>");
  QTest::newRow("UTF-8 without a charset, beyond Windows-1252")
      << QByteArray("text/html")
      << QByteArray(
             "<body><p>Gr\xC3\xBC\xC3\x9F"
             "e \xE2\x82\xAC \xE2\x99\xA5</p></body>")
      << QByteArray(
             "<BODY><P>Gr\xFC\xDF"
             "e \x80 ?</P></BODY>");
  QTest::newRow("Windows-1252 by the header") << QByteArray("text/html; charset=windows-1252")
                                              << QByteArray(
                                                     "<body><p>Gr\xFC\xDF"
                                                     "e \x80\xA0</p></body>")
                                              << QByteArray(
                                                     "<BODY><P>Gr\xFC\xDF"
                                                     "e \x80&nbsp;</P></BODY>");
  QTest::newRow("ISO-8859-1 by a meta http-equiv")
      << QByteArray("text/html")
      << QByteArray(
             "<HTML><HEAD><META http-equiv=\"Content-Type\" "
             "content=\"text/html; charset=ISO-8859-1\"></HEAD><BODY><P>Gew\xE4hr</P>"
             "</BODY></HTML>")
      << QByteArray("<BODY><P>Gew\xE4hr</P></BODY>");
  QTest::newRow("Windows-1252 by a meta charset")
      << QByteArray("text/html")
      << QByteArray("<head><meta name=\"x\"><meta charset=windows-1252></head><body>\xFC</body>")
      << QByteArray("<BODY>\xFC</BODY>");
  QTest::newRow("the header before the meta")
      << QByteArray("text/html; charset=UTF-8")
      << QByteArray(
             "<head><meta charset=\"windows-1252\"></head><body>Gr\xC3\xBC\xC3\x9F"
             "e</body>")
      << QByteArray(
             "<BODY>Gr\xFC\xDF"
             "e</BODY>");
  QTest::newRow("a byte order mark before the header")
      << QByteArray("text/html; charset=windows-1252")
      << QByteArray(
             "\xEF\xBB\xBF<body>Gr\xC3\xBC\xC3\x9F"
             "e</body>")
      << QByteArray(
             "<BODY>Gr\xFC\xDF"
             "e</BODY>");
  QTest::newRow("no body tag") << QByteArray("text/html; charset=utf-8")
                               << QByteArray("<p>Ziehung Mittwoch 03.12.2026</p>\n")
                               << QByteArray("<P>Ziehung Mittwoch 03.12.2026</P>\n");
  QTest::newRow("body in capitals, a body in a comment, text after its end")
      << QByteArray("text/html; charset=utf-8")
      << QByteArray(
             "<HTML><!-- <body> nicht hier --><bodyguard>Wache</bodyguard>"
             "<BODY onload=\"los('>')\">x<bodyguard></bodyguard></BODY>\n"
             "<!-- nach dem Ende -->\n</HTML>")
      << QByteArray("<BODY onload=\"los('>')\">x<BODYGUARD></BODYGUARD></BODY>");
  QTest::newRow("a body without its end tag")
      << QByteArray("text/html; charset=utf-8") << QByteArray("<html><body><p>x")
      << QByteArray("<BODY><P>x");
  // The one difference to the helper: the number the script writes in is not there.
  QTest::newRow("the page's own script does not run")
      << QByteArray("text/html; charset=utf-8")
      << QByteArray(
             "<body><p>3&nbsp;|<span id=\"n\"></span>&nbsp;|</p>"
             "<script>document.getElementById('n').textContent = '25';</script></body>")
      << QByteArray(
             "<BODY><P>3&nbsp;|<SPAN id=\"n\"></SPAN>&nbsp;|</P>"
             "<SCRIPT>document.getElementById('n').textContent = '25';</SCRIPT></BODY>");
}

void NetworkPageTest::pageIsSavedAsTheScraperReadsIt() {
  QFETCH(QByteArray, contentType);
  QFETCH(QByteArray, document);
  QFETCH(QByteArray, saved);
  NetworkDownload d;
  d.server.Route(kResultsPath, {200, document, {}, contentType});
  d.Window();
  d.Run();

  QCOMPARE(d.platform.texts(), QStringList{kPrompt});
  QCOMPARE(d.Log(), QStringList{kStarted});
  QCOMPARE(d.importShown, 1);
  QCOMPARE(d.Saved().value_or("(none)"), saved);
}

// Only where the navigation ended counts, as the helper reports it: a redirect that ends at the
// requested address again brings the page, as with the helper.
void NetworkPageTest::redirect_data() {
  QTest::addColumn<QByteArray>("location");  // the results page's first answer
  QTest::addColumn<bool>("saved");
  QTest::newRow("elsewhere") << QByteArray("/elsewhere.html") << false;
  QTest::newRow("back after a detour") << QByteArray("/umweg.html") << true;
  QTest::newRow("to itself") << kResultsPath << true;
}

void NetworkPageTest::redirect() {
  QFETCH(QByteArray, location);
  QFETCH(bool, saved);
  NetworkDownload d;
  const QByteArray moved = "<html><body><p>Umgeleitet</p></body></html>";
  d.server.RouteOnce(kResultsPath, {302, moved, location});
  d.server.Route(kResultsPath, {200, kPage, {}});
  d.server.Route("/umweg.html", {301, moved, d.server.Url(kResultsPath).toLatin1()});
  d.server.Route("/elsewhere.html", {200, kPage, {}});
  d.Window();
  d.Run();

  QCOMPARE(d.server.Requests(location), location == kResultsPath ? 2 : 1);
  if (saved) {
    QCOMPARE(d.platform.texts(), QStringList{kPrompt});
    QCOMPARE(d.Saved().value_or("(none)"), kSavedPage);
  } else {
    QCOMPARE(d.platform.texts(), (QStringList{kPrompt, u"Keine Daten bekommen !"_s}));
    QVERIFY(!d.Saved());
  }
  QCOMPARE(d.importShown, saved ? 1 : 0);
  QCOMPARE(d.Log(), QStringList{kStarted});
}

void NetworkPageTest::failedDownload_data() {
  QTest::addColumn<Failure>("failure");
  QTest::addColumn<QString>("reason");  // %1: the host the failure names
  QTest::newRow("404") << Failure::NotFound << u"HTTP-Status 404"_s;
  QTest::newRow("500 after a redirect") << Failure::ErrorAfterRedirect << u"HTTP-Status 500"_s;
  QTest::newRow("closed port") << Failure::ClosedPort
                               << u"keine Verbindung zu %1: er nimmt keine Verbindung an"_s;
  QTest::newRow("connection closed at once")
      << Failure::ClosedAtOnce
      << u"die Seite von %1 konnte nicht geladen werden: er hat die Verbindung vorzeitig "
         u"beendet"_s;
  QTest::newRow("no answer") << Failure::NoAnswer
                             << u"keine Antwort von %1 innerhalb von 0,3 Sekunden"_s;
  QTest::newRow("redirect without end")
      << Failure::EndlessRedirect
      << u"die Seite von %1 konnte nicht geladen werden: er leitet immer weiter um, ohne dass "
         u"eine Seite kommt"_s;
  QTest::newRow("from https to http")
      << Failure::HttpsToHttp
      << u"die Seite von %1 konnte nicht geladen werden: er leitet auf eine unverschl\u00FCsselte "
         u"Adresse um"_s;
  QTest::newRow("untrusted certificate")
      << Failure::UntrustedCertificate
      << u"keine sichere Verbindung zu %1: sein Zertifikat stammt nicht von einer anerkannten "
         u"Stelle"_s;
}

void NetworkPageTest::failedDownload() {
  QFETCH(Failure, failure);
  QFETCH(QString, reason);
  NetworkDownload d;
  QString url = d.server.Url(kResultsPath);
  std::chrono::milliseconds timeLimit = 10s;
  QTcpServer closing;
  std::optional<LocalHttpServer> tls;
  switch (failure) {
    case Failure::NotFound:
      d.server.Route(kResultsPath, {404, "<html><body><p>Fehlt</p></body></html>", {}});
      break;
    case Failure::ErrorAfterRedirect:
      d.server.Route(kResultsPath, {302, {}, "/kaputt.html"});
      d.server.Route("/kaputt.html", {500, kPage, {}});
      break;
    case Failure::ClosedPort:
      QVERIFY(closing.listen(QHostAddress::LocalHost, 0));
      url =
          u"http://127.0.0.1:%1%2"_s.arg(closing.serverPort()).arg(QLatin1StringView(kResultsPath));
      closing.close();
      break;
    case Failure::ClosedAtOnce:
      QVERIFY(closing.listen(QHostAddress::LocalHost, 0));
      QObject::connect(&closing, &QTcpServer::newConnection, &closing, [&closing] {
        while (QTcpSocket* socket = closing.nextPendingConnection()) {
          socket->readAll();
          socket->close();
        }
      });
      url =
          u"http://127.0.0.1:%1%2"_s.arg(closing.serverPort()).arg(QLatin1StringView(kResultsPath));
      break;
    case Failure::NoAnswer:
      d.server.Route(kResultsPath, {200, kPage, {}, "text/html", 0, true});
      timeLimit = 300ms;
      break;
    case Failure::EndlessRedirect:
      d.server.Route(kResultsPath, {302, {}, kResultsPath});
      break;
    case Failure::HttpsToHttp:
      tls.emplace(kTrustedCertificate, kTrustedKey);
      tls->Route(kResultsPath, {302, {}, d.server.Url(kResultsPath).toLatin1()});
      d.server.Route(kResultsPath, {200, kPage, {}});
      url = tls->Url(kResultsPath);
      break;
    case Failure::UntrustedCertificate:
      tls.emplace(kUntrustedCertificate, kUntrustedKey);
      tls->Route(kResultsPath, {200, kPage, {}});
      url = tls->Url(kResultsPath);
      break;
  }
  d.Window(url, timeLimit);
  d.Run();

  QCOMPARE(d.platform.texts(), (QStringList{kPrompt, kUnreachable}));
  if (reason.contains(u"%1"_s)) reason = reason.arg(u"127.0.0.1:%1"_s.arg(QUrl(url).port()));
  QCOMPARE(d.Log(), (QStringList{kStarted, u"gescheitert"_s, reason}));
  QCOMPARE(d.importShown, 0);
  QVERIFY(!d.Saved());
  QCOMPARE(d.Running(), 0);
  if (failure == Failure::HttpsToHttp) QCOMPARE(d.server.AllRequests(), 0);
}

// The limit holds for what comes: a page that passes it is given up at once, before its rest.
void NetworkPageTest::pageSizeLimit_data() {
  QTest::addColumn<qsizetype>("pageBytes");
  QTest::addColumn<qsizetype>("bytesSent");  // negative: all of them
  QTest::addColumn<bool>("saved");
  QTest::newRow("at the limit") << qsizetype{4096} << qsizetype{-1} << true;
  QTest::newRow("one byte beyond") << qsizetype{4097} << qsizetype{-1} << false;
  QTest::newRow("beyond before the rest comes")
      << (qsizetype{1} << 20) << qsizetype{65536} << false;
}

void NetworkPageTest::pageSizeLimit() {
  QFETCH(qsizetype, pageBytes);
  QFETCH(qsizetype, bytesSent);
  QFETCH(bool, saved);
  NetworkDownload d;
  const QByteArray page(pageBytes, 'x');
  LocalHttpServer::Response answer{200, page, {}};
  answer.bodyBytesSent = bytesSent;
  d.server.Route(kResultsPath, answer);
  d.Window({}, 60s, 4096);
  d.Run();

  if (saved) {
    QCOMPARE(d.Saved().value_or("(none)"), page);
    QCOMPARE(d.Log(), QStringList{kStarted});
  } else {
    QVERIFY(!d.Saved());
    QCOMPARE(d.Log(), (QStringList{kStarted, u"gescheitert"_s,
                                   u"die Seite ist gr\u00F6\u00DFer als 4096 Byte"_s}));
  }
}

void NetworkPageTest::networkIsMadeAtTheFirstDownloadAndKept() {
  NetworkDownload d;
  d.server.Route(kResultsPath, {200, kPage, {}});
  d.Window();
  QCOMPARE(d.window->findChildren<QNetworkAccessManager*>().size(), 0);
  d.Run();
  QCOMPARE(d.Saved().value_or("(none)"), kSavedPage);
  std::filesystem::remove(d.directory / "lotto.tmp");  // the import removes it

  QByteArray changed = kPage;
  changed.replace("06.12.2026", "13.12.2026");
  d.server.Route(kResultsPath, {200, changed, {}});
  d.Run();
  QCOMPARE(d.server.Requests(kResultsPath), 2);
  QVERIFY(d.Saved().value_or("(none)").contains("Samstag 13.12.2026"));
  QCOMPARE(d.importShown, 2);
  QCOMPARE(d.window->findChildren<QNetworkAccessManager*>().size(), 1);
}

}  // namespace kw::test

QTEST_MAIN(kw::test::NetworkPageTest)
#include "network_page_test.moc"
