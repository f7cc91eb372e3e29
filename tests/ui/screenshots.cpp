// Writes a picture of each tab of the main window, with a ticket loaded and a report shown, and
// one of the ticket editor holding that ticket, and one of the "Schein laden" dialog, into the
// folder given: main-spielschein.png, main-zahlen.png, main-programminfos.png,
// main-laufzeit.png (five weeks of a ticket's term with two wins), editor.png, open-dialog.png.
// Then the same ticket with two systems: editor-systeme.png (the editor's system page) and
// main-laufzeit-systeme.png (the day the systems won).
// Last "Meine Scheine" at 800 x 500 once more on a dark theme (Fusion with a dark palette):
// my-tickets-800x500-dark.png.
// Run on the offscreen platform: QT_QPA_PLATFORM=offscreen ./ui_screenshots <folder>
// With --scaled-editor it writes only editor-scale2-1280x800.png, the whole screen with the
// editor open as the program places it; run it on such a screen at a scale factor of 2:
//   QT_SCALE_FACTOR=2 xvfb-run -s "-screen 0 1280x800x24" ./ui_screenshots <folder> --scaled-editor
#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include "app/application.h"
#include "archive/archive.h"
#include "core/profile.h"
#include "tests/support/modal_handler.h"
#include "tests/ui/editor_fixture.h"
#include "ui/drawings_session.h"
#include "ui/my_tickets_window.h"
#include "ui/qt_platform.h"
#include "ui/term_sheet.h"

using namespace Qt::StringLiterals;

namespace {

// The drawings of the term from 14.11.2026 but that of 09.12.2026, which is still to be fetched:
// on 25.11 game 2 has three numbers and the Superzahl, on 02.12 Spiel 77 two final digits.
void StoreFiveWeeks(const std::filesystem::path& file) {
  std::vector<kw::Drawing> drawings;
  const int days[][3] = {{2026, 11, 14}, {2026, 11, 18}, {2026, 11, 21}, {2026, 11, 25},
                         {2026, 11, 28}, {2026, 12, 2},  {2026, 12, 5}};
  int seed = 0;
  for (const auto& [y, m, d] : days) {
    kw::Drawing drawing;
    drawing.date = kw::Date::FromYmd(y, m, d);
    drawing.numbers = {static_cast<uint8_t>(2 + seed), 9, 13, 26, 37, 48};
    drawing.superzahl = static_cast<uint8_t>(seed);
    drawing.spiel77 = "508644" + std::to_string(seed);
    drawing.super6 = "27193" + std::to_string(seed);
    drawing.quotas = {{kw::PrizeGame::Lotto, 7, 61234, 1260},
                      {kw::PrizeGame::Lotto, 8, 823456, 1090}};
    ++seed;
    drawings.push_back(drawing);
  }
  drawings[3].numbers = {1, 12, 45, 8, 27, 36};
  drawings[3].superzahl = 5;
  drawings[5].spiel77 = "3810635";
  kw::DrawingArchive(file).Store(drawings, "Beispiel");
}

}  // namespace

