// The commands as a person runs them: the program as a process without a display, against real
// archive files and a local results service, and --check printing what the tab "Laufzeit" shows.
#include <QLabel>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include "app/application.h"
#include "archive/archive.h"
#include "service/results_service.h"
#include "tests/support/builders.h"
#include "tests/support/fake_platform.h"
#include "tests/support/fixed_clock.h"
#include "tests/support/local_http_server.h"
#include "tests/support/process_runner.h"
#include "tests/support/service_answers.h"
#include "tests/support/service_routes.h"
#include "tests/support/temp_dir.h"
#include "ui/drawings_session.h"
#include "ui/term_sheet.h"

namespace kw::test {
namespace {

constexpr int kTimeoutMs = 60'000;

QString Path(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

// The program without a display; a server of the test answers it meanwhile.
ProcessResult Run(const QStringList& arguments) {
  return RunProcess(QStringLiteral(KREUZWART_PROGRAM), arguments, WithoutDisplay(), kTimeoutMs);
}

Drawing DrawingOn(Date date, std::array<uint8_t, 6> numbers, uint8_t superzahl) {
  return DrawingOf(date, numbers, superzahl, "1234577", "000001",
                   {{PrizeGame::Lotto, 8, 200000, 1150}});
}

}  // namespace

class CommandsTest : public QObject {
  Q_OBJECT

