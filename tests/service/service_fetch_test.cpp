// The fetch from the results service against a server on 127.0.0.1 into a real archive file:
// which requests go out and how, what is stored, and that after each failure or cancel the
// archive holds exactly the drawings stored before it.
#include "service/service_fetch.h"

#include <QSslConfiguration>
#include <QSslError>
#include <QSysInfo>
#include <QTcpServer>
#include <QTest>
#include <QTimeZone>
#include <QTimer>
#include <functional>

#include "core/version.h"
#include "qtedge/cp1252_text.h"
#include "service/network_failure.h"
#include "service/results_service.h"
#include "tests/service/tls_certificates.h"
#include "tests/support/local_http_server.h"
#include "tests/support/service_answers.h"
#include "tests/support/service_routes.h"
#include "tests/support/temp_dir.h"

using namespace std::chrono_literals;

namespace kw::test {
namespace {

Drawing Read(const std::string& answer, Date day) { return ReadDayDrawing(answer, day).drawing; }

// One fetch with everything it reported, into an archive in a fresh folder.
struct FetchRun {
  TempDir dir;
  DrawingArchive archive{dir / DrawingArchive::kFileName};
  LocalHttpServer server;
  ServiceFetch fetch{archive};

  QList<Drawing> stored;
  QStringList notes;
  QList<std::pair<int, int>> progress;
  std::optional<int> finished;
  std::optional<int> cancelled;
  QString failed;

  FetchRun() {
    fetch.SetBase(QUrl(server.Url("/api")));
    fetch.SetSpacing(5ms);
    fetch.SetTimeout(5s);
    QObject::connect(&fetch, &ServiceFetch::drawingStored, &fetch,
                     [this](const Drawing& d, const QString& note) {
                       stored << d;
                       notes << note;
                     });
    QObject::connect(&fetch, &ServiceFetch::progress, &fetch, [this](int done, int total) {
      progress.append({done, total});
    });
    QObject::connect(&fetch, &ServiceFetch::finished, &fetch, [this](int n) { finished = n; });
    QObject::connect(&fetch, &ServiceFetch::cancelled, &fetch, [this](int n) { cancelled = n; });
    QObject::connect(&fetch, &ServiceFetch::failed, &fetch,
                     [this](const QString& message) { failed = message; });
  }
  bool Ended() const { return finished || cancelled || !failed.isEmpty(); }
  bool Run(Date first, Date last) {
    fetch.Start(first, last);
    return QTest::qWaitFor([this] { return Ended(); }, 20000);
  }
  // The 2025 list with 29.11, 03.12, 06.12, and the Wednesday's answer.
  void ServeWeek() {
    server.Route(HistoryOf(2025), Json(kDays2025));
    server.Route(DrawsAt(kDec3), Json(kWednesday));
  }
  std::vector<Date> StoredDates() const {
    std::vector<Date> dates;
    for (const Drawing& d : archive.ReadRange(Date::FromYmd(1990, 1, 1), Date::FromYmd(2100, 1, 1)))
      dates.push_back(d.date);
    return dates;
  }
};

// A day's answer as the range form might give it: without its quota rows.
std::string ServeWithout(const std::string& answer) {
  const std::size_t cut = answer.find(",\n  \"oddsCollection\"");
  if (cut == std::string::npos) qFatal("the answer holds no quota rows");
  return answer.substr(0, cut) + "}]";
}

void StoreNov29(DrawingArchive& archive) {
  archive.Store({Read(MadeUpAnswer(kNov29, 1), kNov29)}, "test");
}

}  // namespace

class ServiceFetchTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { TrustTheTestCertificate(); }

  void nothingIsAskedBeforeStart() {
    FetchRun run;
    run.ServeWeek();
    QTest::qWait(100);
    QCOMPARE(run.server.AllRequests(), 0);
    QVERIFY(!run.fetch.IsRunning());
  }

