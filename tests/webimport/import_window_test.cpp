// The import window on the offscreen platform: its looks, each outcome of a run, and the
// program around it: the main window showing the imported Saturday drawing, and a failed
// import ending the program with the drawings saved.
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/application.h"
#include "core/profile.h"
#include "tests/support/fake_platform.h"
#include "tests/support/find_control.h"
#include "tests/support/fixed_clock.h"
#include "tests/support/temp_dir.h"
#include "tests/webimport/results_page.h"

using namespace Qt::StringLiterals;

namespace kw::test {
namespace {

using namespace std::chrono_literals;

constexpr int kTimeoutMs = 5000;
const std::string kSettings =
    "[Zahlen]\r\nMittwoch=04111723364508098765432123456"
    "03.12.2026\r\nSamstag=01091427304406031234567654321"
    "06.12.2026\r\n";
// The main window's draw fields in record order, then Spiel 77 and Super 6.
const char* const kDrawFields[] = {"Edit1", "Edit2", "Edit3",  "Edit4", "Edit5",
                                   "Edit6", "Edit7", "Edit10", "Edit8", "Edit9"};

// Also runs a check from inside each message box, while the run waits for its answer.
struct WatchingPlatform : FakePlatform {
  std::function<void()> onMessage;
  void ShowMessage(MessageKind kind, const QString& text) override {
    if (onMessage) onMessage();
    FakePlatform::ShowMessage(kind, text);
  }
};

QStringList MemoLines(QWidget& window) {
  return FindControl<QPlainTextEdit>(&window, u"Memo1"_s)->toPlainText().split(u'\n');
}

// The program on a folder of its own, started as main() starts it.
struct Program {
  TempDir dir;
  FakePlatform platform;
  FixedClock clock{Date::FromYmd(2025, 12, 8)};
  ProgramWindows windows;

  Program() {
    WriteFile(dir / "ZW.INI", kSettings);
    windows = StartProgram(dir.path(), platform, clock);
    platform.messages.clear();
    windows.import->SetRunDelay(20ms);
  }
  QStringList DrawFields() const {
    QStringList texts;
    for (const char* name : kDrawFields) {
      texts << FindControl<QLineEdit>(windows.form1.get(), QString::fromLatin1(name))->text();
    }
    return texts;
  }
  QPushButton* Button(const char* name) const {
    return FindControl<QPushButton>(windows.form1.get(), QString::fromLatin1(name));
  }
  void ShowImport(const std::string& page) {
    WriteFile(dir / "lotto.tmp", page);
    windows.import->show();
  }
};

const QStringList kImportedSaturday = {u"3"_s,  u"12"_s, u"25"_s, u"31"_s,      u"40"_s,
                                       u"49"_s, u"17"_s, u"4"_s,  u"1234567"_s, u"654321"_s};

}  // namespace

class ImportWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void looksAsBuiltAndWaitsASecond();
  void outcomes_data();
  void outcomes();
  void mainWindowShowsImportedSaturday();
  void importClosedByHandStillReachesMainWindow();
  void failedImportEndsProgramWithDrawingsSaved();
};

