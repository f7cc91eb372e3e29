// The tab "Laufzeit" on its own: a ticket's whole term against a real archive file, its settings
// saved into the ticket file, drawings fetched from a local results service and imported from CSV.
#include "ui/term_sheet.h"


#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "archive/archive.h"
#include "core/cp1252.h"
#include "core/file_io.h"
#include "qtedge/cp1252_text.h"
#include "service/results_service.h"
#include "tests/support/builders.h"
#include "tests/support/fake_platform.h"
#include "tests/support/find_control.h"
#include "tests/support/fixed_clock.h"
#include "tests/support/local_http_server.h"
#include "tests/support/service_answers.h"
#include "tests/support/service_routes.h"
#include "tests/support/temp_dir.h"
#include "ui/drawings_session.h"
#include "ui/my_tickets_window.h"

namespace kw::test {
namespace {

using namespace std::chrono_literals;

QString Utf8(const std::string& text) { return QString::fromStdString(text); }

// Five weeks on Wednesday and Saturday, from Saturday 14.11.2026 to Wednesday 16.12.2026.
const std::string kTicket =
    "[Schein]\r\n"
    "Spiel1=03 15 22 31 40 49 \r\n"
    "Spiel2=01 07 12 19 33 45 \r\n"
    "Losnummer=4711235\r\n"
    "Ablauf=16.12.2026\r\n"
    "Beginn=14.11.2026\r\n"
    "Ziehungstage=Mittwoch und Samstag\r\n"
    "Spiel77=ja\r\n"
    "Super6=nein\r\n";

Drawing DrawingOn(Date date, std::array<uint8_t, 6> numbers, uint8_t superzahl,
                  std::string spiel77 = "1111111") {
  return DrawingOf(date, numbers, superzahl, std::move(spiel77), "222222");
}

// The past days of the term but 2 December; wins on 25 November (game 1: 3 + Superzahl) and on
// 5 December (Spiel 77: two final digits).
std::vector<Drawing> StoredDrawings() {
  Drawing win = DrawingOn(Day(2026, 11, 25), {3, 15, 22, 4, 5, 6}, 5);
  win.quotas = {{PrizeGame::Lotto, 7, 40000, 1260}};
  return {DrawingOn(Day(2026, 11, 14), {2, 4, 6, 8, 10, 11}, 0),
          DrawingOn(Day(2026, 11, 18), {2, 4, 6, 8, 10, 13}, 1),
          DrawingOn(Day(2026, 11, 21), {2, 4, 6, 8, 10, 14}, 2),
          win,
          DrawingOn(Day(2026, 11, 28), {2, 4, 6, 8, 10, 16}, 3),
          DrawingOn(Day(2026, 12, 5), {2, 4, 6, 8, 10, 17}, 4, "9999935"),
          DrawingOn(Day(2026, 12, 9), {2, 4, 6, 8, 10, 18}, 6)};
}

// One tab on a ticket file and an archive in a fresh folder, today Thursday 10.12.2026.
struct Sheet {
  TempDir dir;
  std::string ticketPath = (dir / "schein.sch").string();
  std::filesystem::path archivePath = dir / "Ziehungen.sqlite";
  FakePlatform platform;
  FixedClock clock{Day(2026, 12, 10)};
  LocalHttpServer server;
  std::unique_ptr<DrawingsSession> drawings;
  std::unique_ptr<TermSheet> sheet;