  void fetchesTheListedDaysTheArchiveLacks() {
    FetchRun run;
    run.ServeWeek();
    run.server.Route(DrawsAt(kDec6), Json(kSaturdayEuro));
    StoreNov29(run.archive);

    QVERIFY(run.Run(kNov29, kDec6));
    QCOMPARE(run.failed, QString());
    QCOMPARE(run.finished, 2);
    QCOMPARE(run.stored.size(), 2);
    QCOMPARE(run.stored[0], Read(kWednesday, kDec3));
    QCOMPARE(run.stored[1], Read(kSaturdayEuro, kDec6));
    QCOMPARE(run.notes, QStringList({QString(), QString()}));
    QCOMPARE(run.archive.Read(kDec6), Read(kSaturdayEuro, kDec6));
    QCOMPARE(run.archive.Count(), 3);
    // The range form is not served here: the day list and the days take its place.
    QCOMPARE(run.progress, (QList<std::pair<int, int>>{{0, 2}, {0, 0}, {0, 2}, {1, 2}, {2, 2}}));
    QCOMPARE(run.server.Requests(RangeAt(kDec3, kDec6)), 1);
    QCOMPARE(run.server.Requests(HistoryOf(2025)), 1);
    QCOMPARE(run.server.Requests(DrawsAt(kNov29)), 0);  // already stored, with quotas
    QCOMPARE(run.server.AllRequests(), 4);
    const QByteArray request = run.server.LastRequest();
    QVERIFY2(request.startsWith("GET " + DrawsAt(kDec6) + " HTTP/1.1\r\n"), request.constData());
    QVERIFY2(request.contains("\r\nUser-Agent: Kreuzwart/" + QByteArray(kVersion) + "\r\n"),
             request.constData());
    QVERIFY2(request.contains("\r\nAccept: application/json\r\n"), request.constData());
  }

  void requestsAreSpacedAndOneAtATime() {
    FetchRun run;
    run.fetch.SetSpacing(250ms);
    run.server.Route(HistoryOf(2025), Json(kDays2025));
    for (Date day : {kNov29, kDec3, kDec6}) {
      LocalHttpServer::Response late = Json(MadeUpAnswer(day, day.day()));
      late.delayMs = 50;  // a second request while this one runs would arrive early
      run.server.Route(DrawsAt(day), late);
    }
    QVERIFY(run.Run(kNov29, kDec6));
    QCOMPARE(run.finished, 3);
    const QList<qint64> arrivals = run.server.Arrivals();
    QCOMPARE(arrivals.size(), 5);  // the refused range, the day list, three days
    for (int i = 1; i < arrivals.size(); ++i) {
      QVERIFY2(arrivals[i] - arrivals[i - 1] >= 250 + (i > 2 ? 50 : 0),
               qPrintable(QStringLiteral("request %1 after %2 ms")
                              .arg(i + 1)
                              .arg(arrivals[i] - arrivals[i - 1])));
    }
  }

  void aRangeOverNewYearAsksForBothYears() {
    FetchRun run;
    const Date dec28 = Date::FromYmd(2024, 12, 28), jan1 = Date::FromYmd(2025, 1, 1),
               jan4 = Date::FromYmd(2025, 1, 4);
    run.server.Route(HistoryOf(2024), Json(DayListOf({Date::FromYmd(2024, 12, 21), dec28})));
    run.server.Route(HistoryOf(2025), Json(DayListOf({jan1, jan4, Date::FromYmd(2025, 1, 8)})));
    for (Date day : {dec28, jan1, jan4}) {
      run.server.Route(DrawsAt(day), Json(MadeUpAnswer(day, day.day())));
    }
    QVERIFY(run.Run(Date::FromYmd(2024, 12, 27), jan4));
    QCOMPARE(run.failed, QString());
    QCOMPARE(run.StoredDates(), (std::vector<Date>{dec28, jan1, jan4}));
    QCOMPARE(run.server.Requests(HistoryOf(2024)), 1);
    QCOMPARE(run.server.Requests(HistoryOf(2025)), 1);
    QCOMPARE(run.server.AllRequests(), 6);
  }

