// The window "Meine Scheine" on the offscreen platform, with real ticket files, ZW.INI and an
// archive file in a fresh folder: tickets added and removed, a missing file, a day selected, a
// setting changed and found in the ticket file, the window's place kept.
#include "ui/my_tickets_window.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTreeWidget>

#include "archive/archive.h"
#include "qtedge/cp1252_text.h"
#include "tests/support/builders.h"
#include "tests/support/fake_platform.h"
#include "tests/support/find_control.h"
#include "tests/support/fixed_clock.h"
#include "tests/support/temp_dir.h"
#include "ui/drawings_session.h"

namespace kw::test {
namespace {

// Two weeks on Saturdays from 28.11.2026, two games, Spiel 77 and not Super 6.
const std::string kTicket =
    TicketFile({"03 15 22 31 40 49", "01 07 12 19 33 45"}, "4711235", "05.12.2026",
               "Beginn=28.11.2026\r\nZiehungstage=Samstag\r\nSpiel77=ja\r\nSuper6=nein\r\n");

struct Window {
  TempDir dir;
  FakePlatform platform;
  FixedClock clock{Day(2026, 12, 10)};
  SettingsFile settings{dir.path()};
  DrawingsSession drawings{dir / "Ziehungen.sqlite", QUrl(), platform};
  std::unique_ptr<MyTicketsWindow> window;

  Window() {
    WriteFile(dir / "a.sch", kTicket);
    Drawing win;  // game 1: three numbers and the Superzahl, class VII
    win.date = Day(2026, 11, 28);
    win.numbers = {3, 15, 22, 4, 5, 6};
    win.superzahl = 5;
    win.spiel77 = "1111111";
    win.super6 = "222222";
    win.quotas = {{PrizeGame::Lotto, 7, 40000, 1260}};
    DrawingArchive(dir / "Ziehungen.sqlite").Store({win}, "Test");
  }
  MyTicketsWindow& Show() {
    window = std::make_unique<MyTicketsWindow>(dir.path(), drawings, platform, clock);
    window->show();
    return *window;
  }
  template <class T>
  T* Find(const char* name) const {
    return FindControl<T>(window.get(), QString::fromLatin1(name));
  }
  QTreeWidget* List() const { return Find<QTreeWidget>("TicketsList"); }
  QStringList Row(int row) const {
    QStringList texts;
    for (int column = 0; column < List()->columnCount(); ++column) {
      texts << List()->topLevelItem(row)->text(column);
    }
    return texts;
  }
  void Click(const char* button) const {
    QTest::mouseClick(Find<QPushButton>(button), Qt::LeftButton);
  }
  std::string Path(const char* name) const { return (dir / name).string(); }
};

}  // namespace

class MyTicketsWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void ticketsAreAddedAndRemovedNeverDeleted() {
    Window w;
    w.settings.WriteTicketPath(w.Path("a.sch"));  // the main window's ticket joins by itself
    w.Show();
    QCOMPARE(w.List()->topLevelItemCount(), 1);
    // Short cells, so that the smallest window shows every one whole; the tip says it in full.
    QCOMPARE(w.Row(0),
             (QStringList{QStringLiteral("a.sch"), QStringLiteral("2 Spiele"),
                          QStringLiteral("28.11.26 \u2013 05.12.26"), QStringLiteral("2"),
                          QStringLiteral("abgelaufen"), QStringLiteral("9,80 \u20ac"),
                          QStringLiteral("12,60 \u20ac"), QStringLiteral("1 Ziehung fehlt")}));
    QCOMPARE(w.List()->topLevelItem(0)->toolTip(2), QStringLiteral("28.11.2026 \u2013 05.12.2026"));
    QCOMPARE(w.List()->topLevelItem(0)->toolTip(4), QStringLiteral("abgelaufen am 05.12.2026"));
    QCOMPARE(w.List()->topLevelItem(0)->toolTip(7), QStringLiteral("1 Ziehung fehlt im Archiv"));

