// "kreuzwart SCHEIN.sch": the command line's ticket reaches the windows, which start with it
// loaded as "&Schein laden" loads one, on the offscreen platform.
#include <QDir>
#include <QLabel>
#include <QTabWidget>
#include <QTest>

#include "app/application.h"
#include "core/profile.h"
#include "tests/support/fake_platform.h"
#include "tests/support/fixed_clock.h"
#include "tests/support/temp_dir.h"

namespace kw::test {

class StartWithTicketTest : public QObject {
  Q_OBJECT

 private slots:
  void theTicketOfTheCommandLineIsLoaded_data();
  void theTicketOfTheCommandLineIsLoaded();
};

void StartWithTicketTest::theTicketOfTheCommandLineIsLoaded_data() {
  QTest::addColumn<QString>("argument");  // "@" stands for the test's folder
  QTest::addColumn<QString>("ticket");    // the current ticket's path afterwards
  QTest::addColumn<QString>("expiry");    // what the window shows of it
  QTest::addColumn<QStringList>("boxes");
  QTest::addColumn<QString>("page");
  QTest::addColumn<QString>("named");  // the ticket ZW.INI names at the end

  const QString notice = QStringLiteral("Ihr Spielschein ist noch weitere 18 Tag(e) g\u00fcltig.");
  QTest::newRow("full path") << QStringLiteral("@/neu.sch") << QStringLiteral("@/neu.sch")
                             << QStringLiteral("Ablauf : 19.12.2026") << QStringList{notice}
                             << QStringLiteral("TabSheet1") << QStringLiteral("@/neu.sch");
  // ZW.INI keeps the path at the end, so it must hold from any folder.
  QTest::newRow("relative to the folder it is started in")
      << QStringLiteral("neu.sch") << QStringLiteral("@/neu.sch")
      << QStringLiteral("Ablauf : 19.12.2026") << QStringList{notice} << QStringLiteral("TabSheet1")
      << QStringLiteral("@/neu.sch");
  QTest::newRow("with dot segments")
      << QStringLiteral("./ordner/../neu.sch") << QStringLiteral("@/neu.sch")
      << QStringLiteral("Ablauf : 19.12.2026") << QStringList{notice} << QStringLiteral("TabSheet1")
      << QStringLiteral("@/neu.sch");
  // As "&Schein laden": the load clears the ticket first, the failure goes to the error box,
  // there named with the file as the tab and --check name it; the ticket ZW.INI named stays
  // named there.
  QTest::newRow("missing file") << QStringLiteral("@/nix.sch") << QString()
                                << QStringLiteral("Ablauf :")
                                << QStringList{QStringLiteral(
                                       "Schein \u00bb@/nix.sch\u00ab: Datei fehlt.")}
                                << QStringLiteral("TabSheet3") << QStringLiteral("@/alt.sch");
  QTest::newRow("not a ticket")
      << QStringLiteral("@/kaputt.sch") << QString() << QStringLiteral("Ablauf :")
      << QStringList{QStringLiteral(
             "Schein \u00bb@/kaputt.sch\u00ab: Ablauf \u00bb31.02.2027\u00ab ist kein Datum.")}
      << QStringLiteral("TabSheet3") << QStringLiteral("@/alt.sch");
  // ZW.INI could not keep the path: the ticket it names stays, and no other file stands in.
  QTest::newRow("name outside Windows-1252")
      << QStringLiteral("@/neu\u03a9.sch") << QStringLiteral("@/alt.sch")
      << QStringLiteral("Ablauf : 01.01.2000")
      << QStringList{QStringLiteral(
             "Der Dateiname '@/neu?.sch' enth\u00e4lt Zeichen, die Kreuzwart nicht lesen kann.")}
      << QStringLiteral("TabSheet3") << QStringLiteral("@/alt.sch");
}

void StartWithTicketTest::theTicketOfTheCommandLineIsLoaded() {
  QFETCH(QString, argument);
  QFETCH(QString, ticket);
  QFETCH(QString, expiry);
  QFETCH(QStringList, boxes);
  QFETCH(QString, page);
  QFETCH(QString, named);
  TempDir dir;
  const QString folder = QString::fromStdString(dir.path().string());
  const std::string game = "[Schein]\r\nSpiel1=03 15 22 31 40 49 \r\nLosnummer=4711235\r\n";
  WriteFile(dir / "neu.sch", game + "Ablauf=19.12.2026\r\n");
  WriteFile(dir / "neu\u03a9.sch", game + "Ablauf=19.12.2026\r\n");
  WriteFile(dir / "kaputt.sch", game + "Ablauf=31.02.2027\r\n");
  // ZW.INI names an expired ticket: its notice would come at a plain start.
  WriteFile(dir / "alt.sch", game + "Ablauf=01.01.2000\r\n");
  WriteFile(dir / "ZW.INI", "[Einstellungen]\r\nSchein=" + (dir / "alt.sch").string() + "\r\n");
  const QString started = QDir::currentPath();
  QVERIFY(QDir::setCurrent(folder));

  const std::string given = QString(argument).replace(u'@', folder).toStdString();
  const CommandLine line = ParseCommandLine(std::vector<std::string>{given});
  FakePlatform platform;
  FixedClock clock(Date::FromYmd(2026, 12, 1));
  ProgramWindows windows = StartProgram(dir.path(), platform, clock, WindowOptions(line));
  QVERIFY(QDir::setCurrent(started));

  // The program names a file as the system writes paths: "\\" between folders on Windows.
  const auto native = [&](QString text) {
    return text.replace(QStringLiteral("@/"), folder + QDir::separator());
  };
  QCOMPARE(QString::fromStdString(windows.form1->ticket().path), native(ticket));
  QCOMPARE(windows.form1->findChild<QLabel*>(QStringLiteral("Label17"))->text(), expiry);
  QCOMPARE(platform.texts(),
           boxes.replaceInStrings(QStringLiteral("@/"), folder + QDir::separator()));
  QCOMPARE(windows.form1->findChild<QTabWidget*>(QStringLiteral("PageControl1"))
               ->currentWidget()
               ->objectName(),
           page);
  // At the end ZW.INI names the current ticket, as after "&Schein laden", or the one it named.
  windows.form1.reset();
  QCOMPARE(QString::fromStdString(ReadProfileString(dir / "ZW.INI", "Einstellungen", "Schein")),
           native(named));
}

}  // namespace kw::test

QTEST_MAIN(kw::test::StartWithTicketTest)
#include "start_with_ticket_test.moc"