  void anEmptyDayListFetchesNothingAndNamesTheDaysItLacks() {
    FetchRun run;
    run.server.Route(HistoryOf(2025), Json(kNoDays));
    QVERIFY(run.Run(kNov29, kDec6));
    QCOMPARE(run.finished, 0);
    QCOMPARE(run.server.AllRequests(), 2);
    QCOMPARE(run.fetch.UnlistedDays(), (std::vector<Date>{kNov29, kDec3, kDec6}));
    QCOMPARE(run.progress, (QList<std::pair<int, int>>{{0, 3}, {0, 0}, {0, 0}}));
  }

  void aDrawingStoredWithoutQuotasIsCompleted() {
    FetchRun run;
    run.ServeWeek();
    run.server.Route(DrawsAt(kDec6), Json(kSaturdayCent));
    run.archive.Store({Read(kSaturdayOddsNeither, kDec6)}, "test");
    QVERIFY(run.Run(kDec6, kDec6));
    QCOMPARE(run.finished, 1);
    QCOMPARE(run.archive.Read(kDec6), Read(kSaturdayEuro, kDec6));
    QCOMPARE(run.archive.Count(), 1);
  }

  void aDrawingTheArchiveHoldsWithOtherNumbersIsReported() {
    FetchRun run;
    run.ServeWeek();
    run.server.Route(DrawsAt(kDec6), Json(kSaturdayEuro));
    Drawing other = Read(kSaturdayOddsNeither, kDec6);  // no quotas: asked for again
    other.numbers = {1, 2, 3, 4, 5, 6};
    run.archive.Store({other}, "test");
    QVERIFY(run.Run(kDec3, kDec6));
    QVERIFY2(run.failed.contains(QStringLiteral("06.12.2025")), qPrintable(run.failed));
    QCOMPARE(run.archive.Read(kDec6), other);
    QCOMPARE(run.StoredDates(), (std::vector<Date>{kDec3, kDec6}));
  }

  // 03.12 answers, 06.12 does not: the Wednesday stays stored, nothing else.
  void aFailureKeepsWhatWasStoredBefore_data() {
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QByteArray>("location");
    QTest::addColumn<bool>("silent");
    QTest::addColumn<QString>("message");

    const QByteArray good = QByteArray::fromStdString(kSaturdayEuro);
    auto changed = [&](const char* from, const char* to) {
      QByteArray body = good;
      if (!body.contains(from)) qFatal("the Saturday answer holds no %s", from);
      return body.replace(from, to);
    };
    const QString day = QStringLiteral("Die Antwort f\u00FCr den 06.12.2025 ");
    QTest::newRow("404") << 404 << QByteArray("<html>Fehlt</html>") << QByteArray() << false
                         << QStringLiteral("mit dem HTTP-Status 404");
    QTest::newRow("500") << 500 << QByteArray("{}") << QByteArray() << false
                         << QStringLiteral("mit dem HTTP-Status 500");
    QTest::newRow("redirect to http")
        << 302 << QByteArray() << QByteArray("/elsewhere") << false
        << QStringLiteral("/elsewhere um; das Programm folgt nur Umleitungen auf https-Adressen");
    QTest::newRow("not JSON") << 200 << QByteArray("Keine Daten") << QByteArray() << false
                              << day + QStringLiteral("ist kein JSON");
    QTest::newRow("HTML page")
        << 200 << QByteArray("<!DOCTYPE html><html><body>Wartung</body></html>") << QByteArray()
        << false
        << day + QStringLiteral("ist eine HTML-Seite statt der Daten des Ergebnisdienstes");
    QTest::newRow("2 MB") << 200 << "[" + QByteArray(2 * 1024 * 1024, ' ') + good.mid(1)
                          << QByteArray() << false
                          << QStringLiteral(
                                 "Die Antwort auf die Frage nach der Ziehung vom "
                                 "06.12.2025 ist gr\u00F6\u00DFer als 1 MB");
    QTest::newRow("number 50")
        << 200 << changed("\"drawNumber\":49", "\"drawNumber\":50") << QByteArray() << false
        << day + QStringLiteral(
                     "enth\u00E4lt die Gewinnzahl 50 (drawNumbersCollection.drawNumber), "
                     "die nicht zwischen 1 und 49 liegt");
    QTest::newRow("5 numbers")
        << 200 << changed(",\n   {\"index\":6,\"drawNumber\":22}", "") << QByteArray() << false
        << day + QStringLiteral("enth\u00E4lt 5 statt 6 Gewinnzahlen (drawNumbersCollection)");
    QTest::newRow("repeated number")
        << 200 << changed("\"drawNumber\":49", "\"drawNumber\":3") << QByteArray() << false
        << QStringLiteral("Die Ziehung vom 06.12.2025 enth\u00E4lt die Zahl 3 zweimal");
    QTest::newRow("Spiel 77 of 6 digits")
        << 200 << changed("\"9911235\"", "\"991123\"") << QByteArray() << false
        << day + QStringLiteral(
                     "enth\u00E4lt als Spiel-77-Zahl (game77.numbers) \"991123\" statt 7 "
                     "Ziffern");
    QTest::newRow("no Superzahl") << 200 << changed("\"superNumber\":5,", "") << QByteArray()
                                  << false
                                  << day + QStringLiteral(
                                               "enth\u00E4lt keine Superzahl (superNumber)");
    QTest::newRow("never answers")
        << 200 << QByteArray() << QByteArray() << true
        << QStringLiteral(
               "Der Ergebnisdienst hat auf die Frage nach der Ziehung vom 06.12.2025 "
               "nicht innerhalb von 300 ms geantwortet");
  }

