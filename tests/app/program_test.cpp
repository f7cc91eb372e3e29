// The program as a process: its command line works without a display, and a signal that asks it
// to end ends it the way closing its window does, with what was typed saved.
#include <signal.h>

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "app/single_instance.h"
#include "core/profile.h"
#include "core/version.h"
#include "tests/app/program_child.h"
#include "tests/support/builders.h"
#include "tests/support/process_runner.h"

using namespace Qt::StringLiterals;

namespace kw::test {

class ProgramTest : public QObject {
  Q_OBJECT

 private slots:
  void commandLineWithoutDisplay_data();
  void commandLineWithoutDisplay();
  void signalEndsLikeClosingTheWindow_data();
  void signalEndsLikeClosingTheWindow();
  void aSecondStartHandsItsTicketToTheFirst();
  void onlyAWholeMessageIsTaken_data();
  void onlyAWholeMessageIsTaken();
};

void ProgramTest::commandLineWithoutDisplay_data() {
  QTest::addColumn<QStringList>("arguments");
  QTest::addColumn<int>("exitCode");
  QTest::addColumn<QString>("out");  // the start of standard output
  QTest::addColumn<QString>("err");  // the first line of standard error

  QTest::newRow("--help")
      << QStringList{u"--help"_s} << 0
      << u"Aufruf: kreuzwart [SCHEIN.sch] [--archive DATEI] [--results-service URL]\n"_s << "";
  QTest::newRow("--version") << QStringList{u"--version"_s} << 0
                             << QStringLiteral("Kreuzwart %1\n").arg(QString::fromLatin1(kVersion))
                             << "";
  QTest::newRow("unknown option") << QStringList{u"--hilfe"_s} << 2 << u""_s
                                  << "kreuzwart: unbekannte Angabe '--hilfe'";
  QTest::newRow("missing value") << QStringList{u"--results-url"_s} << 2 << u""_s
                                 << "kreuzwart: '--results-url' braucht einen Wert: "
                                    "--results-url URL";
  QTest::newRow("no http address")
      << QStringList{u"--results-url"_s, u"ftp://lotto.de/x"_s} << 2 << u""_s
      << "kreuzwart: --results-url: 'ftp://lotto.de/x' ist keine "
         "http- oder https-Adresse";
  QTest::newRow("two tickets for the windows")
      << QStringList{u"a.sch"_s, u"b.sch"_s} << 2 << u""_s
      << "kreuzwart: 'b.sch': die Fenster \u00f6ffnen einen Schein; mehrere pr\u00fcft --check";
  QTest::newRow("two commands") << QStringList{u"--version"_s, u"--help"_s} << 2 << u""_s
                                << "kreuzwart: '--version' und '--help': nur ein Befehl auf "
                                   "einmal";
}

void ProgramTest::commandLineWithoutDisplay() {
  QFETCH(QStringList, arguments);
  QFETCH(int, exitCode);
  QFETCH(QString, out);
  QFETCH(QString, err);
  const ProcessResult run =
      RunProcess(QStringLiteral(KREUZWART_PROGRAM), arguments, WithoutDisplay(), kTimeoutMs);

  QCOMPARE(run.code, exitCode);
  if (!out.isEmpty()) QVERIFY2(run.out.startsWith(out), qPrintable(run.out));
  QCOMPARE(run.out.isEmpty(), out.isEmpty());
  QCOMPARE(run.err.section(u'\n', 0, 0), err);
  if (exitCode == 2) QVERIFY(run.err.contains(QStringLiteral("kreuzwart --help")));
}

void ProgramTest::signalEndsLikeClosingTheWindow_data() {
  QTest::addColumn<int>("signalNumber");
  QTest::addColumn<bool>("noticeAtStart");  // the signal comes while the start's notice waits
  QTest::newRow("SIGTERM, the end of the session") << int(SIGTERM) << false;
  QTest::newRow("SIGHUP, the terminal closed") << int(SIGHUP) << false;
  QTest::newRow("SIGINT, Ctrl+C") << int(SIGINT) << false;
  QTest::newRow("SIGTERM before the event loop runs") << int(SIGTERM) << true;
}

void ProgramTest::signalEndsLikeClosingTheWindow() {
  QFETCH(int, signalNumber);
  QFETCH(bool, noticeAtStart);
  QTemporaryDir dir;
  const std::filesystem::path folder = dir.path().toStdString();
  std::string schein;
  if (noticeAtStart) {  // long expired: a warning at start
    schein = (folder / "alt.sch").string();
    std::ofstream(schein, std::ios::binary) << "[Schein]\r\nAblauf=01.01.2000\r\n";
  }
  std::ofstream(folder / "ZW.INI", std::ios::binary)
      << "[Einstellungen]\r\nSchein=" << schein << "\r\n[Zahlen]\r\nSamstag=" << kSaturdayLine
      << "\r\n";

  QProcess child;
  child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  child.start(QCoreApplication::applicationFilePath(), {kChild, dir.path()});
  QVERIFY(child.waitForStarted(kTimeoutMs));
  QByteArray said;
  while (!said.contains("bereit") && child.waitForReadyRead(kTimeoutMs)) {
    said += child.readAllStandardOutput();
  }
  QVERIFY2(said.contains("bereit"), said.constData());

  QCOMPARE(::kill(static_cast<pid_t>(child.processId()), signalNumber), 0);

  QVERIFY(child.waitForFinished(kTimeoutMs));
  QCOMPARE(child.exitStatus(), QProcess::NormalExit);
  QCOMPARE(child.exitCode(), 0);
  const std::string saturday = ReadProfileString(folder / "ZW.INI", "Zahlen", "Samstag");
  QCOMPARE(saturday, noticeAtStart ? kSaturdayLine : "02" + kSaturdayLine.substr(2));
  QCOMPARE(ReadProfileString(folder / "ZW.INI", "Einstellungen", "Schein"), schein);
}

// A second start on the same settings folder hands its ticket to the first and ends; the first
// shows it and keeps what was typed in it. A program killed without a chance to clean up leaves
// its socket behind, and the next start is a first start all the same.
void ProgramTest::aSecondStartHandsItsTicketToTheFirst() {
  QTemporaryDir dir;
  const std::filesystem::path folder = dir.path().toStdString();
  const std::string ticket = (folder / "b.sch").string();
  std::ofstream(ticket, std::ios::binary)
      << TicketFile({"03 15 22 31 40 49"}, "4711235", "31.12.2030");
  std::ofstream(folder / "ZW.INI", std::ios::binary)
      << "[Einstellungen]\r\nSchein=\r\n[Zahlen]\r\nSamstag=" << kSaturdayLine << "\r\n";

  QProcess first;
  QVERIFY(StartChild(first, dir.path(), "bereit"));
  QProcess second;
  second.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  second.start(QCoreApplication::applicationFilePath(),
               {kChild, dir.path(), QString::fromStdString(ticket)});
  QVERIFY(second.waitForFinished(kTimeoutMs));
  QCOMPARE(second.exitCode(), 0);
  QVERIFY(!second.readAllStandardOutput().contains("bereit"));  // it showed no window
  QVERIFY(WaitFor(first, "geladen"));
  QCOMPARE(::kill(static_cast<pid_t>(first.processId()), SIGTERM), 0);
  QVERIFY(first.waitForFinished(kTimeoutMs));
  QCOMPARE(ReadProfileString(folder / "ZW.INI", "Einstellungen", "Schein"), ticket);
  QCOMPARE(ReadProfileString(folder / "ZW.INI", "Zahlen", "Samstag"),
           "02" + kSaturdayLine.substr(2));

  QProcess killed;
  QVERIFY(StartChild(killed, dir.path(), "bereit"));
  killed.kill();
  QVERIFY(killed.waitForFinished(kTimeoutMs));
  QProcess next;
  QVERIFY(StartChild(next, dir.path(), "bereit"));
  QCOMPARE(::kill(static_cast<pid_t>(next.processId()), SIGTERM), 0);
  QVERIFY(next.waitForFinished(kTimeoutMs));
  QCOMPARE(next.exitCode(), 0);
}

void ProgramTest::onlyAWholeMessageIsTaken_data() {
  QTest::addColumn<QByteArray>("message");
  QTest::addColumn<bool>("taken");
  QTest::addColumn<QString>("ticket");
  QTest::newRow("a ticket") << HandOverMessage(std::string("/home/a/M\u00fcller.sch")) << true
                            << u"/home/a/M\u00fcller.sch"_s;
  QTest::newRow("no ticket") << HandOverMessage(std::nullopt) << true << QString();
  QTest::newRow("another start") << QByteArray("Kreuzwart 2\n/a.sch\n") << false << QString();
  QTest::newRow("two lines of path")
      << QByteArray("Kreuzwart 1\n/a.sch\n/b.sch\n") << false << QString();
  QTest::newRow("a control character")
      << QByteArray("Kreuzwart 1\n/a\x01.sch\n") << false << QString();
  QTest::newRow("not UTF-8") << QByteArray("Kreuzwart 1\n/M\xfcller.sch\n") << false << QString();
  QTest::newRow("no end") << QByteArray("Kreuzwart 1\n/a.sch") << false << QString();
  QTest::newRow("too long") << HandOverMessage(std::string(8200, 'a')) << false << QString();
}

// What a second start sends is one path; anything else is dropped unread.
void ProgramTest::onlyAWholeMessageIsTaken() {
  QFETCH(QByteArray, message);
  QFETCH(bool, taken);
  QFETCH(QString, ticket);
  const auto read = ReadHandOver(message);
  QCOMPARE(read.has_value(), taken);
  if (read) QCOMPARE(QString::fromStdString(read->value_or("")), ticket);
}

}  // namespace kw::test

int main(int argc, char* argv[]) {
  if (argc >= 3 && QString::fromLocal8Bit(argv[1]) == kw::test::kChild) {
    return kw::test::RunChild(argc, argv);
  }
  QCoreApplication app(argc, argv);
  kw::test::ProgramTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "program_test.moc"