  explicit Sheet(const std::string& ticket = kTicket, bool stored = true) {
    WriteFile(ticketPath, ticket);
    if (stored) DrawingArchive(archivePath).Store(StoredDrawings(), "Test");
  }
  TermSheet& Show(std::string path = {}) {
    if (path.empty()) path = ticketPath;
    sheet.reset();
    drawings = std::make_unique<DrawingsSession>(
        archivePath, QUrl(server.Url(QByteArrayLiteral("/api"))), platform);
    sheet = std::make_unique<TermSheet>(*drawings, platform, clock);
    sheet->SetTicketSource([path] { return path; });
    sheet->resize(445, 310);
    sheet->show();
    return *sheet;
  }
  template <class T>
  T* Find(const char* name) const {
    return FindControl<T>(sheet.get(), QString::fromLatin1(name));
  }
  QTreeWidget* List() const { return Find<QTreeWidget>("TermDrawings"); }
  QStringList Column(int column) const {
    QStringList texts;
    for (int i = 0; i < List()->topLevelItemCount(); ++i) {
      texts << List()->topLevelItem(i)->text(column);
    }
    return texts;
  }
  void Select(const QString& day) const {
    const auto found = List()->findItems(day, Qt::MatchExactly, 0);
    QCOMPARE(found.size(), 1);
    List()->setCurrentItem(found.first());
  }
  QString Report() const { return Find<QPlainTextEdit>("TermReport")->toPlainText(); }
  QString Status() const { return Find<QLabel>("TermStatus")->text(); }
};

}  // namespace

class TermSheetTest : public QObject {
  Q_OBJECT