  void aFailureKeepsWhatWasStoredBefore() {
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(QByteArray, location);
    QFETCH(bool, silent);
    QFETCH(QString, message);
    FetchRun run;
    run.fetch.SetTimeout(300ms);
    run.ServeWeek();
    // A redirect goes to the same server.
    if (!location.isEmpty()) location = run.server.Url(location).toLatin1();
    LocalHttpServer::Response answer{status, body, location, "application/json"};
    answer.silent = silent;
    run.server.Route(DrawsAt(kDec6), answer);
    run.server.Route("/elsewhere", Json(kSaturdayEuro));

    QVERIFY(run.Run(kDec3, kDec6));
    QVERIFY2(run.failed.contains(message), qPrintable(run.failed));
    QCOMPARE(run.finished, std::nullopt);
    QCOMPARE(run.stored.size(), 1);
    QCOMPARE(run.StoredDates(), std::vector<Date>{kDec3});
    QCOMPARE(run.archive.Read(kDec3), Read(kWednesday, kDec3));
    QCOMPARE(run.server.Requests("/elsewhere"), 0);
    QVERIFY(!run.fetch.IsRunning());
  }

  void aBrokenDayListStoresNothing() {
    FetchRun run;
    StoreNov29(run.archive);
    run.server.Route(HistoryOf(2025), Json(R"({"days":[{"date":"2025-13-06"}]})"));
    QVERIFY(run.Run(kNov29, kDec6));
    QCOMPARE(run.failed,
             FromCp1252("Die Liste der Ziehungstage 2025 enth\xE4lt als Datum (days.date) "
                        "\"2025-13-06\", das kein Tag ist"));
    QCOMPARE(run.server.AllRequests(), 2);
    QCOMPARE(run.StoredDates(), std::vector<Date>{kNov29});
  }