 private slots:
  void updateFetchesWhatIsMissingAndTheSecondRunNothing();
  void checkPrintsWhatTheTabShows();
  void exitCodes_data();
  void exitCodes();
  void checkOfSeveralTickets_data();
  void checkOfSeveralTickets();
  void importAndExportRoundTrip();
  void theProgramOpensTheArchiveOnlyWithItsTab();
};

void CommandsTest::updateFetchesWhatIsMissingAndTheSecondRunNothing() {
  TempDir dir;
  LocalHttpServer server;
  const Date dec3 = Date::FromYmd(2025, 12, 3);
  const Date dec6 = Date::FromYmd(2025, 12, 6);
  // The week in one request, as the service answers a range.
  server.Route(ApiPath(RangePath(dec3, dec6)), Json(RangeAnswer({kWednesday, kSaturdayEuro})));
  const QStringList arguments{
      QStringLiteral("--update"),           QStringLiteral("--from"),
      QStringLiteral("01.12.2025"),         QStringLiteral("--to"),
      QStringLiteral("07.12.2025"),         QStringLiteral("--archive"),
      Path(dir / "Ziehungen.sqlite"),       QStringLiteral("--results-service"),
      server.Url(QByteArrayLiteral("/api"))};

  const ProcessResult first = Run(arguments);
  QCOMPARE(first.code, 0);
  QCOMPARE(first.err, QString());
  const QStringList lines = first.out.split(u'\n', Qt::SkipEmptyParts);
  QCOMPARE(lines.size(), 3);
  QVERIFY2(lines[0].startsWith(QStringLiteral("Mi 03.12.2025: ")), qPrintable(lines[0]));
  QCOMPARE(lines[1],
           QStringLiteral("Sa 06.12.2025: 3 15 22 31 40 49, Superzahl 5, Spiel 77 9911235, "
                          "Super 6 000235, Quoten 9"));
  QCOMPARE(server.AllRequests(), 1);
  QCOMPARE(DrawingArchive(dir / "Ziehungen.sqlite").Count(), 2);

  const ProcessResult second = Run(arguments);
  QCOMPARE(second.code, 0);
  QVERIFY2(second.out.startsWith(QStringLiteral("Es fehlte keine Ziehung")),
           qPrintable(second.out));
  QCOMPARE(server.AllRequests(), 1);  // nothing asked for again
}

void CommandsTest::checkPrintsWhatTheTabShows() {
  // A term wholly in the past, whatever day the test runs on (after November 2026).
  TempDir dir;
  const std::filesystem::path archive = dir / "Ziehungen.sqlite";
  const std::string ticket = (dir / "schein.sch").string();
  WriteFile(ticket,
            "[Schein]\r\nSpiel1=03 15 22 31 40 49 \r\nSpiel4=01 02 03 04 05 06 \r\n"
            "Losnummer=4711235\r\nAblauf=28.11.2026\r\nBeginn=04.11.2026\r\nSuper6=nein\r\n");
  DrawingArchive(archive).Store(
      {DrawingOn(Date::FromYmd(2026, 11, 7), {3, 15, 22, 7, 8, 9}, 1),
       DrawingOn(Date::FromYmd(2026, 11, 11), {1, 2, 3, 4, 5, 6}, 5),
       DrawingOn(Date::FromYmd(2026, 11, 25), {9, 10, 11, 12, 13, 14}, 5)},
      "Test");

  const ProcessResult check = Run({QStringLiteral("--check"), QString::fromStdString(ticket),
                                   QStringLiteral("--archive"), Path(archive)});
  QCOMPARE(check.code, 0);
  QCOMPARE(check.err, QString());
  QStringList commandLines = check.out.split(u'\n');
  QCOMPARE(commandLines.takeLast(), QString());
  QCOMPARE(commandLines.takeFirst(),
           QStringLiteral("Laufzeit: 04.11.2026 bis 28.11.2026, Ziehungstage: Mittwoch und "
                          "Samstag (angenommen), Spiel 77: ja (angenommen), Super 6: nein"));

  FakePlatform platform;
  const SystemClock clock;
  DrawingsSession drawings(archive, QUrl(), platform);
  TermSheet sheet(drawings, platform, clock);
  sheet.SetTicketSource([ticket] { return ticket; });
  sheet.show();
  auto* list = sheet.findChild<QTreeWidget*>(QStringLiteral("TermDrawings"));
  QVERIFY(list);
  QStringList tabLines;
  for (int i = 0; i < list->topLevelItemCount(); ++i) {
    list->setCurrentItem(list->topLevelItem(i));
    tabLines << sheet.findChild<QPlainTextEdit*>(QStringLiteral("TermReport"))
                    ->toPlainText()
                    .split(u'\n');
  }
  tabLines << sheet.findChild<QLabel*>(QStringLiteral("TermTotal"))->text().split(u'\n');
  QCOMPARE(commandLines, tabLines);
  // Eight days, three with a line of their own, the total and the stake.
  QCOMPARE(commandLines.size(), 13);
  QVERIFY(platform.messages.empty());
}

void CommandsTest::exitCodes_data() {
  QTest::addColumn<QStringList>("arguments");
  QTest::addColumn<int>("exitCode");
  QTest::addColumn<QString>("err");  // the start of standard error
  QTest::newRow("ticket missing") << QStringList{QStringLiteral("--check"),
                                                 QStringLiteral("@/nix.sch")}
                                  << 1 << QStringLiteral("kreuzwart: Schein \u00bb");
  QTest::newRow("archive no database")
      << QStringList{QStringLiteral("--check"), QStringLiteral("@/schein.sch"),
                     QStringLiteral("--archive"), QStringLiteral("@/kaputt.sqlite")}
      << 1 << QStringLiteral("kreuzwart: ");
  QTest::newRow("bad CSV line") << QStringList{QStringLiteral("--import-draws"),
                                               QStringLiteral("@/kaputt.csv"),
                                               QStringLiteral("--archive"),
                                               QStringLiteral("@/a.sqlite")}
                                << 1 << QStringLiteral("kreuzwart: ");
  QTest::newRow("date of --from")
      << QStringList{QStringLiteral("--update"), QStringLiteral("--from"),
                     QStringLiteral("1.12.2026"), QStringLiteral("--archive"),
                     QStringLiteral("@/a.sqlite")}
      << 2 << QStringLiteral("kreuzwart: --from: '1.12.2026' ist kein Datum TT.MM.JJJJ");
  // Today is only known when the command runs; the message has the form of every usage error.
  QTest::newRow("--from after today")
      << QStringList{QStringLiteral("--update"), QStringLiteral("--from"),
                     QStringLiteral("01.01.2100"), QStringLiteral("--archive"),
                     QStringLiteral("@/a.sqlite")}
      << 2 << QStringLiteral("kreuzwart: --from 01.01.2100 liegt nach heute, dem ");
  QTest::newRow("address of --results-service")
      << QStringList{QStringLiteral("--update"), QStringLiteral("--results-service"),
                     QStringLiteral("ftp://x/"), QStringLiteral("--archive"),
                     QStringLiteral("@/a.sqlite")}
      << 2 << QStringLiteral("kreuzwart: --results-service: 'ftp://x/' ist keine");
  QTest::newRow("service closed") << QStringList{QStringLiteral("--update"),
                                                 QStringLiteral("--from"),
                                                 QStringLiteral("01.12.2025"),
                                                 QStringLiteral("--to"),
                                                 QStringLiteral("07.12.2025"),
                                                 QStringLiteral("--results-service"),
                                                 QStringLiteral("http://127.0.0.1:9/api"),
                                                 QStringLiteral("--archive"),
                                                 QStringLiteral("@/a.sqlite")}
                                  << 1 << QString();
}

void CommandsTest::exitCodes() {
  QFETCH(QStringList, arguments);
  QFETCH(int, exitCode);
  QFETCH(QString, err);
  TempDir dir;
  WriteFile(dir / "schein.sch", "[Schein]\r\nAblauf=28.11.2026\r\n");
  WriteFile(dir / "kaputt.sqlite", std::string(4096, 'x'));
  WriteFile(dir / "kaputt.csv", "date,n1,n2,n3,n4,n5,n6,superzahl\n2026-11-28,1,2,3,4,5\n");
  for (QString& argument : arguments) argument.replace(QStringLiteral("@"), Path(dir.path()));
  const std::string before = ReadFile(dir / "kaputt.sqlite");

  const ProcessResult run = Run(arguments);
  QCOMPARE(run.code, exitCode);
  QVERIFY2(run.err.startsWith(err), qPrintable(run.err));
  if (exitCode == 2) {
    QVERIFY2(run.err.endsWith(QStringLiteral("\n\"kreuzwart --help\" zeigt, was geht.\n")),
             qPrintable(run.err));
  }
  QVERIFY2(!run.err.isEmpty(), "a failure says why");
  QCOMPARE(ReadFile(dir / "kaputt.sqlite"), before);
}

void CommandsTest::checkOfSeveralTickets_data() {
  QTest::addColumn<QStringList>("tickets");  // "@" stands for the test's folder
  QTest::addColumn<int>("exitCode");
  QTest::addColumn<QStringList>("headings");  // the lines "Schein: ..." on standard output
  QTest::addColumn<QString>("err");
  QTest::newRow("each under its name, in the order given")
      << QStringList{QStringLiteral("@/b.sch"), QStringLiteral("@/a.sch")} << 0
      << QStringList{QStringLiteral("Schein: @/b.sch"), QStringLiteral("Schein: @/a.sch")}
      << QString();
  QTest::newRow("one unreadable, the other still reported")
      << QStringList{QStringLiteral("@/nix.sch"), QStringLiteral("@/a.sch")} << 1
      << QStringList{QStringLiteral("Schein: @/nix.sch"), QStringLiteral("Schein: @/a.sch")}
      << QStringLiteral("kreuzwart: Schein \u00bb@/nix.sch\u00ab: Datei fehlt\n");
  // No other file may stand in for a name the ticket readers cannot hold: nothing is checked.
  QTest::newRow("a name outside Windows-1252")
      << QStringList{QStringLiteral("@/a.sch"), QStringLiteral("@/\u03a9.sch")} << 1
      << QStringList{}
      << QStringLiteral(
             "kreuzwart: Der Dateiname '@/?.sch' enth\u00e4lt Zeichen, die Kreuzwart nicht lesen "
             "kann\n");
}

void CommandsTest::checkOfSeveralTickets() {
  QFETCH(QStringList, tickets);
  QFETCH(int, exitCode);
  QFETCH(QStringList, headings);
  QFETCH(QString, err);
  TempDir dir;
  const QString folder = Path(dir.path());
  const std::string ticket = TicketFile({"03 15 22 31 40 49"}, "4711235", "28.11.2026");
  WriteFile(dir / "a.sch", ticket);
  WriteFile(dir / "b.sch", ticket);
  WriteFile(dir / "\u03a9.sch", ticket);
  QStringList arguments{QStringLiteral("--check")};
  arguments << tickets.replaceInStrings(QStringLiteral("@"), folder) << QStringLiteral("--archive")
            << Path(dir / "leer.sqlite");

  const ProcessResult run = Run(arguments);
  QCOMPARE(run.code, exitCode);
  QStringList said;
  for (const QString& line : run.out.split(u'\n')) {
    if (line.startsWith(QStringLiteral("Schein: "))) said << line;
  }
  QCOMPARE(said, headings.replaceInStrings(QStringLiteral("@"), folder));
  QCOMPARE(run.err, err.replace(u'@', folder));
}

void CommandsTest::importAndExportRoundTrip() {
  TempDir dir;
  std::string csv = "date,n1,n2,n3,n4,n5,n6,superzahl\n";
  int count = 0;
  for (Date day = Date::FromYmd(2001, 1, 6); day <= Date::FromYmd(2026, 11, 28); day.dayCount++) {
    if (!IsDrawingDay(day, DrawDays::Both)) continue;
    const int seed = count++;
    csv += FormatIsoDate(day);
    for (int k = 0; k < 6; ++k) csv += "," + std::to_string((seed * 7 + k * 11) % 49 + 1);
    csv += "," + std::to_string(seed % 10) + "\n";
  }
  WriteFile(dir / "alle.csv", csv);
  const QString archive = Path(dir / "Ziehungen.sqlite");

  const ProcessResult imported = Run({QStringLiteral("--import-draws"), Path(dir / "alle.csv"),
                                      QStringLiteral("--archive"), archive});
  QCOMPARE(imported.code, 0);
  QCOMPARE(imported.out, QStringLiteral("%1 Ziehungen gelesen: %1 neu, 0 schon im Archiv\n")
                             .arg(QLocale(QLocale::German).toString(count)));
  const ProcessResult exported = Run({QStringLiteral("--export-draws"), Path(dir / "export.csv"),
                                      QStringLiteral("--archive"), archive});
  QCOMPARE(exported.code, 0);
  const ProcessResult again = Run({QStringLiteral("--import-draws"), Path(dir / "export.csv"),
                                   QStringLiteral("--archive"), archive});
  QCOMPARE(again.out, QStringLiteral("%1 Ziehungen gelesen: 0 neu, %1 schon im Archiv\n")
                          .arg(QLocale(QLocale::German).toString(count)));
}

void CommandsTest::theProgramOpensTheArchiveOnlyWithItsTab() {
  TempDir dir;
  WriteFile(dir / "schein.sch", TicketFile({"03 15 22 31 40 49"}, "4711235", "28.11.2026"));
  WriteFile(dir / "ZW.INI", "[Einstellungen]\r\nSchein=" + (dir / "schein.sch").string() + "\r\n");
  FakePlatform platform;
  FixedClock clock(Date::FromYmd(2026, 12, 1));
  ProgramOptions options;
  options.archive = dir / "eigenes.sqlite";
  ProgramWindows windows = StartProgram(dir.path(), platform, clock, options);

  auto* pages = windows.form1->findChild<QTabWidget*>(QStringLiteral("PageControl1"));
  QVERIFY(pages);
  QCOMPARE(pages->count(), 4);
  QCOMPARE(pages->tabText(3), QStringLiteral("Laufzeit"));
  QCOMPARE(pages->currentWidget()->objectName(), QStringLiteral("TabSheet3"));
  QCOMPARE(pages->widget(3)->objectName(), QStringLiteral("TermSheet"));
  QVERIFY2(!std::filesystem::exists(dir / "eigenes.sqlite"), "not opened at start");
  QVERIFY(!std::filesystem::exists(dir / DrawingArchive::kFileName));

  platform.messages.clear();  // the notice at start: the ticket has expired
  pages->setCurrentIndex(3);
  QVERIFY(std::filesystem::exists(dir / "eigenes.sqlite"));
  QCOMPARE(windows.termSheet->check()->days.size(), 2u);  // the main window's ticket
  QVERIFY(platform.messages.empty());
  pages->setCurrentIndex(2);
  windows.form1.reset();
}

}  // namespace kw::test

QTEST_MAIN(kw::test::CommandsTest)
#include "commands_test.moc"