    // A second ticket, then one whose file is gone: it stays listed, marked.
    WriteFile(w.dir / "b.sch", kTicket);
    w.platform.fileAnswers << QString::fromStdString(w.Path("b.sch"));
    w.Click("TicketsAdd");
    RememberTicket(w.settings, w.Path("weg.sch"));
    w.window->ShowAndRaise();
    QCOMPARE(w.List()->topLevelItemCount(), 3);
    QCOMPARE(w.List()->currentItem()->text(0), QStringLiteral("b.sch"));  // the one added
    QCOMPARE(w.Row(2)[4], QStringLiteral("Datei fehlt"));
    QCOMPARE(w.Find<QLabel>("TicketsSum")->text(),
             QStringLiteral("Alle Scheine: Einsatz ohne Bearbeitungsgeb\u00fchr 19,60 \u20ac, "
                            "Gewinn 25,20 \u20ac; 1 Ziehung fehlt im Archiv (1 Schein nicht "
                            "gelesen)"));
    w.List()->setCurrentItem(w.List()->topLevelItem(2));
    QVERIFY(w.Find<QLabel>("TicketsNote")->text().contains(QStringLiteral("weg.sch")));

    // Removing takes the rows off the list, never a file.
    w.Click("TicketsRemove");
    w.List()->setCurrentItem(w.List()->topLevelItem(0));
    w.Click("TicketsRemove");
    QCOMPARE(w.settings.ReadTicketList(), std::vector<std::string>{w.Path("b.sch")});
    QVERIFY(std::filesystem::exists(w.dir / "a.sch"));
    QCOMPARE(w.List()->topLevelItemCount(), 1);
    QVERIFY(w.platform.messages.empty());
  }

  void aDaySelectedAndASettingChangedInTheTicketFile() {
    Window w;
    RememberTicket(w.settings, w.Path("a.sch"));
    w.Show();
    auto* days = w.Find<QTreeWidget>("TermDrawings");
    days->setCurrentItem(days->topLevelItem(0));
    // The day's lines as the report writes them for the ticket's check (a win of class VII).
    std::vector<std::string> lines;
    AppendDayLines(w.window->rows().front().check->term.days.front(), lines);
    QCOMPARE(lines.size(), 2u);
    QCOMPARE(w.Find<QPlainTextEdit>("TermReport")->toPlainText(),
             FromCp1252(lines[0] + "\n" + lines[1]));
    QTest::mouseClick(w.Find<QCheckBox>("TermSpiel77"), Qt::LeftButton);
    QVERIFY(ReadFile(w.dir / "a.sch").find("Spiel77=nein\r\n") != std::string::npos);
    QCOMPARE(w.Row(0)[5], QStringLiteral("4,80 \u20ac"));  // two games on two Saturdays
  }

  // A setting changed in the window never writes a file that is no longer the ticket shown: one
  // gone stays gone, one replaced by another ticket keeps its own keys.
  void aSettingIsNotWrittenIntoAFileThatChanged() {
    Window w;
    RememberTicket(w.settings, w.Path("a.sch"));
    w.Show();
    std::filesystem::remove(w.dir / "a.sch");
    QTest::mouseClick(w.Find<QCheckBox>("TermSpiel77"), Qt::LeftButton);
    QVERIFY(!std::filesystem::exists(w.dir / "a.sch"));
    QCOMPARE(w.Row(0)[4], QStringLiteral("Datei fehlt"));

    WriteFile(w.dir / "a.sch", kTicket);
    w.window->ShowAndRaise();
    std::string other = kTicket;
    other.replace(other.find("Losnummer=4711235"), 17, "Losnummer=1234567");
    WriteFile(w.dir / "a.sch", other);
    QTest::mouseClick(w.Find<QCheckBox>("TermSuper6"), Qt::LeftButton);
    QCOMPARE(ReadFile(w.dir / "a.sch"), other);
    QVERIFY(w.platform.messages.empty());
  }