  // Failures of the connection name the host in German, not Qt's English nor the query.
  void anUnreachableServerIsNamedByItsHost_data() {
    QTest::addColumn<bool>("closedPort");
    QTest::addColumn<QString>("failed");  // "@" stands for the host
    QTest::newRow("closed port") << true
                                 << QStringLiteral(
                                        "Der Ergebnisdienst (@) ist nicht erreichbar: er "
                                        "nimmt keine Verbindung an");
    QTest::newRow("unknown name") << false
                                  << QStringLiteral(
                                         "Der Ergebnisdienst (@) ist nicht erreichbar: "
                                         "der Name ist nicht bekannt; besteht eine "
                                         "Verbindung zum Internet?");
  }
  void anUnreachableServerIsNamedByItsHost() {
    QFETCH(bool, closedPort);
    QFETCH(QString, failed);
    FetchRun run;
    QString host = QStringLiteral("kreuzwart.invalid");
    if (closedPort) {
      QTcpServer probe;
      QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
      host = QStringLiteral("127.0.0.1:%1").arg(probe.serverPort());
    }
    run.fetch.SetBase(QUrl(QStringLiteral("http://%1/api").arg(host)));
    QVERIFY(run.Run(kDec3, kDec6));
    QCOMPARE(run.failed, failed.replace(u'@', host));
    QCOMPARE(run.archive.Count(), 0);
  }

  void aCancelWhileWaitingKeepsTheStoredAndReportsNoFailure() {
    FetchRun run;
    run.fetch.SetTimeout(400ms);
    run.ServeWeek();
    LocalHttpServer::Response never;
    never.silent = true;
    run.server.Route(DrawsAt(kDec6), never);
    run.fetch.Start(kDec3, kDec6);
    QTRY_COMPARE(run.server.Requests(DrawsAt(kDec6)), 1);
    run.fetch.Cancel();
    QCOMPARE(run.cancelled, 1);
    QVERIFY(!run.fetch.IsRunning());
    QTest::qWait(600);  // past the time limit: it was stopped with the request
    QCOMPARE(run.failed, QString());
    QCOMPARE(run.StoredDates(), std::vector<Date>{kDec3});
  }

  void aCancelFromTheStoredSignalSendsNothingMore() {
    FetchRun run;
    run.ServeWeek();
    run.server.Route(DrawsAt(kDec6), Json(kSaturdayEuro));
    QObject::connect(&run.fetch, &ServiceFetch::drawingStored, &run.fetch,
                     [&run] { run.fetch.Cancel(); });
    QVERIFY(run.Run(kDec3, kDec6));
    QCOMPARE(run.cancelled, 1);
    QTest::qWait(100);
    QCOMPARE(run.server.Requests(DrawsAt(kDec6)), 0);
    QCOMPARE(run.finished, std::nullopt);
    QCOMPARE(run.StoredDates(), std::vector<Date>{kDec3});
  }

  void aRedirectToHttpsIsFollowed() {
    if (!LocalHttpServer::ServesHttps()) QSKIP(LocalHttpServer::kNoHttps);
    FetchRun run;
    LocalHttpServer tls(kTrustedCertificate, kTrustedKey);
    QVERIFY(tls.listening());
    run.server.Route(HistoryOf(2025), Json(DayListOf({kDec6})));
    run.server.Route(DrawsAt(kDec6), {302, {}, tls.Url("/moved").toLatin1()});
    tls.Route("/moved", Json(kSaturdayEuro));
    QVERIFY(run.Run(kDec3, kDec6));
    QCOMPARE(run.failed, QString());
    QCOMPARE(tls.Requests("/moved"), 1);
    QCOMPARE(run.archive.Read(kDec6), Read(kSaturdayEuro, kDec6));
  }

  void aCertificateNotTrustedIsReported() {
    if (!LocalHttpServer::ServesHttps()) QSKIP(LocalHttpServer::kNoHttps);
    FetchRun run;
    LocalHttpServer tls(kUntrustedCertificate, kUntrustedKey);
    tls.Route(HistoryOf(2025), Json(kDays2025));
    run.fetch.SetBase(QUrl(tls.Url("/api")));
    QVERIFY(run.Run(kDec3, kDec6));
    QCOMPARE(run.failed, QStringLiteral("Die sichere Verbindung zum Ergebnisdienst (%1) ist "
                                        "gescheitert: sein Zertifikat stammt nicht von einer "
                                        "anerkannten Stelle")
                             .arg(HostText(QUrl(tls.Url("/")))));
    QCOMPARE(tls.AllRequests(), 0);
    QCOMPARE(run.archive.Count(), 0);
  }