 private slots:
  void everyDayOfTheTermWithItsResult();
  void changingTheDaysWritesOnlyThatKey();
  void aTicketWithoutTheKeysShowsWhatIsAssumed();
  void aTicketThatCannotBeWrittenKeepsTheOldValue();
  void withoutTicketOrBeforeTheFirstDrawing();
  void fetchFillsTheListAndACancelKeepsWhatCame();
  void aWaitOfTheServiceIsShown();
  void importTakesACsvFile();
  void keyboardAndNames();
  void bothViewsFollowOneFetch();
  void bothViewsNameAnUnreadableTicketAsTheCheckDoes();
};

void TermSheetTest::everyDayOfTheTermWithItsResult() {
  Sheet s;
  s.Show();
  QCOMPARE(s.Column(0),
           (QStringList{QStringLiteral("Sa 14.11.2026"), QStringLiteral("Mi 18.11.2026"),
                        QStringLiteral("Sa 21.11.2026"), QStringLiteral("Mi 25.11.2026"),
                        QStringLiteral("Sa 28.11.2026"), QStringLiteral("Mi 02.12.2026"),
                        QStringLiteral("Sa 05.12.2026"), QStringLiteral("Mi 09.12.2026"),
                        QStringLiteral("Sa 12.12.2026"), QStringLiteral("Mi 16.12.2026")}));
  const QStringList results = s.Column(2);
  QCOMPARE(results[3], QStringLiteral("Gewinnklasse VII"));
  QCOMPARE(results[5], QStringLiteral("fehlt im Archiv"));
  QCOMPARE(results[6], QStringLiteral("Spiel 77, Kl. VI"));
  QCOMPARE(s.List()->topLevelItem(6)->toolTip(2),
           QStringLiteral("Spiel 77, Gewinnklasse VI, 17,00 \u20ac"));
  QCOMPARE(results[0], QStringLiteral("kein Gewinn"));
  QCOMPARE(results[8], QStringLiteral("noch nicht gezogen"));
  QCOMPARE(results[9], QStringLiteral("noch nicht gezogen"));
  QCOMPARE(s.Column(3)[3], QStringLiteral("12,60 \u20ac"));
  QCOMPARE(s.Column(3)[6], QStringLiteral("17,00 \u20ac"));
  QCOMPARE(s.Column(3)[0], QString());
  QCOMPARE(s.Column(1)[3], QStringLiteral("3 4 5 6 15 22, SZ 5"));
  // Ten days of two games at 1,20 € and Spiel 77 at 2,50 €.
  QCOMPARE(s.Find<QLabel>("TermTotal")->text(),
           QStringLiteral("Gewinn insgesamt: 29,60 \u20ac; 1 Ziehung fehlt im Archiv\n"
                          "Einsatz ohne Bearbeitungsgeb\u00fchr: 49,00 \u20ac"));
  QCOMPARE(s.Status(), QStringLiteral("Die fehlenden Ziehungen holt \u201EZiehungen holen\u201C"));
  QVERIFY(s.platform.messages.empty());

  // The last drawn day is selected at first; another shows its own lines.
  QCOMPARE(s.Report(), QStringLiteral("Mi 09.12.2026: 2 4 6 8 10 18, Superzahl 6\n  kein Gewinn"));
  s.Select(QStringLiteral("Mi 25.11.2026"));
  // The day's lines as the report writes them for the tab's check (a win of class VII).
  std::vector<std::string> lines;
  AppendDayLines(s.sheet->check()->term.days[3], lines);
  QCOMPARE(lines.size(), 2u);
  QCOMPARE(s.Report(), FromCp1252(lines[0] + "\n" + lines[1]));
  s.Select(QStringLiteral("Mi 02.12.2026"));
  QCOMPARE(s.Report(), QStringLiteral("Mi 02.12.2026: fehlt im Archiv"));
}

void TermSheetTest::changingTheDaysWritesOnlyThatKey() {
  const std::string ticket =
      "; geschrieben von Hand\r\n[Schein]\r\nSpiel1=03 15 22 31 40 49 \r\nLosnummer=4711235\r\n"
      "Ablauf=16.12.2026\r\nBeginn=14.11.2026\r\n\r\n[Notizen]\r\nx=1\r\n";
  Sheet s(ticket);
  s.Show();
  QCOMPARE(s.List()->topLevelItemCount(), 10);
  QCOMPARE(ReadFile(s.ticketPath), ticket);  // showing writes nothing

  auto* days = s.Find<QComboBox>("TermDrawDays");
  days->setFocus();
  QTest::keyClick(days, Qt::Key_Up);  // "Mittwoch und Samstag" to "Samstag"
  QCOMPARE(days->currentText(), QStringLiteral("Samstag"));
  QCOMPARE(s.Column(0),
           (QStringList{QStringLiteral("Sa 14.11.2026"), QStringLiteral("Sa 21.11.2026"),
                        QStringLiteral("Sa 28.11.2026"), QStringLiteral("Sa 05.12.2026"),
                        QStringLiteral("Sa 12.12.2026")}));
  QCOMPARE(
      ReadFile(s.ticketPath),
      "; geschrieben von Hand\r\n[Schein]\r\nSpiel1=03 15 22 31 40 49 \r\nLosnummer=4711235\r\n"
      "Ablauf=16.12.2026\r\nBeginn=14.11.2026\r\nZiehungstage=Samstag\r\n\r\n[Notizen]\r\nx=1\r\n");
  QCOMPARE(s.Find<QLabel>("TermDrawDaysNote")->text(), QString());

  // A whole date typed over the selected one is saved with Enter, or when the field is left.
  auto* first = s.Find<QDateEdit>("TermFirstDay");
  first->setFocus();
  first->selectAll();
  QTest::keyClicks(first, QStringLiteral("05.12.2026"));
  QCOMPARE(first->date(), QDate(2026, 12, 5));
  QTest::keyClick(first, Qt::Key_Return);
  QCOMPARE(s.List()->topLevelItemCount(), 2);
  QVERIFY(ReadFile(s.ticketPath).find("Beginn=05.12.2026\r\n") != std::string::npos);

  // A day picked in the calendar counts at once, and the calendar speaks German.
  QCalendarWidget* calendar = first->calendarWidget();
  QCOMPARE(calendar->locale().language(), QLocale::German);
  QCOMPARE(calendar->firstDayOfWeek(), Qt::Monday);
  emit calendar->clicked(QDate(2026, 11, 21));
  QCOMPARE(s.List()->topLevelItemCount(), 4);
  QVERIFY(ReadFile(s.ticketPath).find("Beginn=21.11.2026\r\n") != std::string::npos);
}

void TermSheetTest::aTicketWithoutTheKeysShowsWhatIsAssumed() {
  Sheet s(TicketFile({"03 15 22 31 40 49"}, "4711235", "12.12.2026", "Super6=vielleicht\r\n"));
  s.Show();
  QCOMPARE(s.Column(0),
           (QStringList{QStringLiteral("Mi 09.12.2026"), QStringLiteral("Sa 12.12.2026")}));
  for (const char* note : {"TermFirstDayNote", "TermDrawDaysNote", "TermSpiel77Note"}) {
    QCOMPARE(s.Find<QLabel>(note)->text(), QStringLiteral("angenommen"));
  }
  QCOMPARE(s.Find<QLabel>("TermSuper6Note")->text(), QStringLiteral("ung\u00fcltig, angenommen"));
  QCOMPARE(s.Find<QLabel>("TermProblems")->text(),
           QStringLiteral("Super 6: \"vielleicht\" ist weder \"ja\" noch \"nein\""));
  QVERIFY(s.Find<QCheckBox>("TermSuper6")->isChecked());
}

void TermSheetTest::aTicketThatCannotBeWrittenKeepsTheOldValue() {
  Sheet s;
  s.Show();
  auto* spiel77 = s.Find<QCheckBox>("TermSpiel77");
  QVERIFY(spiel77->isChecked());

  // The disk refuses the new file: the ticket keeps its old value, and the box says why.
  int (*const sync)(int) = ReplacementSync;
  ReplacementSync = [](int) {
    errno = EIO;
    return -1;
  };
  QTest::mouseClick(spiel77, Qt::LeftButton);
  ReplacementSync = sync;
  QVERIFY2(spiel77->isChecked(), "the old value");
  QCOMPARE(s.platform.messages.size(), 1u);
  QCOMPARE(s.platform.messages[0].kind, MessageKind::Error);
  QCOMPARE(s.platform.messages[0].text,
           QStringLiteral("Unable to write to ") + Utf8(s.ticketPath) + u'.');
  QCOMPARE(s.List()->topLevelItemCount(), 10);

  // The file is gone since it was shown (a stick pulled out): nothing is written, no file made.
  std::filesystem::remove(s.ticketPath);
  QTest::mouseClick(spiel77, Qt::LeftButton);
  QVERIFY(!std::filesystem::exists(s.ticketPath));
  QCOMPARE(
      s.Find<QLabel>("TermNoTicket")->text(),
      QStringLiteral("Schein \u00bb") + Utf8(s.ticketPath) + QStringLiteral("\u00ab: Datei fehlt"));
  QCOMPARE(s.platform.messages.size(), 1u);
}

// Without a ticket the archive can still be filled: a fetch from the day after its newest
// drawing up to today, and an import; the window "Meine Scheine" without any ticket alike.
void TermSheetTest::withoutTicketOrBeforeTheFirstDrawing() {
  Sheet none(kTicket, false);
  std::vector<Drawing> stored = StoredDrawings();
  stored.pop_back();  // the newest is Saturday 05.12.2026
  DrawingArchive(none.archivePath).Store(stored, "Test");
  const Date dec9 = Day(2026, 12, 9);
  none.server.Route(RangeAt(dec9, dec9), Json(RangeAnswer({MadeUpAnswer(dec9, 3)})));
  TermSheet& sheet = none.Show(" ");
  sheet.SetTicketSource([] { return std::string(); });
  sheet.Reload();
  QVERIFY(none.Find<QLabel>("TermNoTicket")
              ->text()
              .startsWith(QStringLiteral("Es ist kein Spielschein geladen.")));
  QVERIFY(!none.Find<QTreeWidget>("TermDrawings")->isVisible());
  QTest::mouseClick(none.Find<QPushButton>("TermFetch"), Qt::LeftButton);
  QTRY_COMPARE_WITH_TIMEOUT(none.Status(), QStringLiteral("1 Ziehung geholt"), 10000);
  QCOMPARE(none.server.AllRequests(), 1);
  WriteFile(none.dir / "z.csv",
            "date,n1,n2,n3,n4,n5,n6,superzahl\n02.12.2026,3,15,22,31,40,49,9\n");
  none.platform.drawingsAnswers << Utf8((none.dir / "z.csv").string());
  QTest::mouseClick(none.Find<QPushButton>("TermImport"), Qt::LeftButton);
  QCOMPARE(none.platform.texts().back(),
           QStringLiteral("1 Ziehung gelesen: 1 neu, 0 schon im Archiv"));
  // Up to date: nothing to ask for.
  QTest::mouseClick(none.Find<QPushButton>("TermFetch"), Qt::LeftButton);
  QTRY_COMPARE(none.Status(), QStringLiteral("Keine neuen Ziehungen"));
  QCOMPARE(none.server.AllRequests(), 1);

  MyTicketsWindow window(none.dir.path(), *none.drawings, none.platform, none.clock);
  window.show();
  QVERIFY(FindControl<QPushButton>(&window, QStringLiteral("TicketsImport"))->isEnabled());
  QVERIFY(FindControl<QPushButton>(&window, QStringLiteral("TicketsFetch"))->isEnabled());

  Sheet future(kTicket, false);
  future.clock.Set(Day(2026, 11, 10));
  future.Show();
  QCOMPARE(future.Status(), QStringLiteral("Die erste Ziehung ist am Sa 14.11.2026"));
  QVERIFY(!future.Find<QPushButton>("TermFetch")->isEnabled());
  QCOMPARE(future.Column(2).count(QStringLiteral("noch nicht gezogen")), 10);
}

void TermSheetTest::fetchFillsTheListAndACancelKeepsWhatCame() {
  Sheet s;
  const Date dec2 = Day(2026, 12, 2);
  // The days the archive lacks, and those stored without quotas, in one request.
  s.server.Route(RangeAt(Day(2026, 11, 14), Day(2026, 12, 9)),
                 Json(RangeAnswer({MadeUpAnswer(dec2, 3)})));
  s.Show();
  QCOMPARE(s.Column(2)[5], QStringLiteral("fehlt im Archiv"));
  QTest::mouseClick(s.Find<QPushButton>("TermFetch"), Qt::LeftButton);
  QVERIFY(s.Find<QPushButton>("TermCancel")->isEnabled());
  QTRY_COMPARE_WITH_TIMEOUT(s.Status(), QStringLiteral("1 Ziehung geholt"), 10000);
  QCOMPARE(s.Column(2)[5], QStringLiteral("kein Gewinn"));
  QCOMPARE(s.Column(1)[5],
           Utf8(NumbersText(ReadDayDrawing(MadeUpAnswer(dec2, 3), dec2).drawing)) +
               QStringLiteral(", SZ ") +
               QString::number(*ReadDayDrawing(MadeUpAnswer(dec2, 3), dec2).drawing.superzahl));
  QVERIFY(!s.Find<QPushButton>("TermCancel")->isEnabled());
  QVERIFY(s.platform.messages.empty());

  // Two days missing: the first arrives, the second never answers; the cancel keeps the first.
  Sheet c(kTicket, false);
  const Date nov14 = Day(2026, 11, 14);
  const Date nov18 = Day(2026, 11, 18);
  c.server.Route(ApiPath(HistoryPath(2026)), Json(DayListOf({nov14, nov18})));
  c.server.Route(ApiPath(DrawsPath(nov14)), Json(MadeUpAnswer(nov14, 1)));
  LocalHttpServer::Response never;
  never.silent = true;
  c.server.Route(ApiPath(DrawsPath(nov18)), never);
  c.Show();
  QTest::mouseClick(c.Find<QPushButton>("TermFetch"), Qt::LeftButton);
  QTRY_COMPARE_WITH_TIMEOUT(c.Column(2)[0], QStringLiteral("kein Gewinn"), 10000);
  QTRY_COMPARE(c.server.Requests(ApiPath(DrawsPath(nov18))), 1);
  QTest::mouseClick(c.Find<QPushButton>("TermCancel"), Qt::LeftButton);
  QCOMPARE(c.Status(), QStringLiteral("Abgebrochen, 1 Ziehung geholt"));
  QCOMPARE(c.Column(2)[1], QStringLiteral("fehlt im Archiv"));
  QVERIFY(c.Find<QPushButton>("TermFetch")->isEnabled());
  c.sheet.reset();
  QCOMPARE(DrawingArchive(c.archivePath).Count(), 1);
}

// The service's front asks to wait: the tab says so until the next try brings the drawing.
void TermSheetTest::aWaitOfTheServiceIsShown() {
  Sheet s;
  const QByteArray range = RangeAt(Day(2026, 11, 14), Day(2026, 12, 9));
  LocalHttpServer::Response refusal{429, "error code: 1015", {}, "text/plain"};
  refusal.headers = "Retry-After: 1\r\n";
  s.server.Route(range, refusal);
  s.Show();
  QTest::mouseClick(s.Find<QPushButton>("TermFetch"), Qt::LeftButton);
  QTRY_COMPARE(s.Status(),
               QStringLiteral("Der Ergebnisdienst bittet zu warten, n\u00e4chster Versuch in 1 s"));
  const Date dec2 = Day(2026, 12, 2);
  s.server.Route(range, Json(RangeAnswer({MadeUpAnswer(dec2, 3)})));
  QTRY_COMPARE_WITH_TIMEOUT(s.Status(), QStringLiteral("1 Ziehung geholt"), 10000);
  QCOMPARE(s.server.Requests(range), 2);
}

void TermSheetTest::importTakesACsvFile() {
  Sheet s;
  WriteFile(s.dir / "z.csv", "date,n1,n2,n3,n4,n5,n6,superzahl\n02.12.2026,3,15,22,31,40,49,9\n");
  s.platform.drawingsAnswers << QString::fromStdString((s.dir / "z.csv").string());
  s.Show();
  QTest::mouseClick(s.Find<QPushButton>("TermImport"), Qt::LeftButton);
  QCOMPARE(s.platform.drawingsDialogs, 1);
  QCOMPARE(s.platform.texts(),
           QStringList{QStringLiteral("1 Ziehung gelesen: 1 neu, 0 schon im Archiv")});
  QCOMPARE(s.Column(2)[5], QStringLiteral("Gewinnklasse II"));
  QCOMPARE(s.Column(3)[5], QStringLiteral("offen"));

  // A file the archive refuses goes to the error box; nothing changes.
  WriteFile(s.dir / "bad.csv", "Spalte1,Spalte2\n1,2\n");
  s.platform.drawingsAnswers << QString::fromStdString((s.dir / "bad.csv").string());
  QTest::mouseClick(s.Find<QPushButton>("TermImport"), Qt::LeftButton);
  QCOMPARE(s.platform.messages.back().kind, MessageKind::Error);
  QCOMPARE(s.Column(2)[5], QStringLiteral("Gewinnklasse II"));
}

void TermSheetTest::keyboardAndNames() {
  Sheet s;
  s.Show();
  s.sheet->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(s.sheet.get()));
  s.Find<QWidget>("TermCancel")->setEnabled(true);  // to walk the whole chain
  const char* order[] = {"TermFirstDay", "TermDrawDays",  "TermSpiel77", "TermSuper6",
                         "TermDrawings", "TermReport",    "TermFetch",   "TermCancel",
                         "TermImport",   "TermAllTickets"};
  s.Find<QWidget>(order[0])->setFocus();
  for (const char* name : order) {
    QWidget* control = s.Find<QWidget>(name);
    QVERIFY2(!control->accessibleName().isEmpty(), name);
    QWidget* focus = QApplication::focusWidget();
    QVERIFY2(focus == control || control->isAncestorOf(focus),
             qPrintable(QString::fromLatin1(name) + QStringLiteral(" / ") + focus->objectName() +
                        QString::fromLatin1(focus->metaObject()->className())));
    // Tab walks the day, month and year of the date field before it leaves it.
    for (int i = 0; i < 4 && (focus == control || control->isAncestorOf(focus)); ++i) {
      QTest::keyClick(focus, Qt::Key_Tab);
      focus = QApplication::focusWidget();
    }
  }
  // Mnemonics: the labels lead to their fields, the buttons are pressed by their letter.
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_T, Qt::AltModifier);
  QVERIFY(s.Find<QComboBox>("TermDrawDays")->hasFocus());
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_E, Qt::AltModifier);
  QVERIFY(s.Find<QDateEdit>("TermFirstDay")->isAncestorOf(QApplication::focusWidget()));
}