  // Checked without a Losnummer the ticket wins less than it may have: its state says so.
  void aTicketWithoutLosnummerSaysSoInItsState() {
    Window w;
    std::string ticket = kTicket;
    ticket.replace(ticket.find("Losnummer=4711235"), 17, "Losnummer=");
    WriteFile(w.dir / "a.sch", ticket);
    RememberTicket(w.settings, w.Path("a.sch"));
    w.Show();
    QCOMPARE(w.Row(0)[4], QStringLiteral("ohne Losnummer"));
    QCOMPARE(w.List()->topLevelItem(0)->toolTip(4),
             QStringLiteral("abgelaufen am 05.12.2026; Losnummer fehlt"));
  }

  void theWindowKeepsItsPlaceAndColumns() {
    Window w;
    w.Show();
    w.window->setGeometry(40, 50, 900, 560);
    w.List()->setColumnWidth(0, 240);
    w.window->close();
    const std::string place = w.settings.ReadWindowValue("Fenster");
    QCOMPARE(QString::fromStdString(place), QStringLiteral("40 50 900 560"));
    // The test's screen is 800 wide: the place comes back fitted into it, frame and all.
    w.Show();
    QCOMPARE(w.window->size(), QSize(800, 560));
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY(w.window->frameGeometry().top() >= screen.top());  // the title bar
    QVERIFY(w.window->frameGeometry().bottom() <= screen.bottom());
    QCOMPARE(w.List()->columnWidth(0), 240);
    // Never smaller than it is made for.
    w.window->resize(300, 200);
    QVERIFY(w.window->width() >= 800 && w.window->height() >= 500);
  }

  // At the smallest size every cell of a household's typical tickets reads whole, with no
  // scrolling sideways: a system ticket with wins not yet paid and a day missing, one not begun,
  // one without Losnummer, one whose file is gone.
  void everyCellReadsWholeAtTheSmallestSize() {
    Window w;
    WriteFile(w.dir / "dauerschein-mit-systemen.sch",
              TicketFile({"03 15 22 31 40 49", "01 07 12 19 33 45"}, "4711235", "19.12.2026",
                         "System1=03 15 22 31 40 45 46 47 \r\nSystem2=01 02 03 04 05 06 07 08 "
                         "09 10 \r\nBeginn=14.11.2026\r\n"));
    WriteFile(w.dir / "neu.sch",
              TicketFile({"03 15 22 31 40 49"}, "4711235", "30.12.2026", "Beginn=19.12.2026\r\n"));
    WriteFile(w.dir / "ohne.sch", TicketFile({"03 15 22 31 40 49"}, "", "05.12.2026"));
    w.settings.WriteTicketList({w.Path("dauerschein-mit-systemen.sch"), w.Path("neu.sch"),
                                w.Path("ohne.sch"), w.Path("a.sch"), w.Path("weg.sch")});
    w.Show();
    w.window->resize(800, 500);
    QCoreApplication::processEvents();
    QTreeWidget* list = w.List();
    int widths = 0;
    for (int column = 0; column < list->columnCount(); ++column) {
      widths += list->columnWidth(column);
      for (int row = 0; row < list->topLevelItemCount(); ++row) {
        // The name is the person's own and the one to give way; its tip holds the whole path.
        const QString text = list->topLevelItem(row)->text(column);
        QVERIFY2(
            column == 0 || list->fontMetrics().horizontalAdvance(text) < list->columnWidth(column),
            qPrintable(text));
      }
    }
    QVERIFY2(widths <= list->viewport()->width(), qPrintable(QString::number(widths)));
    QCOMPARE(w.Row(0)[1], QStringLiteral("2 Spiele, 2 Systeme"));
    QCOMPARE(w.Row(1)[4], QStringLiteral("beginnt 19.12."));
  }
};

}  // namespace kw::test

QTEST_MAIN(kw::test::MyTicketsWindowTest)
#include "my_tickets_window_test.moc"