  void theDesktopsProxyIsUsed() {
    // Qt Network takes the proxy from the environment (http_proxy, no_proxy) as the desktop
    // sets it. The server plays the proxy: it is asked for the whole address of a host that
    // does not exist, which only a proxy can reach. Windows gives the proxy in its own settings.
    if (QSysInfo::kernelType() == QStringLiteral("winnt")) {
      QSKIP("Qt Network on Windows takes the proxy from the system's settings, not http_proxy");
    }
    FetchRun run;
    const QByteArray base = "http://kreuzwart.invalid/api";
    run.server.Route(base + QByteArray::fromStdString(HistoryPath(2025)), Json(DayListOf({kDec6})));
    run.server.Route(base + QByteArray::fromStdString(DrawsPath(kDec6)), Json(kSaturdayEuro));
    run.fetch.SetBase(QUrl(QString::fromLatin1(base)));
    qputenv("http_proxy", run.server.Url("/").toLatin1());
    const bool ended = run.Run(kDec6, kDec6);
    qunsetenv("http_proxy");
    QVERIFY(ended);
    QCOMPARE(run.failed, QString());
    QCOMPARE(run.archive.Read(kDec6), Read(kSaturdayEuro, kDec6));
  }

  void thisMachineIsReachedWithoutTheProxy() {
    FetchRun run;
    run.server.Route(HistoryOf(2025), Json(DayListOf({kDec6})));
    run.server.Route(DrawsAt(kDec6), Json(kSaturdayEuro));
    qputenv("http_proxy", "http://127.0.0.1:1");  // a proxy that is not there
    const bool ended = run.Run(kDec6, kDec6);
    qunsetenv("http_proxy");
    QVERIFY(ended);
    QCOMPARE(run.failed, QString());
    QCOMPARE(run.archive.Count(), 1);
  }

  void anAddressThatIsNoWebAddressIsRefusedUnasked() {
    FetchRun run;
    run.fetch.SetBase(QUrl(QStringLiteral("ftp://127.0.0.1/api")));
    QVERIFY(run.Run(kDec3, kDec6));
    QCOMPARE(run.failed, QStringLiteral("Die Adresse des Ergebnisdienstes \u201Eftp://127.0.0.1/api"
                                        "\u201C ist keine http- oder https-Adresse"));
  }

  // Ten drawings in one request: no day list, no single day.
  void theRangeBringsTenDrawingsInOneRequest() {
    FetchRun run;
    std::vector<std::string> answers;
    std::vector<Date> days;
    for (Date d = Date::FromYmd(2025, 11, 1); days.size() < 10; ++d.dayCount) {
      if (!IsDrawingDay(d, DrawDays::Both)) continue;
      days.push_back(d);
      answers.push_back(MadeUpAnswer(d, d.day()));
    }
    answers.push_back(R"([{"gameType":{"name":"Eurojackpot"},"drawDate":1762000000000}])");
    run.server.Route(RangeAt(days.front(), days.back()), Json(RangeAnswer(answers)));
    QVERIFY(run.Run(days.front(), days.back()));
    QCOMPARE(run.failed, QString());
    QCOMPARE(run.finished, 10);
    QCOMPARE(run.StoredDates(), days);
    QCOMPARE(run.archive.Read(days[3]), Read(answers[3], days[3]));
    QCOMPARE(run.server.AllRequests(), 1);
    QCOMPARE(run.fetch.RequestsSent(), 1);
    QCOMPARE(run.progress.back(), (std::pair<int, int>{10, 10}));
  }