// The tab and the window "Meine Scheine" fetch through one session: the window follows the tab's
// fetch, and days asked for while a fetch runs follow it in the same stream, never beside it.
void TermSheetTest::bothViewsFollowOneFetch() {
  Sheet s(kTicket, false);
  const Date nov14 = Day(2026, 11, 14);
  const Date nov18 = Day(2026, 11, 18);
  const Date dec5 = Day(2026, 12, 5);
  const Date dec9 = Day(2026, 12, 9);
  LocalHttpServer::Response slow = Json(RangeAnswer({MadeUpAnswer(nov14, 1)}));
  slow.delayMs = 300;
  s.server.Route(RangeAt(nov14, nov18), slow);
  s.server.Route(RangeAt(dec5, dec9), Json(RangeAnswer({MadeUpAnswer(dec5, 2)})));
  SettingsFile(s.dir.path()).WriteTicketList({s.ticketPath});
  s.Show();
  MyTicketsWindow window(s.dir.path(), *s.drawings, s.platform, s.clock);
  window.show();
  const auto windowControl = [&window](const char* name) {
    return FindControl<QWidget>(&window, QString::fromLatin1(name));
  };

  s.drawings->Fetch(nov14, nov18);
  s.drawings->Fetch(dec5, dec9);  // while the first runs: it waits its turn
  QVERIFY(!windowControl("TicketsFetch")->isEnabled());
  QVERIFY(windowControl("TicketsCancel")->isEnabled());
  QTRY_COMPARE_WITH_TIMEOUT(s.Status(), QStringLiteral("2 Ziehungen geholt"), 10000);
  QCOMPARE(static_cast<QLabel*>(windowControl("TicketsStatus"))->text(), s.Status());
  QCOMPARE(s.server.Requests(RangeAt(nov14, nov18)), 1);
  QCOMPARE(s.server.Requests(RangeAt(dec5, dec9)), 1);
  QCOMPARE(s.server.MostAtOnce(), 1);
  // Both views show what came.
  QCOMPARE(s.Column(2)[0], QStringLiteral("kein Gewinn"));
  QCOMPARE(window.rows().front().check->term.totals, s.sheet->check()->term.totals);
  QVERIFY(windowControl("TicketsFetch")->isEnabled());
  QVERIFY(s.platform.messages.empty());
}