int main(int argc, char* argv[]) {
  kw::Application app(argc, argv);
  const bool scaledEditor = argc == 3 && std::string_view(argv[2]) == "--scaled-editor";
  if (argc != 2 && !scaledEditor) {
    qWarning("usage: ui_screenshots <folder> [--scaled-editor]");
    return 2;
  }
  const QDir out(QString::fromLocal8Bit(argv[1]));

  kw::test::EditorFixture f;
  f.WriteStandardSettings();
  f.WriteFile("ticket.sch", kw::test::kTicketFile + "Beginn=14.11.2026\r\n");
  // Saturday's drawing of 05.12.2026, on the tab "Zahlen" without a Zusatzzahl as drawn today.
  f.WriteFile("ZW.INI", "[Einstellungen]\r\nSchein=" + f.Path("ticket.sch") +
                            "\r\n[Zahlen]\r\nSamstag=" + kw::test::kSaturdayLine.substr(0, 29) +
                            "05.12.2026\r\n");
  StoreFiveWeeks(f.Directory() / kw::DrawingArchive::kFileName);
  f.clock.Set(kw::Date::FromYmd(2026, 12, 10));
  kw::TForm1& form = f.Start();
  kw::DrawingsSession drawings(f.Directory() / kw::DrawingArchive::kFileName, QUrl(), f.platform);
  auto* term = new kw::TermSheet(drawings, f.platform, f.clock);
  term->SetTicketSource([&form] { return form.ticket().path; });
  form.AddPage(term, u"Laufzeit"_s);
  // "Neu/Bearbeiten" and "WWW Import" as the program shows them.
  form.SetTicketEditor([] {});
  form.SetDownloadWindow([] {});

  auto* pages = f.Find<QTabWidget>("PageControl1");
  f.TypeDrawFields({u"3"_s, u"15"_s, u"22"_s, u"7"_s, u"12"_s, u"45"_s, u""_s, u"5"_s, u"9911235"_s,
                    u"000235"_s});
  f.Click(f.Button(3));

  if (scaledEditor) {
    bool saved = false;
    f.Open([&] {
      QTest::qWait(300);
      saved = QGuiApplication::primaryScreen()->grabWindow(0).save(
          out.filePath(u"editor-scale2-1280x800.png"_s));
    });
    return saved ? 0 : 1;
  }

  const char* names[] = {"main-spielschein.png", "main-zahlen.png", "main-programminfos.png",
                         "main-laufzeit.png"};
  for (int i = 0; i < pages->count(); ++i) {
    pages->setCurrentIndex(i);
    QCoreApplication::processEvents();
    if (pages->currentWidget() == term) {  // the winning drawing in the middle of the term
      auto* list = term->findChild<QTreeWidget*>(u"TermDrawings"_s);
      list->setCurrentItem(list->findItems(u"Mi 25.11.2026"_s, Qt::MatchExactly).value(0));
      list->setFocus();
      QCoreApplication::processEvents();
    }
    if (!form.grab().save(out.filePath(QString::fromLatin1(names[i])))) {
      qWarning("cannot write %s", names[i]);
      return 1;
    }
  }

  bool saved = false;
  f.Open([&] {
    QCoreApplication::processEvents();
    saved = f.Editor().grab().save(out.filePath(QStringLiteral("editor.png")));
  });
  if (!saved) {
    qWarning("cannot write editor.png");
    return 1;
  }

  // Two systems and one field the editor would refuse, as the person sees them while typing.
  kw::WriteProfileStrings(
      f.Path("ticket.sch"), "Schein",
      {{"System1", "01 08 12 27 33 36 41 45 "}, {"System2", "02 05 09 13 18 26 30 37 40 44 "}});
  saved = false;
  f.Open([&] {
    f.ShowSystems(true);
    f.Type(f.SystemField(3), u"4 11 17 23 29 35 11"_s);
    QCoreApplication::processEvents();
    saved = f.Editor().grab().save(out.filePath(QStringLiteral("editor-systeme.png")));
  });
  if (!saved) {
    qWarning("cannot write editor-systeme.png");
    return 1;
  }
  // The tab reads the ticket anew each time it is shown.
  pages->setCurrentIndex(0);
  QCoreApplication::processEvents();
  pages->setCurrentWidget(term);
  auto* list = term->findChild<QTreeWidget*>(u"TermDrawings"_s);
  list->setCurrentItem(list->findItems(u"Mi 25.11.2026"_s, Qt::MatchExactly).value(0));
  QCoreApplication::processEvents();
  if (!form.grab().save(out.filePath(QStringLiteral("main-laufzeit-systeme.png")))) {
    qWarning("cannot write main-laufzeit-systeme.png");
    return 1;
  }

  // The desktop's own dialog, as "&Schein laden" opens it, on the folder of the ticket.
  QDir::setCurrent(QString::fromStdString(f.Path("")));
  kw::QtPlatform desktop(QString::fromLatin1(kw::kApplicationTitle));
  saved = false;
  const kw::test::ModalHandler handler([&](QWidget* dialog) {
    dialog->resize(720, 320);
    QCoreApplication::processEvents();
    saved = dialog->grab().save(out.filePath(QStringLiteral("open-dialog.png")));
    dialog->close();
  });
  desktop.ChooseTicketFile();
  if (!saved) {
    qWarning("cannot write open-dialog.png");
    return 1;
  }

  // "Meine Scheine" with the household's three tickets, one of them on a stick not plugged in:
  // at the smallest size it is made for, and maximised.
  f.WriteFile("dauerschein.sch",
              "[Schein]\r\nSpiel1=02 09 13 26 37 48 \r\nSpiel2=08 11 19 27 36 44 \r\n"
              "Spiel3=05 14 23 32 41 49 \r\nLosnummer=3810635\r\nAblauf=30.12.2026\r\n"
              "Beginn=18.11.2026\r\nZiehungstage=Mittwoch\r\nSuper6=nein\r\n");
  const std::string stick = "/media/stick/wochenschein.sch";
  kw::SettingsFile settings(f.Directory());
  settings.WriteTicketList({f.Path("ticket.sch"), f.Path("dauerschein.sch"), stick});
  kw::MyTicketsWindow tickets(f.Directory(), drawings, f.platform, f.clock);
  tickets.show();
  tickets.resize(800, 500);
  auto* ticketList = tickets.findChild<QTreeWidget*>(u"TicketsList"_s);
  auto* days = tickets.findChild<QTreeWidget*>(u"TermDrawings"_s);
  ticketList->setCurrentItem(ticketList->topLevelItem(0));
  days->setCurrentItem(days->findItems(u"Mi 25.11.2026"_s, Qt::MatchExactly).value(0));
  QCoreApplication::processEvents();
  if (!tickets.grab().save(out.filePath(u"my-tickets-800x500.png"_s))) return 1;
  // Without a window manager to maximise it, it takes the whole screen as a maximised window does.
  tickets.setGeometry(tickets.screen()->availableGeometry());
  QCoreApplication::processEvents();
  QTest::qWait(200);
  if (!tickets.grab().save(out.filePath(u"my-tickets-maximised.png"_s))) return 1;

  QApplication::setStyle(u"Fusion"_s);
  QPalette dark;
  for (const auto& [role, colour] : {std::pair{QPalette::Window, QColor(0x35, 0x35, 0x35)},
                                     {QPalette::Base, QColor(0x2a, 0x2a, 0x2a)},
                                     {QPalette::AlternateBase, QColor(0x42, 0x42, 0x42)},
                                     {QPalette::Button, QColor(0x35, 0x35, 0x35)},
                                     {QPalette::WindowText, QColor(Qt::white)},
                                     {QPalette::Text, QColor(Qt::white)},
                                     {QPalette::ButtonText, QColor(Qt::white)},
                                     {QPalette::Highlight, QColor(0x2a, 0x82, 0xda)},
                                     {QPalette::HighlightedText, QColor(Qt::black)}}) {
    dark.setColor(role, colour);
  }
  for (const QPalette::ColorRole role :
       {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
    dark.setColor(QPalette::Disabled, role, QColor(0x80, 0x80, 0x80));
  }
  QApplication::setPalette(dark);
  kw::MyTicketsWindow darkTickets(f.Directory(), drawings, f.platform, f.clock);
  darkTickets.show();
  darkTickets.resize(800, 500);
  auto* darkList = darkTickets.findChild<QTreeWidget*>(u"TicketsList"_s);
  darkList->setCurrentItem(darkList->topLevelItem(0));
  QCoreApplication::processEvents();
  if (!darkTickets.grab().save(out.filePath(u"my-tickets-800x500-dark.png"_s))) return 1;
  return 0;
}