  // A range answer without a single quota row leaves them out: the days ask for them.
  void quotasARangeLeavesOutAreAskedForDayByDay() {
    FetchRun run;
    run.server.Route(RangeAt(kDec3, kDec6),
                     Json(RangeAnswer({ServeWithout(kWednesday), ServeWithout(kSaturdayEuro)})));
    run.ServeWeek();
    run.server.Route(DrawsAt(kDec6), Json(kSaturdayEuro));
    QVERIFY(run.Run(kDec3, kDec6));
    QCOMPARE(run.failed, QString());
    QCOMPARE(run.archive.Read(kDec3), Read(kWednesday, kDec3));
    QCOMPARE(run.archive.Read(kDec6), Read(kSaturdayEuro, kDec6));
    QCOMPARE(run.server.AllRequests(), 3);
    QCOMPARE(run.finished, 2);
    // The range's lack of rows is no news to tell; the days bring them.
    QCOMPARE(run.notes, QStringList({QString(), QString(), QString(), QString()}));
  }

  // Two pieces of at most a year; the first refused, the second is never asked as a range.
  void aRefusedRangeIsNotAskedAgainInTheRun() {
    FetchRun run;
    const Date first = Date::FromYmd(2024, 11, 30), last = kDec6;
    std::vector<Drawing> stored;
    for (Date d = first; d <= last; ++d.dayCount) {
      if (IsDrawingDay(d, DrawDays::Both) && d != first && d != kDec3 && d != kDec6) {
        stored.push_back(Read(MadeUpAnswer(d, d.day()), d));
      }
    }
    run.archive.Store(stored, "test");
    run.server.Route(RangeAt(first, first), {403, "verboten", {}});
    run.server.Route(HistoryOf(2024), Json(DayListOf({first})));
    run.server.Route(HistoryOf(2025), Json(kDays2025));
    run.server.Route(DrawsAt(first), Json(MadeUpAnswer(first, 1)));
    run.ServeWeek();
    run.server.Route(DrawsAt(kDec6), Json(kSaturdayEuro));
    QVERIFY(run.Run(first, last));
    QCOMPARE(run.failed, QString());
    QCOMPARE(run.stored.size(), 3);
    QCOMPARE(run.server.Requests(RangeAt(first, first)), 1);
    QCOMPARE(run.server.Requests(RangeAt(kDec3, kDec6)), 0);
    QCOMPARE(run.server.AllRequests(), 6);
  }

  // A front that refuses every try: five tries, then the reason; what came before stays.
  void theFifthRefusalEndsTheFetchWithTheReason() {
    FetchRun run;
    run.fetch.SetWaitTimeScale(1ms);
    run.ServeWeek();
    run.server.Route(DrawsAt(kDec6), {429, "error code: 1015", {}, "text/plain"});
    QList<int> waits;
    QObject::connect(&run.fetch, &ServiceFetch::waiting, &run.fetch,
                     [&waits](int seconds) { waits << seconds; });
    QVERIFY(run.Run(kDec3, kDec6));
    QCOMPARE(waits, (QList<int>{5, 10, 20, 40}));
    QCOMPARE(run.server.Requests(DrawsAt(kDec6)), 5);
    QCOMPARE(run.failed,
             QStringLiteral("Der Ergebnisdienst hat die Frage nach der Ziehung vom 06.12.2025 "
                            "f\u00FCnfmal mit dem HTTP-Status 429 abgewiesen und bittet zu "
                            "warten; versuchen Sie es sp\u00E4ter noch einmal (%1)")
                 .arg(HostText(QUrl(run.server.Url(DrawsAt(kDec6))))));
    QCOMPARE(run.StoredDates(), std::vector<Date>{kDec3});
  }