void ImportWindowTest::looksAsBuiltAndWaitsASecond() {
  Program p;
  TImport& import = *p.windows.import;
  QVERIFY(!import.isVisible());
  QCOMPARE(import.objectName(), u"TImport"_s);
  QCOMPARE(import.windowTitle(), u"Import"_s);
  QCOMPARE(import.size(), QSize(233, 122));
  QVERIFY(import.windowFlags().testFlag(Qt::Tool));
  auto* memo = import.findChild<QPlainTextEdit*>(u"Memo1"_s);
  QCOMPARE(memo->geometry(), QRect(0, 0, 233, 121));
  QVERIFY(memo->isReadOnly());
  QCOMPARE(import.findChild<QTimer*>(u"Timer1"_s)->interval(), 10);
  auto* timer2 = import.findChild<QTimer*>(u"Timer2"_s);
  QVERIFY(!timer2->isActive());

  // The program's own delay: right after the showing nothing has been read yet.
  TImport fresh(ImportFiles::In(p.dir.path()), p.platform);
  QCOMPARE(fresh.findChild<QTimer*>(u"Timer2"_s)->interval(), 1000);
  WriteFile(p.dir / "lotto.tmp", GoodPage());
  fresh.show();
  QVERIFY(QTest::qWaitForWindowExposed(&fresh));
  QCOMPARE(MemoLines(fresh), QStringList{u"Preprocessing ..."_s});
  QVERIFY(fresh.findChild<QTimer*>(u"Timer2"_s)->isActive());
  QVERIFY(std::filesystem::exists(p.dir / "lotto.tmp"));
  const QPoint centre = fresh.screen()->availableGeometry().center();
  // Centred up to the few pixels of the window frame.
  QVERIFY((fresh.geometry().center() - centre).manhattanLength() <= 8);
}

// Each outcome as the window shows it. The window closes in every case; only a failed import
// asks the program to end.
void ImportWindowTest::outcomes_data() {
  QTest::addColumn<QByteArray>("page");
  QTest::addColumn<bool>("settingsWritable");
  QTest::addColumn<QStringList>("log");
  QTest::addColumn<int>("messageKind");
  QTest::addColumn<QString>("message");
  QTest::addColumn<bool>("ends");

  const QByteArray good = QByteArray::fromStdString(GoodPage());
  QTest::newRow("success") << good << true
                           << QStringList{u"Preprocessing ..."_s,
                                          u"beendet"_s,
                                          u"Suche nach Zahlen ..."_s,
                                          u"gefunden"_s,
                                          u"Durchsuchung beendet"_s,
                                          u"Speichere Daten ..."_s,
                                          u"beendet"_s}
                           << int(MessageKind::Plain)
                           << "Es wurden erfolgreich neue Zahlen importiert." << false;
  QTest::newRow("empty page") << QByteArray() << true << QStringList{u"Preprocessing ..."_s}
                              << int(MessageKind::Plain) << "Ein Fehler ist aufgetreten" << true;
  QTest::newRow("page without numbers")
      << QByteArray("<body>Wartungsarbeiten</body>") << true
      << QStringList{u"Preprocessing ..."_s, u"beendet"_s, u"Suche nach Zahlen ..."_s, u"FEHLER!"_s}
      << int(MessageKind::Plain)
      << "Ein Fehler ist aufgetreten. Wahrscheinlich wurde die Internet Seite neu gestaltet. "
         "Schauen Sie nach, ob es ein update gibt."
      << true;
  // The program goes on: the general error box, no end.
  QTest::newRow("ZW.INI not writable")
      << good << false << QStringList{u"Preprocessing ..."_s,     u"beendet"_s,
                                      u"Suche nach Zahlen ..."_s, u"gefunden"_s,
                                      u"Durchsuchung beendet"_s,  u"Speichere Daten ..."_s}
      << int(MessageKind::Error) << "Unable to write to %1." << false;
}

