// The main window driven as a user drives it: start, ticket display, evaluation, the day toggle,
// loading, ending, and the notices at start.

#include <QSignalSpy>
#include <QTest>

#include "app/application.h"
#include "core/error.h"
#include "tests/support/special_files.h"
#include "tests/ui/window_fixture.h"

using namespace Qt::StringLiterals;

namespace kw::test {
namespace {

// The worked example: one game with three hits and the Zusatzzahl, five Spiel 77 digits and
// three Super 6 digits from the right.
const std::string kExampleTicket =
    "[Schein]\r\n"
    "Spiel3=03 07 12 25 33 41 \r\n"
    "Spiel5=01 02 04 05 06 08 \r\n"
    "Losnummer=4711235\r\n"
    "Ablauf=19.12.2026\r\n";
const QStringList kExampleDraw = {u"3"_s,  u"12"_s, u"19"_s, u"25"_s,      u"40"_s,
                                  u"44"_s, u"7"_s,  u"5"_s,  u"9911235"_s, u"000235"_s};
const QStringList kExampleReport = {
    u"Richtige in Spiel 3: 3 (und Zusatzzahl) => Gewinnklasse VII"_s,
    u""_s,
    u"Richtige im Spiel77: 5 => 7000 EUR (Gewinnklasse III)"_s,
    u"Richtige bei Super6: 3 => 66 EUR (Gewinnklasse IV)"_s,
};

const QStringList kSaturdayFields = {u"1"_s,  u"9"_s, u"14"_s, u"27"_s,      u"30"_s,
                                     u"44"_s, u"6"_s, u"3"_s,  u"1234567"_s, u"654321"_s};
const QStringList kWednesdayFields = {u"4"_s,  u"11"_s, u"17"_s, u"23"_s,      u"36"_s,
                                      u"45"_s, u"8"_s,  u"9"_s,  u"8765432"_s, u"123456"_s};
const QString kSaturdayCaption = u"Aktuelle Zahlen (Samstag, den 06.12.2026)"_s;
const QString kWednesdayCaption = u"Aktuelle Zahlen (Mittwoch, den 03.12.2026)"_s;

QStringList PlainTicketLabels() {
  QStringList texts;
  for (int g = 1; g <= 12; ++g) texts << QStringLiteral("Spiel %1:").arg(g, 2, 10, QChar(u'0'));
  return texts << u"Spiel77:"_s << u"Super6 :"_s << u"Ablauf :"_s;
}

QStringList MemoLines(const QPlainTextEdit* memo) { return memo->toPlainText().split(u'\n'); }

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void startWithoutSettingsFile();
  void startShowsRememberedTicketAndSaturday();
  void ticketLines_data();
  void ticketLines();
  void loadFailureShowsErrorBoxAndLeavesNoTicket_data();
  void loadFailureShowsErrorBoxAndLeavesNoTicket();
  void pathOutsideWindows1252IsRefused();
  void evaluationFillsAndShowsReport_data();
  void evaluationFillsAndShowsReport();
  void drawingWithoutZusatzzahlByThePlanOfItsDay_data();
  void drawingWithoutZusatzzahlByThePlanOfItsDay();
  void refusedOrUnconvertibleDrawingKeepsFields_data();
  void refusedOrUnconvertibleDrawingKeepsFields();
  void dayToggleKeepsTypedNumbers();
  void dayToggleStopsAtBadField_data();
  void dayToggleStopsAtBadField();
  void storedNegativeNumberIsRefused();
  void quitStoresShownDayAndSaves();
  void quitStopsWhenSettingsCannotBeWritten();
  void unreadableSettingsFileIsKeptAndQuitEndsAfterSayingSo_data();
  void unreadableSettingsFileIsKeptAndQuitEndsAfterSayingSo();
  void everyEndKeepsTheTypedDrawing_data();
  void everyEndKeepsTheTypedDrawing();
  void dateKeepsItsYearThroughSaveAndStart();
  void ticketMissingAtStartStaysNamed_data();
  void ticketMissingAtStartStaysNamed();
  void dayToggleDoesNotGoByItsCaption();
  void activationPutsStoredSaturdayBack();
  void validityNoticeAtStart_data();
  void validityNoticeAtStart();
  void editorButtonSavesOpensAndReloads();
  void linkOpensLotteryHomePage();
};

void MainWindowTest::startWithoutSettingsFile() {
  WindowFixture f;
  f.Start();

  QVERIFY(f.startMessages.empty());
  QCOMPARE(f.Find<QTabWidget>("PageControl1")->currentWidget()->objectName(), u"TabSheet3"_s);
  QCOMPARE(f.DrawCaption(), u"Aktuelle Zahlen (Samstag, den )"_s);
  QCOMPARE(f.Button(7)->text(), u"Mittwoch anzeigen"_s);
  QCOMPARE(f.DrawFields(), QStringList(10, QString()));
  QCOMPARE(f.TicketLabels(), PlainTicketLabels());
  QVERIFY(!f.Memo()->isVisible());
  QCOMPARE(f.form->windowIcon().availableSizes(), QList<QSize>{QSize(256, 256)});

  // The empty first field stops the toggle at once.
  f.Click(f.Button(7));
  QCOMPARE(f.Button(7)->text(), u"Mittwoch anzeigen"_s);
  QCOMPARE(f.DrawCaption(), u"Aktuelle Zahlen (Samstag, den )"_s);

  // With eight integers typed they become the Saturday drawing and the empty Wednesday shows.
  f.TypeDrawFields({u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s, u"7"_s, u"8"_s});
  f.Click(f.Button(7));
  QCOMPARE(f.Button(7)->text(), u"Samstag anzeigen"_s);
  QCOMPARE(f.DrawCaption(), u"Aktuelle Zahlen (Mittwoch, den )"_s);
  QCOMPARE(f.DrawFields(), (QStringList{u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s,
                                        u"0"_s, u""_s, u""_s}));
  const DrawResult& saturday = f.form->storedDraws()[DrawDay::Saturday];
  QCOMPARE(saturday.numbers, (std::array<uint8_t, 8>{1, 2, 3, 4, 5, 6, 7, 8}));
  QVERIFY(f.platform.messages.empty());
}

void MainWindowTest::startShowsRememberedTicketAndSaturday() {
  WindowFixture f;
  f.WriteStandardSettings();
  f.Start();

  QCOMPARE(f.TicketLabels(), (QStringList{
                                 u"Spiel 01:  3  15  22  31  40  49 "_s,
                                 u"Spiel 02:  1   7  12  19  33  45 "_s,
                                 u"Spiel 03: -"_s,
                                 u"Spiel 04: -"_s,
                                 u"Spiel 05: -"_s,
                                 u"Spiel 06: -"_s,
                                 u"Spiel 07: -"_s,
                                 u"Spiel 08: -"_s,
                                 u"Spiel 09: -"_s,
                                 u"Spiel 10: -"_s,
                                 u"Spiel 11: -"_s,
                                 u"Spiel 12:  5   6  17  28  39  42 "_s,
                                 u"Spiel77: 4711235"_s,
                                 u"Super6 : 711235"_s,
                                 u"Ablauf : 19.12.2026"_s,
                             }));
  QCOMPARE(f.DrawFields(), kSaturdayFields);
  QCOMPARE(f.DrawCaption(), kSaturdayCaption);
  QCOMPARE(f.Button(7)->text(), u"Mittwoch anzeigen"_s);
  QCOMPARE(f.form->ticket().path, f.Path("ticket.sch"));
}

void MainWindowTest::ticketLines_data() {
  QTest::addColumn<QString>("games");  // Spiel1 and Spiel2 lines of the file
  QTest::addColumn<QString>("line1");
  QTest::addColumn<QString>("line2");

  QTest::newRow("first game empty, second played") << "Spiel1=\r\nSpiel2=03 15 22 31 40 49 \r\n"
                                                   << "Der Schein ist leer"
                                                   << "Spiel 02:  3  15  22  31  40  49 ";
  QTest::newRow("zero first, other numbers set: shown as empty")
      << "Spiel1=00 15 22 31 40 49 \r\nSpiel2=00 01 02 03 04 05 \r\n"
      << "Der Schein ist leer"
      << "Spiel 02: -";
  QTest::newRow("zero in a later position keeps its four cells")
      << "Spiel1=05 12 00 33 40 41 \r\nSpiel2=\r\n"
      << "Spiel 01:  5  12   0  33  40  41 "
      << "Spiel 02: -";
}

void MainWindowTest::ticketLines() {
  QFETCH(QString, games);
  QFETCH(QString, line1);
  QFETCH(QString, line2);
  WindowFixture f;
  f.WriteStandardSettings();
  f.WriteFile("other.sch",
              "[Schein]\r\n" + games.toStdString() + "Losnummer=12345\r\nAblauf=01.02.2027\r\n");
  f.Start();
  f.Find<QPlainTextEdit>("Memo1")->setPlainText(u"old report"_s);

  f.platform.fileAnswers << QString::fromStdString(f.Path("other.sch"));
  f.Click(f.Button(2));

  QCOMPARE(f.Label(1)->text(), line1);
  QCOMPARE(f.Label(2)->text(), line2);
  QCOMPARE(f.Label(12)->text(), u"Spiel 12: -"_s);
  // A short lot number has no Super 6 digits beyond its own.
  QCOMPARE(f.Label(13)->text(), u"Spiel77: 12345"_s);
  QCOMPARE(f.Label(14)->text(), u"Super6 : 2345"_s);
  QCOMPARE(f.Label(17)->text(), u"Ablauf : 01.02.2027"_s);
  QCOMPARE(f.Memo()->toPlainText(), u""_s);
  QCOMPARE(f.form->ticket().path, f.Path("other.sch"));
  QCOMPARE(f.ReadSetting("Meine Scheine", "Schein1"), f.Path("other.sch"));  // the household's
}

void MainWindowTest::loadFailureShowsErrorBoxAndLeavesNoTicket_data() {
  QTest::addColumn<QString>("file");       // empty: the chosen file does not exist
  QTest::addColumn<QString>("errorText");  // %1: the chosen path

  QTest::newRow("missing file fails on the empty date") << ""
                                                        << "'' is not a valid date.";
  QTest::newRow("single digits without zeros")
      << "[Schein]\r\nSpiel1=1 2 3 4 5 6\r\nAblauf=01.01.2027\r\n"
      << "'1 ' is not a valid integer value.";
  QTest::newRow("bad date") << "[Schein]\r\nSpiel1=01 02 03 04 05 06 \r\nAblauf=31.02.2027\r\n"
                            << "'31.02.2027' is not a valid date.";
  // Kept as 255, it would be saved in three columns that no reader takes back.
  QTest::newRow("negative number")
      << "[Schein]\r\nSpiel1=-1 07 12 19 33 45 \r\nAblauf=01.01.2027\r\n"
      << "Die Zahl -1 in Spiel 1 an Stelle 1 ist ung\u00fcltig.";
  // Not files at all, or far too large: "folder", "fifo" and "large" make them.
  QTest::newRow("a folder") << "folder"
                            << "'%1' ist ein Ordner und keine Datei.";
  QTest::newRow("a pipe, which must not block") << "fifo"
                                                << "'%1' ist keine gew\u00f6hnliche Datei.";
  QTest::newRow("50 MB") << "large"
                         << "'%1' ist gr\u00f6\u00dfer als 4 MB und wird nicht gelesen.";
}

void MainWindowTest::loadFailureShowsErrorBoxAndLeavesNoTicket() {
  QFETCH(QString, file);
  QFETCH(QString, errorText);
  WindowFixture f;
  f.WriteStandardSettings();
  const std::string broken = f.Path("broken.sch");
  if (file == u"folder"_s) {
    std::filesystem::create_directory(broken);
  } else if (file == u"fifo"_s) {
    if (!test::kHasFifos) QSKIP("Windows has no pipes in the file system");
    QVERIFY(test::MakeFifo(broken));
  } else if (file == u"large"_s) {
    f.WriteFile("broken.sch", kTicketFile);
    std::filesystem::resize_file(broken, 50'000'000);
  } else if (!file.isEmpty()) {
    f.WriteFile("broken.sch", file.toStdString());
  }
  f.Start();

  f.platform.fileAnswers << QString::fromStdString(broken);
  f.Click(f.Button(2));

  QCOMPARE(f.platform.texts(),
           QStringList{errorText.replace(u"%1"_s, QString::fromStdString(broken))});
  QCOMPARE(f.platform.messages.front().kind, MessageKind::Error);
  QCOMPARE(f.TicketLabels(), PlainTicketLabels());
  QVERIFY(f.form->ticket().path.empty());
  QCOMPARE(f.ReadSetting("Meine Scheine", "Schein1"), "");  // no ticket, nothing remembered
  // The program goes on; its next save records that there is no current ticket.
  f.form.reset();
  QCOMPARE(f.ReadSetting("Einstellungen", "Schein"), "");
}

void MainWindowTest::pathOutsideWindows1252IsRefused() {
  WindowFixture f;
  f.WriteStandardSettings();
  f.Start();
  const QStringList before = f.TicketLabels();
  f.platform.fileAnswers << QString::fromStdString(f.Path("")) + QString::fromUtf8("\u03a9.sch");

  f.Click(f.Button(2));

  // The settings file could not keep this path; no other file may stand in for it.
  QCOMPARE(f.platform.texts(),
           QStringList{u"Der Dateiname '"_s + QString::fromStdString(f.Path("")) +
                       u"?.sch' enth\u00e4lt Zeichen, die Kreuzwart nicht speichern kann."_s});
  QCOMPARE(f.TicketLabels(), before);
  QCOMPARE(f.form->ticket().path, f.Path("ticket.sch"));
}

void MainWindowTest::evaluationFillsAndShowsReport_data() {
  QTest::addColumn<bool>("byEnter");
  QTest::newRow("button click") << false;
  QTest::newRow("Enter in a draw field") << true;
}

void MainWindowTest::evaluationFillsAndShowsReport() {
  QFETCH(bool, byEnter);
  WindowFixture f;
  f.WriteFile("example.sch", kExampleTicket);
  f.WriteFile("ZW.INI", "[Einstellungen]\r\nSchein=" + f.Path("example.sch") + "\r\n");
  f.Start();
  f.Find<QTabWidget>("PageControl1")->setCurrentIndex(1);
  f.TypeDrawFields(kExampleDraw);
  QVERIFY(!f.Memo()->isVisible());

  for (int run = 0; run < 2; ++run) {  // a second run replaces the report, it does not add to it
    if (byEnter) {
      QTest::keyClick(f.Edit(4), Qt::Key_Return);
    } else {
      f.Click(f.Button(3));
    }
    QCOMPARE(MemoLines(f.Memo()), kExampleReport);
    QVERIFY(f.Memo()->isVisible());
  }
  QVERIFY(f.platform.messages.empty());
  QCOMPARE(f.DrawFields(), kExampleDraw);
}

void MainWindowTest::drawingWithoutZusatzzahlByThePlanOfItsDay_data() {
  QTest::addColumn<QString>("drawDate");  // of the stored Saturday drawing
  QTest::addColumn<QStringList>("report");
  // Today, 01.12.2026, is a Tuesday: without a date the plan in force is Saturday's.
  QTest::newRow("no date: today's plan")
      << QString()
      << QStringList{u"Spiel 1: 2 Richtige + Superzahl, Gewinnklasse IX, 6,00 \u20ac"_s,
                     u"Spiel 77: 5 Endziffern, Gewinnklasse III, 7.777,00 \u20ac"_s,
                     u"Gewinn insgesamt: 7.783,00 \u20ac"_s};
  QTest::newRow("a drawing of 2019")
      << u"07.12.2019"_s
      << QStringList{u"Spiel 1: 2 Richtige + Superzahl, Gewinnklasse IX, 5,00 \u20ac"_s,
                     u"Spiel 77: 5 Endziffern, Gewinnklasse III, 7.777,00 \u20ac"_s,
                     u"Gewinn insgesamt: 7.782,00 \u20ac"_s};
}

void MainWindowTest::drawingWithoutZusatzzahlByThePlanOfItsDay() {
  QFETCH(QString, drawDate);
  QFETCH(QStringList, report);
  WindowFixture f;
  // The term's Super 6 "nein" leaves out the Super 6 win the typed number would have.
  f.WriteFile("ticket.sch", kTicketFile + "Super6=nein\r\n");
  f.WriteFile("ZW.INI", "[Einstellungen]\r\nSchein=" + f.Path("ticket.sch") +
                            "\r\n[Zahlen]\r\nSamstag=" + kSaturdayLine.substr(0, 29) +
                            drawDate.toStdString() + "\r\n");
  f.Start();
  const QStringList typed{u"3"_s,  u"15"_s, u"8"_s, u"9"_s,       u"10"_s,
                          u"11"_s, u""_s,   u"5"_s, u"9911235"_s, u"000235"_s};
  f.TypeDrawFields(typed);
  f.Click(f.Button(3));
  QCOMPARE(MemoLines(f.Memo()), report);
  QVERIFY(f.Memo()->isVisible());
  QVERIFY(f.platform.messages.empty());
  QCOMPARE(f.DrawFields(), typed);
}

void MainWindowTest::refusedOrUnconvertibleDrawingKeepsFields_data() {
  QTest::addColumn<QStringList>("fields");
  QTest::addColumn<QString>("message");
  QTest::addColumn<bool>(
      "reportKept");  // a refusal leaves the last report; a failed conversion empties it

  QTest::newRow("no numbers")
      << QStringList(10, QString())
      << "Geben Sie aktuelle Zahlen ein, oder nutzen Sie die WWW Import Funktion." << true;
  QTest::newRow("Super 6 too short")
      << QStringList{u"3"_s,  u"12"_s, u"19"_s, u"25"_s,      u"40"_s,
                     u"44"_s, u"7"_s,  u"5"_s,  u"9911235"_s, u"0235"_s}
      << "Die Zahl vom Spiel Super 6 mu\u00df 6 Ziffern haben !" << true;
  QTest::newRow("blank after a number")
      << QStringList{u"3"_s,  u"5 "_s, u"19"_s, u"25"_s,      u"40"_s,
                     u"44"_s, u"7"_s,  u"5"_s,  u"9911235"_s, u"000235"_s}
      << "Die Ziehungszahlen sind falsch eingegeben !" << false;
}

void MainWindowTest::refusedOrUnconvertibleDrawingKeepsFields() {
  QFETCH(QStringList, fields);
  QFETCH(QString, message);
  QFETCH(bool, reportKept);
  WindowFixture f;
  f.WriteFile("example.sch", kExampleTicket);
  f.WriteFile("ZW.INI", "[Einstellungen]\r\nSchein=" + f.Path("example.sch") + "\r\n");
  f.Start();
  f.TypeDrawFields(kExampleDraw);
  f.Click(f.Button(3));
  QCOMPARE(MemoLines(f.Memo()), kExampleReport);

  f.TypeDrawFields(fields);
  f.Click(f.Button(3));

  QCOMPARE(f.platform.texts(), QStringList{message});
  QCOMPARE(f.platform.messages.front().kind, MessageKind::Plain);
  QCOMPARE(f.DrawFields(), fields);
  QCOMPARE(f.Memo()->toPlainText(), reportKept ? kExampleReport.join(u'\n') : QString());
  QVERIFY(f.Memo()->isVisible());
}

void MainWindowTest::dayToggleKeepsTypedNumbers() {
  WindowFixture f;
  f.WriteStandardSettings();
  f.Start();

  f.Click(f.Button(7));
  QCOMPARE(f.DrawFields(), kWednesdayFields);
  QCOMPARE(f.Button(7)->text(), u"Samstag anzeigen"_s);
  QCOMPARE(f.DrawCaption(), kWednesdayCaption);

  f.Click(f.Button(7));
  QCOMPARE(f.DrawFields(), kSaturdayFields);
  QCOMPARE(f.Button(7)->text(), u"Mittwoch anzeigen"_s);
  QCOMPARE(f.DrawCaption(), kSaturdayCaption);

  // Typed Wednesday numbers survive a trip to Saturday and back.
  f.Click(f.Button(7));
  const QStringList typed = {u"2"_s,  u"13"_s, u"21"_s, u"34"_s,      u"41"_s,
                             u"48"_s, u"9"_s,  u"0"_s,  u"7777777"_s, u"666666"_s};
  f.TypeDrawFields(typed);
  f.Click(f.Button(7));
  QCOMPARE(f.DrawFields(), kSaturdayFields);
  f.Click(f.Button(7));
  QCOMPARE(f.DrawFields(), typed);
  QCOMPARE(f.DrawCaption(), kWednesdayCaption);  // the date is never taken from the fields
  QVERIFY(f.platform.messages.empty());
}

void MainWindowTest::dayToggleStopsAtBadField_data() {
  QTest::addColumn<QString>("third");  // typed into Edit3
  QTest::newRow("letter") << "x";
  QTest::newRow("empty") << "";
  QTest::newRow("blank after the number") << "3 ";
  // A stored line keeps two columns per number: -1 would be stored as 255 and its three digits
  // would shift every later column of the settings file.
  QTest::newRow("negative") << "-1";
}

void MainWindowTest::dayToggleStopsAtBadField() {
  QFETCH(QString, third);
  WindowFixture f;
  f.WriteStandardSettings();
  f.Start();
  QStringList typed = kSaturdayFields;
  typed[0] = u"2"_s;
  typed[1] = u"99"_s;
  typed[2] = third;
  typed[3] = u"5"_s;
  f.TypeDrawFields(typed);

  f.Click(f.Button(7));

  QCOMPARE(f.DrawFields(), typed);
  QCOMPARE(f.Button(7)->text(), u"Mittwoch anzeigen"_s);
  QCOMPARE(f.DrawCaption(), kSaturdayCaption);
  QVERIFY(f.platform.messages.empty());
  // The fields before the bad one are stored, nothing after it.
  const DrawResult& saturday = f.form->storedDraws()[DrawDay::Saturday];
  QCOMPARE(saturday.numbers, (std::array<uint8_t, 8>{2, 99, 14, 27, 30, 44, 6, 3}));

  f.form.reset();
  QCOMPARE(f.ReadSetting("Zahlen", "Samstag"),
           "02991427304406031234567654321"
           "06.12.2026");
}

void MainWindowTest::storedNegativeNumberIsRefused() {
  WindowFixture f;
  f.WriteStandardSettings();
  // A hand-edited line: "-1" in the columns of the second number would be kept as 255 and
  // written back in three columns. The line is refused; Wednesday is read all the same.
  f.WriteFile("ZW.INI", "[Zahlen]\r\nMittwoch=" + kWednesdayLine +
                            "\r\nSamstag=01-11427304406031234567654321"
                            "06.12.2026\r\n");
  f.Start();
  QCOMPARE(f.Edit(2)->text(), u""_s);
  QCOMPARE(f.form->storedDraws()[DrawDay::Saturday].numbers, (std::array<uint8_t, 8>{}));
  QCOMPARE(f.form->storedDraws()[DrawDay::Wednesday].spiel77,
           std::string(kWednesdayLine.substr(16, 7)));
}

void MainWindowTest::quitStoresShownDayAndSaves() {
  WindowFixture f;
  f.WriteStandardSettings();
  f.Start();
  QSignalSpy ended(f.form.get(), &TForm1::endRequested);
  f.Click(f.Button(7));  // Wednesday
  f.TypeDrawFields({u"2"_s, u"13"_s, u"21"_s, u"34"_s, u"41"_s, u"48"_s, u"9"_s, u"0"_s,
                    u"7777777"_s, u"666666"_s});
  f.Click(f.Button(1));
  QCOMPARE(ended.count(), 1);
  QCOMPARE(f.ReadSetting("Zahlen", "Mittwoch"),
           "02132134414809007777777666666"
           "03.12.2026");
  QCOMPARE(f.ReadSetting("Zahlen", "Samstag"),
           "01091427304406031234567654321"
           "06.12.2026");
  QCOMPARE(f.ReadSetting("Einstellungen", "Schein"), f.Path("ticket.sch"));

  // A field that is no number stops the storing, not the saving nor the end.
  f.Edit(1)->setText(u"8"_s);
  f.Edit(2)->setText(u"zz"_s);
  f.Click(f.Button(1));
  QCOMPARE(ended.count(), 2);
  QVERIFY(f.platform.messages.empty());
  QCOMPARE(f.ReadSetting("Zahlen", "Samstag"),
           "08091427304406031234567654321"
           "06.12.2026");
}

void MainWindowTest::quitStopsWhenSettingsCannotBeWritten() {
  WindowFixture f;
  f.WriteStandardSettings();
  f.writer = [](const std::filesystem::path& file, std::string_view section, std::string_view key,
                std::string_view value) {
    if (key == "Mittwoch") throw WriteError(file.string());
    WriteProfileString(file, section, key, value);
  };
  f.Start();
  QSignalSpy ended(f.form.get(), &TForm1::endRequested);

  f.Click(f.Button(1));

  QCOMPARE(ended.count(), 0);
  const QString error =
      u"Unable to write to "_s + QString::fromStdString(f.Path("ZW.INI")) + u"."_s;
  QCOMPARE(f.platform.texts(), QStringList{error});
  QCOMPARE(f.platform.messages.back().kind, MessageKind::Error);

  // Destroying the window tries once more, shows the same box and the program ends anyway.
  f.form.reset();
  QCOMPARE(f.platform.texts(), (QStringList{error, error}));
}

void MainWindowTest::unreadableSettingsFileIsKeptAndQuitEndsAfterSayingSo_data() {
  QTest::addColumn<QString>("make");
  QTest::newRow("a folder in place of ZW.INI") << "folder";
  QTest::newRow("a ZW.INI of 50 MB") << "large";
}

void MainWindowTest::unreadableSettingsFileIsKeptAndQuitEndsAfterSayingSo() {
  QFETCH(QString, make);
  WindowFixture f;
  const std::filesystem::path ini = f.Path("ZW.INI");
  if (make == u"folder"_s) {
    std::filesystem::create_directory(ini);
  } else {
    f.WriteStandardSettings();
    std::filesystem::resize_file(ini, 50'000'000);
  }
  f.Start();
  QSignalSpy ended(f.form.get(), &TForm1::endRequested);

  // Reading the settings is silent by design: nothing is loaded and nothing is said.
  QVERIFY(f.startMessages.empty());
  QCOMPARE(f.TicketLabels(), PlainTicketLabels());

  // A save would put the three keys alone in its place: it is refused, and the program says so
  // once, and ends all the same: no later save could do better.
  f.Click(f.Button(1));
  QCOMPARE(ended.count(), 1);
  const QStringList refused = {u"Unable to write to "_s + QString::fromStdString(ini.string()) +
                               u"."_s};
  QCOMPARE(f.platform.texts(), refused);
  f.form.reset();
  QCOMPARE(f.platform.texts(), refused);
  if (make == u"folder"_s) {
    QVERIFY(std::filesystem::is_empty(ini));
  } else {
    QCOMPARE(std::filesystem::file_size(ini), 50'000'000u);
  }
}

void MainWindowTest::everyEndKeepsTheTypedDrawing_data() {
  QTest::addColumn<QString>("end");
  QTest::newRow("the title bar or Alt+F4") << "close";
  QTest::newRow("the program's end, the window destroyed") << "destroy";
  QTest::newRow("\"&Beenden\", then the window closes") << "quit";
}

// Whichever way the program ends, what was typed into the draw fields is stored into the day
// shown and saved, once, as "&Beenden" does it.
void MainWindowTest::everyEndKeepsTheTypedDrawing() {
  QFETCH(QString, end);
  WindowFixture f;
  f.WriteStandardSettings();
  f.Start();
  f.Click(f.Button(7));  // Wednesday
  f.Edit(1)->setText(u"2"_s);
  f.Edit(8)->setText(u"1111111"_s);

  if (end == u"quit"_s) f.Click(f.Button(1));
  if (end != u"destroy"_s) {
    QVERIFY(f.form->close());
    // Stored once: a second storing would have switched the display back to Wednesday.
    QCOMPARE(f.Button(7)->text(), u"Mittwoch anzeigen"_s);
  }
  f.form.reset();

  QCOMPARE(f.ReadSetting("Zahlen", "Mittwoch"),
           "02111723364508091111111123456"
           "03.12.2026");
  QCOMPARE(f.ReadSetting("Zahlen", "Samstag"), kSaturdayLine);
  QVERIFY(f.platform.messages.empty());
}

// "05.12.2026" is saved and read back whole; cut to eight characters it would read as 2020.
void MainWindowTest::dateKeepsItsYearThroughSaveAndStart() {
  WindowFixture f;
  f.WriteStandardSettings();
  f.Start();
  f.Click(f.Button(1));
  f.form.reset();
  QCOMPARE(f.ReadSetting("Zahlen", "Samstag"), kSaturdayLine);

  f.Start();
  QCOMPARE(f.DrawCaption(), u"Aktuelle Zahlen (Samstag, den 06.12.2026)"_s);
  f.Click(f.Button(7));
  QCOMPARE(f.DrawCaption(), u"Aktuelle Zahlen (Mittwoch, den 03.12.2026)"_s);
}

void MainWindowTest::ticketMissingAtStartStaysNamed_data() {
  QTest::addColumn<QString>("then");  // what the person does before "&Beenden"
  QTest::addColumn<QString>(
      "schein");  // the file "Schein" names afterwards, in the fixture's folder
  QTest::newRow("nothing") << ""
                           << "stick.sch";
  QTest::newRow("the ticket editor, saving nothing") << "editor"
                                                     << "stick.sch";
  QTest::newRow("another ticket loaded") << "load"
                                         << "ticket.sch";
  QTest::newRow("a broken ticket loaded") << "load broken"
                                          << "";
}

// A ticket file out of reach at start (a USB stick not plugged in) stays the one ZW.INI names,
// until the person loads or saves another.
void MainWindowTest::ticketMissingAtStartStaysNamed() {
  QFETCH(QString, then);
  QFETCH(QString, schein);
  WindowFixture f;
  f.WriteStandardSettings();
  const std::string stick = f.Path("stick.sch");
  f.WriteFile("ZW.INI", "[Einstellungen]\r\nSchein=" + stick +
                            "\r\n[Zahlen]\r\nSamstag=" + kSaturdayLine + "\r\n");
  f.Start();
  QVERIFY(f.form->ticket().path.empty());
  QCOMPARE(f.TicketLabels(), PlainTicketLabels());
  QCOMPARE(f.DrawFields(), kSaturdayFields);
  QVERIFY(f.startMessages.empty());

  if (then == u"editor"_s) {
    std::string seen;
    f.form->SetTicketEditor([&] {
      seen = f.ReadSetting("Einstellungen", "Schein");
      WriteProfileString(f.Path("ZW.INI"), "Einstellungen", "Schein", "");  // cancelled
    });
    f.Click(f.Button(4));
    QCOMPARE(seen, stick);
  } else if (then == u"load"_s) {
    f.platform.fileAnswers << QString::fromStdString(f.Path("ticket.sch"));
    f.Click(f.Button(2));
  } else if (then == u"load broken"_s) {
    f.WriteFile("broken.sch", "[Schein]\r\nAblauf=kaputt\r\n");
    f.platform.fileAnswers << QString::fromStdString(f.Path("broken.sch"));
    f.Click(f.Button(2));
    QCOMPARE(f.platform.texts(), QStringList{u"'kaputt' is not a valid date."_s});
  }
  f.Click(f.Button(1));
  QCOMPARE(f.ReadSetting("Einstellungen", "Schein"),
           schein.isEmpty() ? std::string() : f.Path(qPrintable(schein)));
}

// The day shown is the window's own state, whatever its button reads.
void MainWindowTest::dayToggleDoesNotGoByItsCaption() {
  WindowFixture f;
  f.WriteStandardSettings();
  f.Start();
  f.Button(7)->setText(u"Mittwoch &anzeigen"_s);  // say, a mnemonic added
  f.Edit(1)->setText(u"2"_s);

  f.Click(f.Button(7));

  QCOMPARE(f.DrawFields(), kWednesdayFields);
  QCOMPARE(f.DrawCaption(), kWednesdayCaption);
  QCOMPARE(f.form->storedDraws()[DrawDay::Saturday].numbers[0], 2);
}

void MainWindowTest::activationPutsStoredSaturdayBack() {
  WindowFixture f;
  f.WriteStandardSettings();
  f.Start();
  f.Click(f.Button(7));  // Wednesday shown
  f.Memo()->setPlainText(u"report"_s);
  f.Edit(8)->setText(u"1111111"_s);
  // An import writes new drawings while the window is inactive.
  f.WriteFile("ZW.INI", "[Einstellungen]\r\nSchein=" + f.Path("ticket.sch") +
                            "\r\n[Zahlen]\r\nMittwoch=" + kWednesdayLine +
                            "\r\nSamstag=02030405060708092222222333333"
                            "13.12.2026\r\n");

  f.form->FormActivate();

  QCOMPARE(f.DrawFields(), (QStringList{u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s, u"7"_s, u"8"_s,
                                        u"9"_s, u"2222222"_s, u"333333"_s}));
  QCOMPARE(f.Button(7)->text(), u"Mittwoch anzeigen"_s);
  QCOMPARE(f.DrawCaption(), u"Aktuelle Zahlen (Samstag, den 13.12.2026)"_s);
  QCOMPARE(f.Memo()->toPlainText(), u""_s);  // the ticket was loaded again
}

void MainWindowTest::validityNoticeAtStart_data() {
  QTest::addColumn<QDate>("today");
  QTest::addColumn<bool>("ticketLoaded");
  QTest::addColumn<int>("kind");  // -1: no box
  QTest::addColumn<QString>("text");
  const int warning = static_cast<int>(MessageKind::Warning);
  const int information = static_cast<int>(MessageKind::Information);

  QTest::newRow("day after expiry")
      << QDate(2026, 12, 20) << true << warning << "Ihr Spielschein ist vor 1 Tag(en) abgelaufen !";
  QTest::newRow("expiry day") << QDate(2026, 12, 19) << true << information
                              << "Ihr Spielschein l\u00e4uft heute ab !\r"
                                 "Ihr Spielschein nimmt an der heutigen Ziehung aber noch teil.";
  QTest::newRow("day before expiry") << QDate(2026, 12, 18) << true << information
                                     << "Ihr Spielschein ist noch weitere 1 Tag(e) g\u00fcltig.";
  QTest::newRow("no ticket") << QDate(2026, 12, 18) << false << -1 << "";
}

void MainWindowTest::validityNoticeAtStart() {
  QFETCH(QDate, today);
  QFETCH(bool, ticketLoaded);
  QFETCH(int, kind);
  QFETCH(QString, text);
  WindowFixture f;
  f.WriteStandardSettings();
  if (!ticketLoaded) f.WriteFile("ticket.sch", "[Schein]\r\nAblauf=kaputt\r\n");
  f.clock.Set(Date::FromYmd(today.year(), today.month(), today.day()));

  f.Start();
  f.form->FormActivate();  // activation never brings a notice

  QVERIFY(f.platform.messages.empty());
  if (kind < 0) {
    QVERIFY(f.startMessages.empty());
    return;
  }
  QCOMPARE(f.startMessages.size(), 1u);
  QCOMPARE(f.startMessages.front().text, text);
  QCOMPARE(static_cast<int>(f.startMessages.front().kind), kind);
}

void MainWindowTest::editorButtonSavesOpensAndReloads() {
  bool failWrites = false;  // outlives the window, whose destruction still writes
  WindowFixture f;
  f.WriteStandardSettings();
  f.WriteFile("saved.sch", kExampleTicket);
  f.writer = [&failWrites](const std::filesystem::path& file, std::string_view section,
                           std::string_view key, std::string_view value) {
    if (failWrites) throw WriteError(file.string());
    WriteProfileString(file, section, key, value);
  };
  f.Start();
  QVERIFY(!f.Button(4)->isEnabled());

  // The editor sees the path the window saved and leaves the path of the ticket it saved.
  std::string pathSeenByEditor;
  int editorRuns = 0;
  f.form->SetTicketEditor([&] {
    ++editorRuns;
    pathSeenByEditor = f.ReadSetting("Einstellungen", "Schein");
    WriteProfileString(f.Path("ZW.INI"), "Einstellungen", "Schein", f.Path("saved.sch"));
  });
  QVERIFY(f.Button(4)->isEnabled());
  f.Click(f.Button(7));
  f.Edit(1)->setText(u"33"_s);  // typed, never stored: gone after the reload

  failWrites = true;
  f.Click(f.Button(4));
  QCOMPARE(editorRuns, 0);
  QCOMPARE(f.platform.messages.size(), 1u);

  failWrites = false;
  f.Click(f.Button(4));
  QCOMPARE(editorRuns, 1);
  QCOMPARE(pathSeenByEditor, f.Path("ticket.sch"));
  QCOMPARE(f.Label(3)->text(), u"Spiel 03:  3   7  12  25  33  41 "_s);
  QCOMPARE(f.DrawFields(), kSaturdayFields);
  QCOMPARE(f.Button(7)->text(), u"Mittwoch anzeigen"_s);
}

void MainWindowTest::linkOpensLotteryHomePage() {
  WindowFixture f;
  f.Start();
  auto* link = f.Find<QLabel>("Label26");
  QCOMPARE(link->text(), u"www.lotto.de"_s);

  QTest::mouseClick(link, Qt::LeftButton);

  QCOMPARE(f.platform.openedUrls, QList<QUrl>{QUrl(u"https://www.lotto.de"_s)});
}

}  // namespace kw::test

int main(int argc, char* argv[]) {
  kw::Application app(argc, argv);
  kw::test::MainWindowTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "main_window_test.moc"
