// The --update command against a server on 127.0.0.1 into a real archive file: the range it
// chooses, what it prints (UTF-8), its exit codes, and a second run that finds nothing missing.
#include "commands/update_command.h"

#include <QTest>
#include <cstdio>
#include <cstdlib>

#include "service/network_failure.h"
#include "service/results_service.h"
#include "tests/support/captured_output.h"
#include "tests/support/fixed_clock.h"
#include "tests/support/local_http_server.h"
#include "tests/support/service_answers.h"
#include "tests/support/service_routes.h"
#include "tests/support/temp_dir.h"

using namespace std::chrono_literals;

namespace kw::test {
namespace {

const char* const kWednesdayLine =
    "Mi 03.12.2025: 1 7 19 28 36 44, Superzahl 0, Spiel 77 0123456, Super 6 987650, Quoten 9\n";
const char* const kSaturdayLine =
    "Sa 06.12.2025: 3 15 22 31 40 49, Superzahl 5, Spiel 77 9911235, Super 6 000235, "
    "Quoten 9\n";

struct UpdateRun {
  TempDir dir;
  DrawingArchive archive{dir / DrawingArchive::kFileName};
  LocalHttpServer server;
  FixedClock clock{kDec6};
  UpdateOptions options;

  UpdateRun() {
    options.serviceBase = server.Url("/api");
    options.spacing = 1ms;
    options.timeout = 5s;
    server.Route(HistoryOf(2025), Json(kDays2025));
    server.Route(DrawsAt(kDec3), Json(kWednesday));
    server.Route(DrawsAt(kDec6), Json(kSaturdayEuro));
  }
  // Runs the command; its output and errors.
  int Run(QByteArray& out, QByteArray& err) {
    const Outcome run = Capture(
        [&](std::FILE* o, std::FILE* e) { return RunUpdate(options, archive, clock, o, e); });
    out = QByteArray::fromStdString(run.out);
    err = QByteArray::fromStdString(run.err);
    return run.code;
  }
  void Store(const std::string& answer, Date day) {
    archive.Store({ReadDayDrawing(answer, day).drawing}, "test");
  }
};

}  // namespace

class UpdateCommandTest : public QObject {
  Q_OBJECT

 private slots:
  void fetchesWhatFollowsTheLatestThenFindsNothingMissing() {
    UpdateRun run;
    run.Store(MadeUpAnswer(kNov29, 1), kNov29);
    QByteArray out, err;
    QCOMPARE(run.Run(out, err), 0);
    QCOMPARE(err, QByteArray());
    QCOMPARE(out,
             QByteArray(kWednesdayLine) + kSaturdayLine + "2 Ziehungen geholt und gespeichert.\n");
    QCOMPARE(run.archive.Count(), 3);
    QCOMPARE(run.server.Requests(DrawsAt(kNov29)), 0);
    const int requests = run.server.AllRequests();

    QCOMPARE(run.Run(out, err), 0);
    QCOMPARE(out, QByteArray("Es fehlte keine Ziehung: das Archiv reicht bis Sa 06.12.2025.\n"));
    QCOMPARE(err, QByteArray());
    // On Monday the range holds no drawing day: still nothing is asked.
    run.clock.Set(Date::FromYmd(2025, 12, 8));
    QCOMPARE(run.Run(out, err), 0);
    QCOMPARE(out, QByteArray("Es fehlte keine Ziehung vom So 07.12.2025 bis Mo 08.12.2025.\n"));
    QCOMPARE(run.server.AllRequests(), requests);
  }

  void anEmptyArchiveStartsFiveWeeksBack() {
    UpdateRun run;
    std::vector<Date> days;
    for (Date d = Date::FromYmd(2025, 10, 25); d <= kDec6; ++d.dayCount) {
      if (!IsDrawingDay(d, DrawDays::Both)) continue;
      days.push_back(d);
      run.server.Route(DrawsAt(d), Json(MadeUpAnswer(d, d.dayCount)));
    }
    run.server.Route(HistoryOf(2025), Json(DayListOf(days)));
    QByteArray out, err;
    QCOMPARE(run.Run(out, err), 0);
    QCOMPARE(err, QByteArray());
    const QList<QByteArray> lines = out.split('\n');
    QCOMPARE(lines.size(), 13);  // eleven drawings, the count, the empty rest after the last end
    QVERIFY2(lines[0].startsWith("Sa 01.11.2025: "), lines[0].constData());
    QVERIFY2(lines[10].startsWith("Sa 06.12.2025: "), lines[10].constData());
    QCOMPARE(lines[11], QByteArray("11 Ziehungen geholt und gespeichert."));
    QCOMPARE(run.server.Requests(DrawsAt(Date::FromYmd(2025, 10, 29))), 0);
    QCOMPARE(run.archive.Latest()->date, kDec6);
  }