void ImportWindowTest::outcomes() {
  QFETCH(QByteArray, page);
  QFETCH(bool, settingsWritable);
  QFETCH(QStringList, log);
  QFETCH(int, messageKind);
  QFETCH(QString, message);
  QFETCH(bool, ends);

  TempDir dir;
  WatchingPlatform platform;
  ImportFiles files = ImportFiles::In(dir.path());
  if (!settingsWritable) {
    WriteFile(dir / "file", "x");
    files.settings = dir / "file" / "ZW.INI";
    message = message.arg(QString::fromStdString(files.settings.string()));
  }
  TImport import(files, platform);
  import.SetRunDelay(1ms);
  int endRequests = 0;
  int closedAfterImport = 0;
  connect(&import, &TImport::endRequested, [&] { ++endRequests; });
  connect(&import, &TImport::importClosed, [&] { ++closedAfterImport; });
  // Seen from inside the message box: the log is complete and the window still open.
  QStringList logAtMessage;
  platform.onMessage = [&] { logAtMessage = MemoLines(import); };

  WriteFile(files.page, page.toStdString());
  import.show();
  QTRY_VERIFY_WITH_TIMEOUT(!platform.messages.empty(), kTimeoutMs);
  QTRY_VERIFY_WITH_TIMEOUT(!import.isVisible(), kTimeoutMs);

  QCOMPARE(logAtMessage, log);
  QCOMPARE(platform.texts(), QStringList{message});
  QCOMPARE(int(platform.messages.front().kind), messageKind);
  QCOMPARE(endRequests, ends ? 1 : 0);
  const bool success = settingsWritable && !ends;
  QCOMPARE(import.importDone(), success);
  QCOMPARE(closedAfterImport, success ? 1 : 0);
  QVERIFY(!std::filesystem::exists(files.page));
  QVERIFY(!std::filesystem::exists(files.filtered));
  QCOMPARE(std::filesystem::exists(files.settings), success);
}

void ImportWindowTest::mainWindowShowsImportedSaturday() {
  Program p;
  p.Button("Button7")->click();  // Wednesday shown
  QCOMPARE(p.Button("Button7")->text(), u"Samstag anzeigen"_s);

  p.ShowImport(GoodPage());
  QTRY_COMPARE_WITH_TIMEOUT(p.DrawFields(), kImportedSaturday, kTimeoutMs);
  QCOMPARE(p.Button("Button7")->text(), u"Mittwoch anzeigen"_s);
  QCOMPARE(p.windows.form1->findChild<QGroupBox*>(u"GroupBox2"_s)->title(),
           u"Aktuelle Zahlen (Samstag, den 06.12.2025)"_s);
  QVERIFY(!p.windows.import->isVisible());
  QCOMPARE(p.platform.texts(), QStringList{u"Es wurden erfolgreich neue Zahlen importiert."_s});
  QCOMPARE(p.windows.form1->storedDraws()[DrawDay::Wednesday].spiel77, "7654321");
}

void ImportWindowTest::importClosedByHandStillReachesMainWindow() {
  Program p;
  p.ShowImport(GoodPage());
  p.windows.import->close();
  QTRY_COMPARE_WITH_TIMEOUT(p.DrawFields(), kImportedSaturday, kTimeoutMs);
}

void ImportWindowTest::failedImportEndsProgramWithDrawingsSaved() {
  Program p;
  // Typed Saturday numbers reach the stored drawing through the day toggle.
  p.windows.form1->findChild<QLineEdit*>(u"Edit1"_s)->setText(u"2"_s);
  p.Button("Button7")->click();
  // Typed Wednesday numbers, never toggled, reach it as "&Beenden" would store them.
  p.windows.form1->findChild<QLineEdit*>(u"Edit1"_s)->setText(u"5"_s);
  std::filesystem::remove(p.dir / "ZW.INI");

  p.ShowImport("");
  QTimer::singleShot(kTimeoutMs, [] { QCoreApplication::exit(1); });  // a hang fails
  QCOMPARE(QCoreApplication::exec(), 0);

  QCOMPARE(p.platform.texts(), QStringList{u"Ein Fehler ist aufgetreten"_s});
  p.windows.form1.reset();  // the end of main(): FormDestroy saves
  QCOMPARE(ReadProfileString(p.dir / "ZW.INI", "Zahlen", "Samstag"),
           "02091427304406031234567654321"
           "06.12.2026");
  QCOMPARE(ReadProfileString(p.dir / "ZW.INI", "Zahlen", "Mittwoch"),
           "05111723364508098765432123456"
           "03.12.2026");
  QVERIFY(!std::filesystem::exists(p.dir / "lotto.tmp"));
}

}  // namespace kw::test

int main(int argc, char* argv[]) {
  kw::Application app(argc, argv);
  kw::test::ImportWindowTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "import_window_test.moc"
