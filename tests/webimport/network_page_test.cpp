// The download window without a browser helper, as on Windows: the page over Qt Network from a
// server on 127.0.0.1. Needs no kreuzwart-browser, so it runs wherever the program does.
#include "webimport/network_page.h"

#include <QNetworkAccessManager>
#include <QSslConfiguration>
#include <QTest>
#include <optional>

#include "core/cp1252.h"
#include "tests/service/tls_certificates.h"
#include "tests/webimport/download_run.h"
#include "webimport/web_browser.h"

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace kw::test {
namespace {

const QByteArray kPage = "<html><body><p>Ziehung Samstag 06.12.2026</p></body></html>";
const QByteArray kSavedPage = "<BODY><P>Ziehung Samstag 06.12.2026</P></BODY>";

struct NetworkDownload : DownloadRun {
  // A window with no browser helper, for url (the results page on the server when empty).
  TWWWDownload& Window(QString url = {}, std::chrono::milliseconds timeLimit = 10s,
                       qsizetype maxPageBytes = WebBrowser::kMaxPageBytes) {
    return Make(DownloadSetup{
        url.isEmpty() ? server.Url(kResultsPath) : url, directory, {}, timeLimit, maxPageBytes});
  }
  int Running() const { return window->findChild<WebBrowser*>(u"WebBrowser1"_s)->running(); }
  std::optional<QByteArray> Saved() const {
    if (!std::filesystem::exists(TempFile())) return std::nullopt;
    return QByteArray::fromStdString(TempFileBytes());
  }
};

enum class Failure { NotFound, ClosedPort, NoAnswer, HttpsToHttp, Untrusted };

}  // namespace

class NetworkPageTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { TrustTheTestCertificate(); }
  void bodyAsTheHelperGivesIt_data();
  void bodyAsTheHelperGivesIt();
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

void NetworkPageTest::bodyAsTheHelperGivesIt_data() {
  QTest::addColumn<QByteArray>("contentType");
  QTest::addColumn<QByteArray>("document");
  QTest::addColumn<QByteArray>("body");  // UTF-8
  QTest::newRow("no body tag, no-break blanks in every spelling")
      << QByteArray("text/html")
      << QByteArray("1&#160;2&#xa0;3&nbsp|4&NonBreakingSpace;&#1600; &#x0A0B; &amp;nbsp; &nbs")
      << QByteArray("1&nbsp;2&nbsp;3&nbsp;|4&nbsp;&#1600; &#x0A0B; &amp;nbsp; &nbs");
  QTest::newRow("Windows-1252 by the header")
      << QByteArray("text/html; charset=windows-1252") << QByteArray("<body>\xFC\x80</body>")
      << QByteArray("<body>\xC3\xBC\xE2\x82\xAC</body>");
  QTest::newRow("ISO-8859-1 by a meta") << QByteArray("text/html")
                                        << QByteArray(
                                               "<meta name=x><meta charset=ISO-8859-1>"
                                               "<BODY>\xFC</BODY>")
                                        << QByteArray("<BODY>\xC3\xBC</BODY>");
  QTest::newRow("the header before the meta")
      << QByteArray("text/html; charset=UTF-8")
      << QByteArray(
             "<META http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">"
             "<body>\xC3\xBC</body>")
      << QByteArray("<body>\xC3\xBC</body>");
  QTest::newRow("a body in a comment, text after the end")
      << QByteArray("text/html")
      << QByteArray(
             "<!-- <body> --><bodyguard></bodyguard><BODY onload=\"f('>')\">x<bodyguard>"
             "</bodyguard></BODY>\n<!-- nach dem Ende --></HTML>")
      << QByteArray("<BODY onload=\"f('>')\">x<bodyguard></bodyguard></BODY>");
}

void NetworkPageTest::bodyAsTheHelperGivesIt() {
  QFETCH(QByteArray, contentType);
  QFETCH(QByteArray, document);
  QFETCH(QByteArray, body);
  QCOMPARE(PageBodyUtf8(document, contentType), body);
}

// The same page in either charset gives the same file. The one difference to the helper: the
// number the page's script writes in is not there.
void NetworkPageTest::pageIsSavedAsTheScraperReadsIt_data() {
  QTest::addColumn<QByteArray>("contentType");
  QTest::addColumn<QByteArray>("document");
  const QByteArray page =
      "<html><head><title>Zahlen</title></head>\r\n<body class=\"seite\">\r\n<p>Ziehung Samstag "
      "06.12.2026</p><p>3&nbsp;|12 |<span id=\"n\"></span>&nbsp;|</p><p>Gr\xFC\xDF"
      "e \x80 ?</p>\r\n<script>document.getElementById('n').textContent = '25';</script>"
      "</body>\r\n</html>";
  QTest::newRow("UTF-8") << QByteArray("text/html; charset=utf-8")
                         << QByteArray::fromStdString(Cp1252ToUtf8(page.toStdString()))
                                .replace("?", "\xE2\x99\xA5")
                                .replace(" |<span", "\xC2\xA0|<span");
  QTest::newRow("Windows-1252") << QByteArray("text/html; charset=windows-1252")
                                << QByteArray(page).replace(" |<span", "\xA0|<span");
}

void NetworkPageTest::pageIsSavedAsTheScraperReadsIt() {
  QFETCH(QByteArray, contentType);
  QFETCH(QByteArray, document);
  NetworkDownload d;
  d.server.Route(kResultsPath, {200, document, {}, contentType});
  d.Window();
  d.RunDownload();

  QCOMPARE(d.platform.texts(), QStringList{kPrompt});
  QCOMPARE(d.Log(), QStringList{kStarted});
  QCOMPARE(d.importShown, 1);
  QCOMPARE(d.Saved().value_or("(none)"),
           QByteArray("<BODY class=\"seite\">\r\n<P>Ziehung Samstag 06.12.2026</P><P>3&nbsp;|12"
                      "&nbsp;|<SPAN id=\"n\"></SPAN>&nbsp;|</P><P>Gr\xFC\xDF"
                      "e \x80 ?</P>\r\n<SCRIPT>document.getElementById('n').textContent = '25';"
                      "</SCRIPT></BODY>"));
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
  d.RunDownload();

  QCOMPARE(d.server.Requests(location), location == kResultsPath ? 2 : 1);
  QCOMPARE(d.platform.texts(),
           (saved ? QStringList{kPrompt} : QStringList{kPrompt, u"Keine Daten bekommen !"_s}));
  QCOMPARE(d.Saved(), saved ? std::optional(kSavedPage) : std::nullopt);
  QCOMPARE(d.importShown, saved ? 1 : 0);
}

void NetworkPageTest::failedDownload_data() {
  QTest::addColumn<Failure>("failure");
  QTest::addColumn<QString>("reason");  // %1: the host
  QTest::newRow("404") << Failure::NotFound << u"HTTP-Status 404"_s;
  QTest::newRow("closed port") << Failure::ClosedPort
                               << u"keine Verbindung zu %1: er nimmt keine Verbindung an"_s;
  QTest::newRow("no answer") << Failure::NoAnswer
                             << u"keine Antwort von %1 innerhalb von 0,3 Sekunden"_s;
  QTest::newRow("from https to http")
      << Failure::HttpsToHttp
      << u"die Seite von %1 konnte nicht geladen werden: er leitet auf eine unverschl\u00FCsselte "
         u"Adresse um"_s;
  QTest::newRow("untrusted certificate")
      << Failure::Untrusted
      << u"keine sichere Verbindung zu %1: sein Zertifikat stammt nicht von einer anerkannten "
         u"Stelle"_s;
}

void NetworkPageTest::failedDownload() {
  QFETCH(Failure, failure);
  QFETCH(QString, reason);
  NetworkDownload d;
  QString url = d.server.Url(kResultsPath);
  std::optional<LocalHttpServer> tls;
  if ((failure == Failure::HttpsToHttp || failure == Failure::Untrusted) &&
      !LocalHttpServer::ServesHttps()) {
    QSKIP(LocalHttpServer::kNoHttps);
  }
  if (failure == Failure::HttpsToHttp) tls.emplace(kTrustedCertificate, kTrustedKey);
  if (failure == Failure::Untrusted) tls.emplace(kUntrustedCertificate, kUntrustedKey);
  if (tls) url = tls->Url(kResultsPath);
  switch (failure) {
    case Failure::NotFound:
      d.server.Route(kResultsPath, {404, kPage, {}});
      break;
    case Failure::ClosedPort: {
      QTcpServer closed;
      QVERIFY(closed.listen(QHostAddress::LocalHost, 0));
      QUrl closedUrl(url);
      closedUrl.setPort(closed.serverPort());
      url = closedUrl.toString();
      break;
    }
    case Failure::NoAnswer:
      d.server.Route(kResultsPath, {200, kPage, {}, "text/html", 0, true});
      break;
    case Failure::HttpsToHttp:
      tls->Route(kResultsPath, {302, {}, d.server.Url(kResultsPath).toLatin1()});
      d.server.Route(kResultsPath, {200, kPage, {}});
      break;
    case Failure::Untrusted:
      tls->Route(kResultsPath, {200, kPage, {}});
      break;
  }
  d.Window(url, failure == Failure::NoAnswer ? 300ms : 10s);
  d.RunDownload();

  QCOMPARE(d.platform.texts(), (QStringList{kPrompt, kUnreachable}));
  if (reason.contains(u"%1"_s)) reason = reason.arg(u"127.0.0.1:%1"_s.arg(QUrl(url).port()));
  QCOMPARE(d.Log(), (QStringList{kStarted, u"gescheitert"_s, reason}));
  QCOMPARE(d.importShown, 0);
  QVERIFY(!d.Saved());
  QCOMPARE(d.Running(), 0);
  if (failure == Failure::HttpsToHttp) QCOMPARE(d.server.AllRequests(), 0);
}

// A page that passes the limit is given up at once, before its rest comes.
void NetworkPageTest::pageSizeLimit_data() {
  QTest::addColumn<qsizetype>("pageBytes");
  QTest::addColumn<qsizetype>("bytesSent");  // negative: all of them
  QTest::newRow("at the limit") << qsizetype{4096} << qsizetype{-1};
  QTest::newRow("beyond before the rest comes") << (qsizetype{1} << 20) << qsizetype{65536};
}

void NetworkPageTest::pageSizeLimit() {
  QFETCH(qsizetype, pageBytes);
  QFETCH(qsizetype, bytesSent);
  NetworkDownload d;
  LocalHttpServer::Response answer{200, QByteArray(pageBytes, 'x'), {}};
  answer.bodyBytesSent = bytesSent;
  d.server.Route(kResultsPath, answer);
  d.Window({}, 60s, 4096);
  d.RunDownload();

  const bool saved = pageBytes <= 4096;
  QCOMPARE(d.Saved(), saved ? std::optional(answer.body) : std::nullopt);
  QCOMPARE(d.Log(), (saved ? QStringList{kStarted}
                           : QStringList{kStarted, u"gescheitert"_s,
                                         u"die Seite ist gr\u00F6\u00DFer als 4096 Byte"_s}));
}

void NetworkPageTest::networkIsMadeAtTheFirstDownloadAndKept() {
  NetworkDownload d;
  d.server.Route(kResultsPath, {200, kPage, {}});
  d.Window();
  QCOMPARE(d.window->findChildren<QNetworkAccessManager*>().size(), 0);
  d.RunDownload();
  std::filesystem::remove(d.TempFile());  // the import removes it
  d.server.Route(kResultsPath, {200, QByteArray(kPage).replace("06.12.", "13.12."), {}});
  d.RunDownload();

  QCOMPARE(d.server.Requests(kResultsPath), 2);
  QCOMPARE(d.Saved().value_or("(none)"), QByteArray(kSavedPage).replace("06.12.", "13.12."));
  QCOMPARE(d.window->findChildren<QNetworkAccessManager*>().size(), 1);
}

}  // namespace kw::test

QTEST_MAIN(kw::test::NetworkPageTest)
#include "network_page_test.moc"
