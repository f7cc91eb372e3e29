// "WWW &Import" from the click to the main window's draw fields, with the real browser helper
// against a results page served on 127.0.0.1.
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <fstream>

#include "app/application.h"
#include "core/profile.h"
#include "tests/support/fake_platform.h"
#include "tests/support/find_control.h"
#include "tests/support/fixed_clock.h"
#include "tests/support/local_http_server.h"
#include "tests/support/temp_dir.h"
#include "tests/webimport/results_page.h"

using namespace Qt::StringLiterals;

namespace kw::test {
namespace {

using namespace std::chrono_literals;

const QByteArray kResultsPath = "/subnav/gewinnzahlen-quoten/index.html";
constexpr int kImportTimeoutMs = 20'000;  // an upper bound only: it takes about a second

// The results page as the lottery's server sends it: lower-case tags, the Wednesday numbers
// separated by raw non-breaking blanks, and the Saturday numbers written in by the page's own
// script after the page has been read.
QByteArray ResultsPage() {
  const DrawingBlocks saturday = Saturday();
  const DrawingBlocks wednesday = Wednesday();
  auto lowerCase = [](std::string block) {
    for (const auto& [from, to] :
         {std::pair{"<P>", "<p>"}, {"</P>", "</p>"}, {"</B><BR>", "<br>"}}) {
      for (std::size_t at = block.find(from); at != std::string::npos; at = block.find(from, at)) {
        block.replace(at, std::string_view(from).size(), to);
      }
    }
    return block;
  };
  std::string wednesdayNumbers = lowerCase(wednesday.NumberBlock());
  for (std::size_t at = wednesdayNumbers.find("&nbsp;"); at != std::string::npos;
       at = wednesdayNumbers.find("&nbsp;", at)) {
    wednesdayNumbers.replace(at, 6, "\xC2\xA0");
  }
  const std::string body =
      "<h1>Gewinnzahlen und Quoten</h1>\n" + std::string(saturday.marker) + saturday.date +
      "<br><p></p>\n" + lowerCase(saturday.Spiel77Block() + saturday.Super6Block()) + "\n" +
      wednesdayNumbers + lowerCase(wednesday.Spiel77Block() + wednesday.Super6Block()) +
      "\n<script>document.querySelector('p').innerHTML = "
      "['3', '12', '25', '31', '40', '49'].join('\\u00a0|') + "
      "'\\u00a0Zusatzzahl: 17 Superzahl: 4';</script>\n";
  return QByteArray::fromStdString(
      "<!DOCTYPE html><html><head><meta charset=\"utf-8\"></head><body>" + body + "</body></html>");
}

bool WebEngineInThisProcess() {
  std::ifstream maps("/proc/self/maps");
  for (std::string line; std::getline(maps, line);) {
    if (line.find("WebEngine") != std::string::npos) return true;
  }
  return false;
}

QStringList MemoLines(QWidget& window) {
  return FindControl<QPlainTextEdit>(&window, u"Memo1"_s)->toPlainText().split(u'\n');
}

}  // namespace

class WebImportTest : public QObject {
  Q_OBJECT

 private slots:
  void importFromClickToDrawFields();
};

void WebImportTest::importFromClickToDrawFields() {
  LocalHttpServer server;
  server.Route(kResultsPath, {200, ResultsPage(), {}});
  TempDir dir;
  WriteFile(dir / "ZW.INI",
            "[Zahlen]\r\nMittwoch=01020304050607081111111222222\r\n"
            "Samstag=01020304050607081111111222222\r\n");
  FakePlatform platform;
  FixedClock clock{Date::FromYmd(2025, 12, 8)};
  ProgramOptions options;
  options.resultsPageUrl = server.Url(kResultsPath);
  options.browserProgram = QStringLiteral(KREUZWART_BROWSER);
  ProgramWindows windows = StartProgram(dir.path(), platform, clock, options);
  windows.import->SetRunDelay(20ms);
  platform.messages.clear();

  auto* form = windows.form1.get();
  form->findChild<QTabWidget*>(u"PageControl1"_s)->setCurrentIndex(1);
  auto* button5 = form->findChild<QPushButton*>(u"Button5"_s);
  QVERIFY(button5->isEnabled());
  QTest::mouseClick(button5, Qt::LeftButton);  // returns when the download window has closed

  auto* edit1 = form->findChild<QLineEdit*>(u"Edit1"_s);
  QTRY_COMPARE_WITH_TIMEOUT(edit1->text(), u"3"_s, kImportTimeoutMs);
  QStringList fields;
  for (const char* name : {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5", "Edit6", "Edit7", "Edit10",
                           "Edit8", "Edit9"}) {
    fields << form->findChild<QLineEdit*>(QString::fromLatin1(name))->text();
  }
  QCOMPARE(fields, (QStringList{u"3"_s, u"12"_s, u"25"_s, u"31"_s, u"40"_s, u"49"_s, u"17"_s,
                                u"4"_s, u"1234567"_s, u"654321"_s}));
  QCOMPARE(ReadProfileString(dir / "ZW.INI", "Zahlen", "Samstag"), kSaturdayLine);
  QCOMPARE(ReadProfileString(dir / "ZW.INI", "Zahlen", "Mittwoch"), kWednesdayLine);

  QCOMPARE(MemoLines(*windows.download),
           QStringList{u"Verbinde mit Server und starte Download ..."_s});
  QCOMPARE(
      MemoLines(*windows.import),
      (QStringList{u"Preprocessing ..."_s, u"beendet"_s, u"Suche nach Zahlen ..."_s, u"gefunden"_s,
                   u"Durchsuchung beendet"_s, u"Speichere Daten ..."_s, u"beendet"_s}));
  QCOMPARE(platform.texts().size(), 2);
  QVERIFY(platform.texts()[0].startsWith(u"Es mu\u00df eine Internet-Verbindung bestehen"_s));
  QCOMPARE(platform.texts()[1], u"Es wurden erfolgreich neue Zahlen importiert."_s);
  QVERIFY(!windows.download->isVisible());
  QVERIFY(!windows.import->isVisible());
  QVERIFY(!std::filesystem::exists(dir / "lotto.tmp"));
  QVERIFY(!std::filesystem::exists(dir / "lotto2.tmp"));
  // The engine ran in its own process: the program never loaded it.
  QVERIFY(!WebEngineInThisProcess());
}

}  // namespace kw::test

QTEST_MAIN(kw::test::WebImportTest)
#include "web_import_test.moc"
