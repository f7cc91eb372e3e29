// The program as a process: its command line works without a display, and a signal that asks it
// to end ends it the way closing its window does, with what was typed saved.
#include <signal.h>

#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "app/application.h"
#include "core/profile.h"
#include "core/version.h"
#include "ui/qt_platform.h"

using namespace Qt::StringLiterals;

namespace kw::test {
namespace {

constexpr int kTimeoutMs = 30'000;
const QString kChild = QStringLiteral("--child");

const std::string kSaturdayLine =
    "01091427304406031234567654321"
    "06.12.2026";

// The child: the program's windows on the folder given, as main() runs them. Once they stand,
// it types 2 into the first draw field, unless a notice is still waiting, and says so.
int RunChild(int argc, char* argv[]) {
  Application app(argc, argv);
  const std::filesystem::path directory = argv[2];
  QtPlatform platform(QString::fromLatin1(kApplicationTitle));
  app.SetPlatform(&platform);
  const SystemClock clock;
  QTimer::singleShot(0, [] {
    if (!QApplication::activeModalWidget()) {
      for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* edit = window->findChild<QLineEdit*>(QStringLiteral("Edit1"))) {
          edit->setText(QStringLiteral("2"));
        }
      }
    }
    std::puts("bereit");
    std::fflush(stdout);
  });
  return RunWindows(directory, platform, clock);
}

}  // namespace

class ProgramTest : public QObject {
  Q_OBJECT

 private slots:
  void commandLineWithoutDisplay_data();
  void commandLineWithoutDisplay();
  void signalEndsLikeClosingTheWindow_data();
  void signalEndsLikeClosingTheWindow();
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
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    environment.remove(QString::fromLatin1(name));
  }
  QProcess program;
  program.setProcessEnvironment(environment);
  program.start(QStringLiteral(KREUZWART_PROGRAM), arguments);
  QVERIFY(program.waitForFinished(kTimeoutMs));

  QCOMPARE(program.exitStatus(), QProcess::NormalExit);
  QCOMPARE(program.exitCode(), exitCode);
  const QString standardOutput = QString::fromUtf8(program.readAllStandardOutput());
  const QString standardError = QString::fromUtf8(program.readAllStandardError());
  if (!out.isEmpty()) QVERIFY2(standardOutput.startsWith(out), qPrintable(standardOutput));
  QCOMPARE(standardOutput.isEmpty(), out.isEmpty());
  QCOMPARE(standardError.section(u'\n', 0, 0), err);
  if (exitCode == 2) QVERIFY(standardError.contains(QStringLiteral("kreuzwart --help")));
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

}  // namespace kw::test

int main(int argc, char* argv[]) {
  if (argc == 3 && QString::fromLocal8Bit(argv[1]) == kw::test::kChild) {
    return kw::test::RunChild(argc, argv);
  }
  QCoreApplication app(argc, argv);
  kw::test::ProgramTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "program_test.moc"