  // A front that lets three requests through within 200 ms (two seconds, with the waits' second
  // shortened to 10 ms) and refuses the rest with 429: the update completes, and every wait is
  // said on the error stream.
  void aThrottlingFrontIsWaitedFor_data() {
    QTest::addColumn<QByteArray>("retryAfter");
    QTest::addColumn<QByteArray>("firstWait");
    QTest::newRow("its own waits") << QByteArray() << QByteArray("in 5 s\n");
    QTest::newRow("the wait it names") << QByteArray("30") << QByteArray("in 30 s\n");
  }
  void aThrottlingFrontIsWaitedFor() {
    QFETCH(QByteArray, retryAfter);
    QFETCH(QByteArray, firstWait);
    UpdateRun run;
    run.options.waitTimeScale = 10ms;
    std::vector<Date> days;
    for (Date d = Date::FromYmd(2025, 11, 1); days.size() < 10; ++d.dayCount) {
      if (!IsDrawingDay(d, DrawDays::Both)) continue;
      days.push_back(d);
      run.server.Route(DrawsAt(d), Json(MadeUpAnswer(d, d.dayCount)));
    }
    run.server.Route(HistoryOf(2025), Json(DayListOf(days)));
    run.server.Throttle(3, 200, retryAfter);
    run.options.from = days.front();
    run.options.to = days.back();
    QByteArray out, err;
    QCOMPARE(run.Run(out, err), 0);
    QVERIFY(out.endsWith("10 Ziehungen geholt und gespeichert.\n"));
    QCOMPARE(run.archive.Count(), 10);
    QVERIFY(run.server.Refused() > 0);
    const QList<QByteArray> waits = err.trimmed().split('\n');
    QCOMPARE(waits.size(), run.server.Refused());
    QCOMPARE(waits.front() + '\n',
             "Der Ergebnisdienst bittet zu warten, n\xC3\xA4"
             "chster Versuch " +
                 firstWait);
  }

  void a2012DrawingWithZusatzzahlAndItsNoteInUtf8() {
    UpdateRun run;
    const Date day = Date::FromYmd(2012, 12, 1);
    run.server.Route(HistoryOf(2012), Json(kDays2012));
    run.server.Route(DrawsAt(day), Json(kSaturday2012));
    run.options.from = day;
    run.options.to = day;
    QByteArray out, err;
    QCOMPARE(run.Run(out, err), 0);
    QCOMPARE(out, QByteArray("Sa 01.12.2012: 5 9 12 20 33 48, Zusatzzahl 17, Superzahl 3, "
                             "Spiel 77 4412345, Super 6 556677, keine Quoten\n"
                             "  (Die Quoten sind nicht \xC3\xBC"
                             "bernommen: ohne die feste "
                             "Gewinnklasse IX ist nicht zu erkennen, ob sie in Euro oder in Cent "
                             "angegeben sind)\n"
                             "1 Ziehung geholt und gespeichert.\n"));
    QCOMPARE(run.archive.Read(day)->zusatzzahl, 17);
  }

  void aFailureSaysWhyAndKeepsWhatCameBefore() {
    UpdateRun run;
    run.Store(MadeUpAnswer(kNov29, 1), kNov29);
    run.server.Route(DrawsAt(kDec6), {500, "Fehler", {}});
    QByteArray out, err;
    QCOMPARE(run.Run(out, err), 1);
    QCOMPARE(out, QByteArray(kWednesdayLine) +
                      "1 Ziehung geholt und gespeichert, dann ist die Abfrage gescheitert.\n");
    QCOMPARE(err,
             "Der Ergebnisdienst beantwortet die Frage nach der Ziehung vom 06.12.2025 mit "
             "dem HTTP-Status 500 (" +
                 HostText(QUrl(run.server.Url(DrawsAt(kDec6)))).toUtf8() + ")\n");
    QCOMPARE(run.archive.Count(), 2);
    QVERIFY(!run.archive.Read(kDec6));
  }

  void datesTheWrongWayRoundAreAUsageError() {
    UpdateRun run;
    run.options.from = kDec6;
    run.options.to = kDec3;
    QByteArray out, err;
    QCOMPARE(run.Run(out, err), 2);
    QCOMPARE(err,
             QByteArray("Der erste Tag (Sa 06.12.2025) liegt nach dem letzten (Mi 03.12.2025)\n"));
    QCOMPARE(out, QByteArray());
    QCOMPARE(run.server.AllRequests(), 0);
  }

  void theLatestDrawingsWithoutQuotasAreAskedAgain() {
    UpdateRun run;
    run.Store(kWednesday, kDec3);
    run.Store(kSaturdayOddsNeither, kDec6);  // stored without quotas
    run.clock.Set(Date::FromYmd(2025, 12, 8));
    QByteArray out, err;
    QCOMPARE(run.Run(out, err), 0);
    QCOMPARE(out, QByteArray(kSaturdayLine) + "1 Ziehung geholt und gespeichert.\n");
    QCOMPARE(run.archive.Read(kDec6)->quotas.size(), 9u);
    QCOMPARE(run.server.Requests(DrawsAt(kDec3)), 0);
  }

  void pastDaysTheServiceDoesNotListAreNamedButNotToday() {
    UpdateRun run;
    run.Store(MadeUpAnswer(kNov29, 1), kNov29);
    run.server.Route(HistoryOf(2025), Json(DayListOf({kNov29, kDec6})));
    QByteArray out, err;
    QCOMPARE(run.Run(out, err), 0);
    QCOMPARE(out, QByteArray(kSaturdayLine) +
                      "Der Ergebnisdienst nennt keine Ziehung f\xC3\xBCr: Mi 03.12.2025\n"
                      "1 Ziehung geholt und gespeichert.\n");

    // Saturday afternoon: today's drawing is not listed yet, and that is no news.
    UpdateRun early;
    early.Store(MadeUpAnswer(kNov29, 1), kNov29);
    early.server.Route(HistoryOf(2025), Json(DayListOf({kNov29, kDec3})));
    QCOMPARE(early.Run(out, err), 0);
    QCOMPARE(out, QByteArray(kWednesdayLine) + "1 Ziehung geholt und gespeichert.\n");
  }
};

}  // namespace kw::test

QTEST_GUILESS_MAIN(kw::test::UpdateCommandTest)
#include "update_command_test.moc"