  // The wait a front names is kept, within 1 and 120 s; 503 is a wait too.
  void theNamedWaitIsKept_data() {
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("retryAfter");
    QTest::addColumn<int>("wait");
    QTest::newRow("3 s") << 429 << QByteArray("3") << 3;
    QTest::newRow("0 s is 1") << 503 << QByteArray("0") << 1;
    QTest::newRow("an hour is 120 s") << 429 << QByteArray("3600") << 120;
    QTest::newRow("a date is no number") << 503 << QByteArray("Wed, 21 Oct 2026 07:28:00 GMT") << 5;
  }
  void theNamedWaitIsKept() {
    QFETCH(int, status);
    QFETCH(QByteArray, retryAfter);
    QFETCH(int, wait);
    FetchRun run;
    run.fetch.SetWaitTimeScale(1ms);
    LocalHttpServer::Response refusal{status, "error code: 1015", {}, "text/plain"};
    refusal.headers = "Retry-After: " + retryAfter + "\r\n";
    run.server.Route(RangeAt(kDec6, kDec6), refusal);
    QList<int> waits;
    QObject::connect(&run.fetch, &ServiceFetch::waiting, &run.fetch, [&](int seconds) {
      waits << seconds;
      run.server.Route(RangeAt(kDec6, kDec6), Json(RangeAnswer({kSaturdayEuro})));
    });
    QVERIFY(run.Run(kDec6, kDec6));
    QCOMPARE(waits, QList<int>{wait});
    QCOMPARE(run.finished, 1);
  }

  // Cancel during a wait: at once, nothing more is sent, the drawing that came stays.
  void aCancelDuringAWaitKeepsWhatCame() {
    FetchRun run;
    run.fetch.SetWaitTimeScale(100ms);
    run.ServeWeek();
    LocalHttpServer::Response refusal{429, "error code: 1015", {}, "text/plain"};
    refusal.headers = "Retry-After: 60\r\n";
    run.server.Route(DrawsAt(kDec6), refusal);
    QObject::connect(&run.fetch, &ServiceFetch::waiting, &run.fetch, [&run] {
      QTimer::singleShot(50, &run.fetch, [&run] { run.fetch.Cancel(); });
    });
    QVERIFY(run.Run(kDec3, kDec6));
    QCOMPARE(run.cancelled, 1);
    const int requests = run.server.AllRequests();
    QTest::qWait(300);
    QCOMPARE(run.server.AllRequests(), requests);
    QCOMPARE(run.StoredDates(), std::vector<Date>{kDec3});
  }

  // The reader's own summer-time rule against the system's time zone database.
  void berlinTimeAgreesWithTheTimeZoneDatabase() {
    const QTimeZone berlin("Europe/Berlin");
    if (!berlin.isValid()) QSKIP("no time zone database on this machine");
    // Windows' zone for Berlin knows today's rule only: summer time from the last Sunday of March
    // in every year, also in 1980, when it began on 6 April.
    if (berlin.offsetFromUtc(QDateTime(QDate(1980, 4, 1), QTime(12, 0), Qt::UTC)) != 3600) {
      QSKIP("this system's time zone database does not know Berlin's rules of past years");
    }
    for (Date d = Date::FromYmd(1980, 1, 1); d <= Date::FromYmd(2045, 12, 31); ++d.dayCount) {
      const QDate date(d.year(), d.month(), d.day());
      const qint64 ms = QDateTime(date, QTime(0, 0), berlin).toMSecsSinceEpoch();
      QCOMPARE(BerlinMidnightMs(d), ms);
    }
    // Every quarter of an hour on the switch days of a few years.
    for (int year : {1980, 1995, 1996, 2025, 2040}) {
      for (int month : {3, 4, 9, 10}) {
        for (int day = 1; day <= 30; ++day) {
          const QDate date(year, month, day);
          if (date.dayOfWeek() != 7) continue;
          const qint64 start = QDateTime(date, QTime(0, 0), berlin).toMSecsSinceEpoch();
          for (qint64 ms = start - 3'600'000; ms < start + 27 * 3'600'000; ms += 900'000) {
            const QDate expected = QDateTime::fromMSecsSinceEpoch(ms, berlin).date();
            QCOMPARE(BerlinDateOfMs(ms),
                     Date::FromYmd(expected.year(), expected.month(), expected.day()));
            const QDate before = QDateTime::fromMSecsSinceEpoch(ms - 1, berlin).date();
            QCOMPARE(BerlinDateOfMs(ms - 1),
                     Date::FromYmd(before.year(), before.month(), before.day()));
          }
        }
      }
    }
  }
};

}  // namespace kw::test

QTEST_GUILESS_MAIN(kw::test::ServiceFetchTest)
#include "service_fetch_test.moc"