// The tab and the window show the ticket check's own refusal for each kind of file it refuses.
void TermSheetTest::bothViewsNameAnUnreadableTicketAsTheCheckDoes() {
  Sheet s;
  const std::string folder = (s.dir / "ordner.sch").string();
  std::filesystem::create_directory(folder);
  const std::string badDate = (s.dir / "datum.sch").string();
  WriteFile(badDate, TicketFile({"03 15 22 31 40 49"}, "4711235", "31.02.2026"));
  const std::string gone = (s.dir / "weg.sch").string();
  SettingsFile(s.dir.path()).WriteTicketList({folder, badDate, gone});
  s.Show();
  MyTicketsWindow window(s.dir.path(), *s.drawings, s.platform, s.clock);
  window.show();
  auto* list = FindControl<QTreeWidget>(&window, QStringLiteral("TicketsList"));
  const std::string paths[] = {folder, badDate, gone};
  for (int row = 0; row < 3; ++row) {
    const QString refusal = FromCp1252(TicketRefusal(paths[row], 2026));
    QVERIFY(!refusal.isEmpty());
    s.sheet->SetTicketSource([path = paths[row]] { return path; });
    s.sheet->Reload();
    QCOMPARE(s.Find<QLabel>("TermNoTicket")->text(), refusal);
    QCOMPARE(list->topLevelItem(row)->toolTip(4), refusal);
    list->setCurrentItem(list->topLevelItem(row));
    QVERIFY(FindControl<QLabel>(&window, QStringLiteral("TicketsNote"))->text().startsWith(refusal));
  }
  QVERIFY(s.platform.messages.empty());
}

}  // namespace kw::test

QTEST_MAIN(kw::test::TermSheetTest)
#include "term_sheet_test.moc"
