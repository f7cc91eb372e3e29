// The ticket editor driven as a user drives it: opening, checking, saving, closing, and its way
// in and out of the main window.
#include <QFontMetrics>
#include <QGroupBox>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <limits>

#include "app/application.h"
#include "eval/term_report.h"
#include "tests/ui/editor_fixture.h"
#include "qtedge/cp1252_text.h"

using namespace Qt::StringLiterals;

namespace kw::test {
namespace {

const QString kConversionMessage =
    "FEHLER: Das Datum ist falsch eingegeben oder ein oder mehrere Zahlenfelder sind leer ! "
    u"Es mu\u00df eine Zahl eingetragen werden (0 wenn Sie an dem Spiel nicht teilnehmen)."_s;

QString Range(int game, int position) {
  return QStringLiteral("Die Zahl in Spiel %1 an Stelle %2 ist ung\u00fcltig !")
      .arg(game)
      .arg(position);
}

// What the user types: field 1 to 72, 0 for the expiry field or -1 to -4 for system field 1 to 4,
// and the text.
using Typing = QList<QPair<int, QString>>;

const std::string kTwelveGames = [] {
  std::string file = "[Schein]\r\n";
  for (int g = 1; g <= 12; ++g) file += "Spiel" + std::to_string(g) + "=01 02 03 04 05 49 \r\n";
  return file + "Losnummer=1111111\r\nAblauf=01.01.2027\r\n";
}();

}  // namespace

class EditorWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void layout();
  void tabOrder();
  void emptyStartWithTodayAndFocusInFirstField();
  void eachOpeningShowsTheCurrentTicket();
  void loadFailureGoesToErrorBoxAndKeepsFields_data();
  void loadFailureGoesToErrorBoxAndKeepsFields();
  void refusedInputShowsBoxesAndSavesNothing_data();
  void refusedInputShowsBoxesAndSavesNothing();
  void acceptedInputIsSavedAsTyped();
  void clearingThenSavingWritesAnEmptyTicket();
  void saveDialogRemembersTheFileWrittenLast();
  void closingAnyWayAsksBeforeTypingIsDropped();
  void saveAsKeepsTheKeysTheEditorDoesNotWrite();
  void roundTripThroughTheMainWindow();
  void systemFieldsOnAPageOfTheirOwn();
  void systemsAreSavedAndShownAgain();
  void theLosnummerIsReadAsTheTermCheckReadsIt();
};

// The field a Typing entry names, on the page that shows it.
QLineEdit* TypedField(EditorFixture& f, int field) {
  f.ShowSystems(field < 0);
  if (field < 0) return f.SystemField(-field);
  return field ? f.Field(field) : f.ExpiryField();
}

void EditorWindowTest::layout() {
  EditorFixture f;
  TForm2& editor = f.Editor();
  QCOMPARE(editor.objectName(), u"TForm2"_s);
  QCOMPARE(editor.windowTitle(), u"Schein bearbeiten/erstellen"_s);
  QCOMPARE(editor.size(), QSize(282, 465));
  QCOMPARE(editor.minimumSize(), editor.maximumSize());
  QVERIFY(!(editor.windowFlags() &
            (Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint)));
  QVERIFY(editor.isHidden());

  // Places as the user sees them in the window, whatever box holds the control.
  auto inWindow = [&](const QWidget* w) { return QRect(w->mapTo(&editor, QPoint()), w->size()); };
  const std::tuple<const char*, const char*, QRect> places[] = {
      {"GroupBox1", "TForm2", {8, 8, 265, 321}},
      {"Edit1", "GroupBox1", {72, 28, 25, 21}},
      {"Edit6", "GroupBox1", {232, 28, 25, 21}},
      {"Edit67", "GroupBox1", {72, 292, 25, 21}},
      {"Edit72", "GroupBox1", {232, 292, 25, 21}},
      {"GroupBox2", "TForm2", {8, 336, 137, 121}},
      {"LabeledEdit2", "GroupBox2", {16, 376, 121, 21}},
      {"LabeledEdit1", "GroupBox2", {16, 424, 121, 21}},
  };
  for (const auto& [name, parent, place] : places) {
    auto* control = f.Control<QWidget>(name);
    QCOMPARE(control->parentWidget()->objectName(), QString::fromLatin1(parent));
    QCOMPARE(inWindow(control), place);
  }
  QCOMPARE(f.Control<QGroupBox>("GroupBox1")->title(), u"Spiele"_s);
  QCOMPARE(f.Control<QGroupBox>("GroupBox2")->title(), u"Sonstige Daten"_s);

  // Captions are whole; game captions end beside their row, field captions 3 pixels above.
  for (int g = 1; g <= 12; ++g) {
    auto* label = f.Control<QLabel>("Label" + std::to_string(g));
    QCOMPARE(label->text(), QStringLiteral("Spiel %1:").arg(g, 2, 10, QChar(u'0')));
    QVERIFY(label->sizeHint().width() <= label->width());
    QCOMPARE(inWindow(label).right(), 64);
    QCOMPARE(inWindow(label).top(), 32 + 24 * (g - 1));
  }
  for (const auto& [name, caption] : {std::pair{"LabeledEdit2", "Losnummer:"},
                                      std::pair{"LabeledEdit1", "G\u00fcltig bis (TT.MM.JJJJ):"}}) {
    auto* label = f.Control<QLabel>(std::string(name) + "Label");
    QCOMPARE(label->text(), QString::fromUtf8(caption));
    QCOMPARE(label->buddy(), f.Control<QWidget>(name));
    QCOMPARE(inWindow(label).bottom() + 1 + 3, inWindow(label->buddy()).top());
    QVERIFY(label->sizeHint().width() <= label->width());
    QVERIFY(label->geometry().right() < label->parentWidget()->width());
  }
  const std::tuple<int, QString, int> buttons[] = {{1, u"Daten &l\u00f6schen"_s, 344},
                                                   {2, u"&Speichern als"_s, 376},
                                                   {3, u"&Zur\u00fcck"_s, 432}};
  for (const auto& [n, caption, top] : buttons) {
    QPushButton* button = f.EditorButton(n);
    QCOMPARE(button->text(), caption);
    QCOMPARE(button->geometry().top(), top);
    QCOMPARE(button->geometry().center().x(), 213);
    QVERIFY(button->fontMetrics().horizontalAdvance(QString(caption).remove(u'&')) <
            button->width() - 8);
    QVERIFY(!button->isDefault());
  }

  // No character limits, and names that screen readers and automation find.
  for (int n = 1; n <= 72; ++n) {
    QCOMPARE(f.Field(n)->maxLength(), std::numeric_limits<int>::max());
  }
  QCOMPARE(f.Field(EditorFixture::FieldOf(3, 5))->accessibleName(), u"Spiel 3 Zahl 5"_s);
  QCOMPARE(f.Field(72)->accessibleName(), u"Spiel 12 Zahl 6"_s);
  QCOMPARE(f.LotField()->accessibleName(), u"Losnummer"_s);
  QCOMPARE(f.ExpiryField()->accessibleName(), u"G\u00fcltig bis"_s);
  QCOMPARE(f.LotField()->maxLength(), std::numeric_limits<int>::max());
  QCOMPARE(f.ExpiryField()->maxLength(), std::numeric_limits<int>::max());
}

void EditorWindowTest::tabOrder() {
  EditorFixture f;
  QStringList expected;
  for (int n = 1; n <= 72; ++n) expected << QStringLiteral("Edit%1").arg(n);
  expected << u"LabeledEdit2"_s << u"LabeledEdit1"_s << u"Button1"_s << u"Button2"_s
           << u"Button3"_s;
  QStringList order;
  QWidget* w = f.Field(1);
  do {
    if (expected.contains(w->objectName())) order << w->objectName();
    w = w->nextInFocusChain();
  } while (w != f.Field(1));
  QCOMPARE(order, expected);
}

void EditorWindowTest::emptyStartWithTodayAndFocusInFirstField() {
  EditorFixture f;
  f.Open([&] {
    QCOMPARE(f.NumberTexts(), QStringList(72, u"0"_s));
    QCOMPARE(f.LotField()->text(), u""_s);
    QCOMPARE(f.ExpiryField()->text(), u"01.12.2026"_s);
    QCOMPARE(f.Editor().focusWidget(), f.Field(1));
    // Centred on the screen, give or take the window frame.
    const QPoint offCentre = f.Editor().frameGeometry().center() -
                             QGuiApplication::primaryScreen()->availableGeometry().center();
    QVERIFY2(offCentre.manhattanLength() <= 8, qPrintable(QString::number(offCentre.x())));
  });
  QVERIFY(f.platform.messages.empty());
}

void EditorWindowTest::eachOpeningShowsTheCurrentTicket() {
  EditorFixture f;
  f.WriteFile("twelve.sch", kTwelveGames);
  f.WriteFile("three.sch",
              "[Schein]\r\nSpiel1=03 15 22 31 40 49 \r\nSpiel2=01 07 12 19 33 45 \r\n"
              "Spiel3=05 06 17 28 39 42 \r\nLosnummer=123456789\r\nAblauf=19.12.2026\r\n");
  f.NameTicket("twelve.sch");
  f.Open([&] { QCOMPARE(f.Field(72)->text(), u"49"_s); });

  f.NameTicket("three.sch");
  f.Open([&] {
    const QStringList numbers = f.NumberTexts();
    QCOMPARE(numbers.mid(0, 6), (QStringList{u"3"_s, u"15"_s, u"22"_s, u"31"_s, u"40"_s, u"49"_s}));
    QCOMPARE(numbers.mid(12, 6), (QStringList{u"5"_s, u"6"_s, u"17"_s, u"28"_s, u"39"_s, u"42"_s}));
    QCOMPARE(numbers.mid(18), QStringList(54, u"0"_s));
    QCOMPARE(f.LotField()->text(), u"123456789"_s);  // the whole lot number, not cut
    QCOMPARE(f.ExpiryField()->text(), u"19.12.2026"_s);
  });
  QVERIFY(f.platform.messages.empty());
}

void EditorWindowTest::loadFailureGoesToErrorBoxAndKeepsFields_data() {
  QTest::addColumn<QString>("file");  // empty: the named file does not exist
  QTest::addColumn<QString>("error");
  QTest::newRow("missing file") << ""
                                << "'' is not a valid date.";
  QTest::newRow("negative number")
      << "[Schein]\r\nSpiel1=-1 -2 03 04 05 06\r\nAblauf=01.01.2027\r\n"
      << "Die Zahl -1 in Spiel 1 an Stelle 1 ist ung\u00fcltig.";
}

void EditorWindowTest::loadFailureGoesToErrorBoxAndKeepsFields() {
  QFETCH(QString, file);
  QFETCH(QString, error);
  EditorFixture f;
  f.WriteFile("twelve.sch", kTwelveGames);
  f.NameTicket("twelve.sch");
  QStringList shown;
  f.Open([&] { shown = f.NumberTexts(); });

  if (!file.isEmpty()) f.WriteFile("broken.sch", file.toStdString());
  f.NameTicket("broken.sch");
  f.Open([&] {
    QCOMPARE(f.NumberTexts(), shown);
    QCOMPARE(f.LotField()->text(), u"1111111"_s);
  });
  QCOMPARE(f.platform.texts(), QStringList{error});
  QCOMPARE(f.platform.messages.front().kind, MessageKind::Error);
}

void EditorWindowTest::refusedInputShowsBoxesAndSavesNothing_data() {
  QTest::addColumn<Typing>("typing");
  QTest::addColumn<QStringList>("messages");
  QTest::addColumn<int>("focus");  // the field that waits for the correction, 0 the expiry
  const int edit10 = 10;
  // Each kind of field text is checked without a window (editor_fields_test); here the window
  // shows the boxes in order, opens no dialog, keeps what was typed and puts the focus on the
  // first field named.
  QTest::newRow("month 13") << Typing{{0, u"31.13.2026"_s}} << QStringList{kConversionMessage} << 0;
  QTest::newRow("300, which a byte keeps as 44")
      << Typing{{1, u"300"_s}} << QStringList{Range(1, 1)} << 1;
  QTest::newRow("77 in Edit1 with Edit10 empty")
      << Typing{{1, u"77"_s}, {edit10, u""_s}} << QStringList{kConversionMessage, Range(1, 1)}
      << edit10;
  QTest::newRow("three numbers above 49")
      << Typing{{72, u"60"_s}, {2, u"50"_s}, {40, u"99"_s}}
      << QStringList{Range(1, 2), Range(7, 4), Range(12, 6)} << 2;
  QTest::newRow("a 0 among the numbers of game 2")
      << Typing{{9, u"0"_s}}
      << QStringList{
             u"Spiel 2: eine 0 steht neben anderen Zahlen; ein leeres Spiel hat sechs Nullen."_s}
      << 9;
  QTest::newRow("13 twice") << Typing{{1, u"13"_s}, {2, u"13"_s}}
                            << QStringList{u"Spiel 1: die 13 steht zweimal."_s} << 2;
  // The system page shows again for its field, the games for theirs.
  QTest::newRow("17 numbers in system 2")
      << Typing{{-2, u"1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17"_s}}
      << QStringList{u"System 2: 17 Zahlen; ein System hat 7 bis 16 Zahlen."_s} << -2;
  QTest::newRow("a game and then a system field")
      << Typing{{-4, u"8 9 13 14 15 16 13"_s}, {3, u"50"_s}, {-1, u"5"_s}}
      << QStringList{Range(1, 3), u"System 1: 1 Zahl; ein System hat 7 bis 16 Zahlen."_s,
                     u"System 4: die 13 steht zweimal."_s}
      << 3;
}

void EditorWindowTest::refusedInputShowsBoxesAndSavesNothing() {
  QFETCH(Typing, typing);
  QFETCH(QStringList, messages);
  QFETCH(int, focus);
  EditorFixture f;
  f.WriteStandardSettings();
  const std::string ticketBefore = f.ReadFile("ticket.sch");
  f.platform.saveAnswers << QString::fromStdString(f.Path("neu.sch"));
  f.Open([&] {
    for (const auto& [field, text] : typing) f.Type(TypedField(f, field), text);
    QTest::mouseClick(f.EditorButton(2), Qt::LeftButton);
    QWidget* const focused = f.Editor().focusWidget();
    QVERIFY(focused && focused->isVisible());
    QCOMPARE(focused, TypedField(f, focus));
    for (const auto& [field, text] : typing) {
      QCOMPARE(TypedField(f, field)->text(), text);  // still as typed
    }
  });
  QCOMPARE(f.platform.texts(), messages);
  for (const auto& message : f.platform.messages) QCOMPARE(message.kind, MessageKind::Plain);
  QVERIFY(f.platform.proposedSaveNames.isEmpty());  // no dialog
  QVERIFY(!std::filesystem::exists(f.Path("neu.sch")));
  QCOMPARE(f.ReadFile("ticket.sch"), ticketBefore);
  QCOMPARE(f.ReadSetting("Einstellungen", "Schein"), f.Path("ticket.sch"));
}

void EditorWindowTest::acceptedInputIsSavedAsTyped() {
  EditorFixture f;
  f.platform.saveAnswers << QString::fromStdString(f.Path("neu.sch"));
  const Typing typing = {{1, u" 3 "_s},       {2, u"15 "_s}, {3, u"22"_s},
                         {4, u"31"_s},        {5, u"40"_s},  {6, u"49"_s},  // blanks around pass
                         {0, u"31.12.2027"_s}};
  f.Open([&] {
    for (const auto& [field, text] : typing) f.Type(field ? f.Field(field) : f.ExpiryField(), text);
    f.Type(f.LotField(), u"123456789"_s);
    QTest::mouseClick(f.EditorButton(2), Qt::LeftButton);
  });

  QVERIFY(f.platform.messages.empty());
  std::string expected = "[Schein]\r\nSpiel1=03 15 22 31 40 49 \r\n";
  for (int g = 2; g <= 12; ++g) expected += "Spiel" + std::to_string(g) + "=\r\n";
  expected += "Losnummer=123456789\r\nAblauf=31.12.2027\r\n";
  QCOMPARE(f.ReadFile("neu.sch"), expected);
  QCOMPARE(f.ReadSetting("Einstellungen", "Schein"), f.Path("neu.sch"));
  QCOMPARE(f.ReadSetting("Meine Scheine", "Schein1"), f.Path("neu.sch"));  // the household's
}

void EditorWindowTest::clearingThenSavingWritesAnEmptyTicket() {
  EditorFixture f;
  f.WriteStandardSettings();
  f.platform.saveAnswers << QString::fromStdString(f.Path("leer.sch"));
  f.Open([&] {
    QCOMPARE(f.Field(1)->text(), u"3"_s);
    f.Type(f.Field(40), u"abc"_s);
    // Enter clicks the focused button.
    f.EditorButton(1)->setFocus();
    QTest::keyClick(f.EditorButton(1), Qt::Key_Return);
    QCOMPARE(f.NumberTexts(), QStringList(72, u"0"_s));
    QCOMPARE(f.LotField()->text(), u""_s);
    QCOMPARE(f.ExpiryField()->text(), u"01.12.2026"_s);
    QCOMPARE(f.Editor().focusWidget(), f.Field(1));
    QTest::mouseClick(f.EditorButton(2), Qt::LeftButton);
  });
  QVERIFY(f.platform.messages.empty());
  QCOMPARE(ReadProfileString(f.Path("leer.sch"), "Schein", "Spiel1"), "");
  QCOMPARE(ReadProfileString(f.Path("leer.sch"), "Schein", "Losnummer"), "");
  QCOMPARE(ReadProfileString(f.Path("leer.sch"), "Schein", "Ablauf"), "01.12.2026");
}

void EditorWindowTest::saveDialogRemembersTheFileWrittenLast() {
  EditorFixture f;
  f.WriteStandardSettings();
  f.WriteFile("plain", "x");
  const QString first = QString::fromStdString(f.Path("erster.sch"));
  const QString unwritable = QString::fromStdString(f.Path("plain/neu.sch"));
  f.Open([&] {
    auto save = [&] { QTest::mouseClick(f.EditorButton(2), Qt::LeftButton); };
    save();  // cancelled before anything was saved in this run: no current ticket
    QCOMPARE(f.ReadSetting("Einstellungen", "Schein"), "");

    f.platform.saveAnswers << first;
    save();
    QCOMPARE(f.ReadSetting("Einstellungen", "Schein"), first.toStdString());

    // A write below a regular file fails; the settings keep the ticket written last.
    f.platform.saveAnswers << unwritable;
    save();
    QCOMPARE(f.platform.texts(), QStringList{u"Unable to write to "_s + unwritable + u"."_s});
    QCOMPARE(f.platform.messages.front().kind, MessageKind::Error);
    QCOMPARE(f.ReadSetting("Einstellungen", "Schein"), first.toStdString());

    save();  // cancelled: the file never written must not become the current ticket
    QCOMPARE(f.ReadSetting("Einstellungen", "Schein"), first.toStdString());
  });
  QCOMPARE(f.platform.proposedSaveNames, (QStringList{u""_s, u""_s, first, first}));
  QCOMPARE(ReadProfileString(f.Path("erster.sch"), "Schein", "Spiel12"), "05 06 17 28 39 42");
}

void EditorWindowTest::closingAnyWayAsksBeforeTypingIsDropped() {
  EditorFixture f;
  f.WriteStandardSettings();
  const QString question = u"\u00c4nderungen verwerfen?"_s;
  const std::function<void()> closers[] = {
      [&] { QTest::mouseClick(f.EditorButton(3), Qt::LeftButton); },
      [&] { QTest::keyClick(f.Field(5), Qt::Key_Escape); },
      [&] { f.Editor().close(); },  // Alt+F4 or the window manager
  };
  for (const auto& close : closers) {
    f.platform.questions.clear();
    f.Open([&] {
      close();  // nothing changed: no question
      QVERIFY(!f.Editor().isVisible());
    });
    f.Open([&] {
      f.Type(f.Field(5), u"33"_s);
      QTest::keyClick(f.Field(5), Qt::Key_Return);
      QVERIFY(f.Editor().isVisible());
      f.platform.yesNoAnswers = {false, true};
      close();  // "Nein": everything stays
      QVERIFY(f.Editor().isVisible());
      QCOMPARE(f.Field(5)->text(), u"33"_s);
      close();  // "Ja"
      QVERIFY(!f.Editor().isVisible());
    });
    QCOMPARE(f.platform.questions, QStringList(2, question));
  }
  QVERIFY(f.platform.messages.empty());
  QVERIFY(f.platform.proposedSaveNames.isEmpty());
  QCOMPARE(f.ReadSetting("Einstellungen", "Schein"), f.Path("ticket.sch"));
  // Unsaved changes are gone at the next opening; saved ones are no changes.
  f.platform.saveAnswers << QString::fromStdString(f.Path("ticket.sch"));
  f.Open([&] {
    QCOMPARE(f.Field(5)->text(), u"40"_s);
    f.Type(f.Field(5), u"41"_s);
    QTest::mouseClick(f.EditorButton(2), Qt::LeftButton);
    f.platform.questions.clear();
    QTest::mouseClick(f.EditorButton(3), Qt::LeftButton);
    QVERIFY(!f.Editor().isVisible());
  });
  QVERIFY(f.platform.questions.isEmpty());
}

void EditorWindowTest::saveAsKeepsTheKeysTheEditorDoesNotWrite() {
  EditorFixture f;
  f.WriteFile("laufzeit.sch",
              "[Schein]\r\nSpiel1=03 15 22 31 40 49 \r\nLosnummer=4711235\r\n"
              "Ablauf=19.12.2026\r\nBeginn=05.12.2026\r\nZiehungstage=Samstag\r\n"
              "Spiel77=nein\r\nSuper6=ja\r\nNotiz=Kiosk\r\n[Andere]\r\nx=1\r\n");
  // Another ticket where the file is to go: replaced only after a "Ja", and then whole.
  const std::string other = "[Schein]\r\nSpiel1=01 02 03 04 05 06 \r\nLosnummer=1111111\r\n"
                            "Ablauf=01.01.2027\r\nBeginn=02.12.2026\r\nHalter=Oma\r\n";
  f.WriteFile("fremd.sch", other);
  f.NameTicket("laufzeit.sch");
  f.platform.saveAnswers << QString::fromStdString(f.Path("fremd.sch"))
                         << QString::fromStdString(f.Path("fremd.sch"))
                         << QString::fromStdString(f.Path("kopie.sch"))
                         << QString::fromStdString(f.Path("neu.sch"));
  f.platform.yesNoAnswers << false << true;
  f.Open([&] {
    f.Type(f.Field(1), u"4"_s);
    QTest::mouseClick(f.EditorButton(2), Qt::LeftButton);
    QCOMPARE(f.ReadFile("fremd.sch"), other);
    QCOMPARE(f.platform.questions, QStringList{u"\u00bbfremd.sch\u00ab gibt es schon. Ersetzen?"_s});
    QTest::mouseClick(f.EditorButton(2), Qt::LeftButton);
    QTest::mouseClick(f.EditorButton(2), Qt::LeftButton);
    // An emptied form is a new ticket, with nothing of the one loaded.
    QTest::mouseClick(f.EditorButton(1), Qt::LeftButton);
    QTest::mouseClick(f.EditorButton(2), Qt::LeftButton);
  });
  QVERIFY(f.platform.messages.empty());
  std::string expected =
      "[Schein]\r\nSpiel1=04 15 22 31 40 49 \r\nLosnummer=4711235\r\n"
      "Ablauf=19.12.2026\r\nBeginn=05.12.2026\r\nZiehungstage=Samstag\r\n"
      "Spiel77=nein\r\nSuper6=ja\r\nNotiz=Kiosk\r\n";
  for (int g = 2; g <= 12; ++g) expected += "Spiel" + std::to_string(g) + "=\r\n";
  QCOMPARE(f.ReadFile("kopie.sch"), expected);
  QCOMPARE(f.ReadFile("fremd.sch"), expected);
  QCOMPARE(f.platform.questions.size(), 2);  // the loaded ticket itself is saved without one
  QCOMPARE(ReadProfileString(f.Path("neu.sch"), "Schein", "Beginn"), "");
}

void EditorWindowTest::roundTripThroughTheMainWindow() {
  EditorFixture f;
  f.WriteStandardSettings();
  ProgramWindows windows = StartProgram(f.Directory(), f.platform, f.clock);
  f.form = std::move(windows.form1);
  f.platform.messages.clear();  // the validity notice
  f.editor = f.form->findChild<TForm2*>();
  QVERIFY(f.editor);
  QVERIFY(f.editor->isHidden());
  QVERIFY(f.Button(4)->isEnabled());
  const QString oldFirstLine = f.Label(1)->text();
  auto openFromMainWindow = [&] { f.Click(f.Button(4)); };

  // A cancel before any save records no current ticket; the main window keeps its own.
  f.WhileOpen(openFromMainWindow, [&] {
    QCOMPARE(f.Field(1)->text(), u"3"_s);
    QTest::mouseClick(f.EditorButton(2), Qt::LeftButton);
  });
  QCOMPARE(f.ReadSetting("Einstellungen", "Schein"), "");
  QCOMPARE(f.Label(1)->text(), oldFirstLine);
  QCOMPARE(f.form->ticket().path, f.Path("ticket.sch"));

  // The main window writes its ticket back before the editor opens; the saved ticket comes back.
  f.platform.saveAnswers << QString::fromStdString(f.Path("neu.sch"));
  f.WhileOpen(openFromMainWindow, [&] {
    QCOMPARE(f.LotField()->text(), u"4711235"_s);
    for (int p = 1; p <= 6; ++p) {
      f.Type(f.Field(EditorFixture::FieldOf(3, p)), QString::number(10 + p));
    }
    f.Type(f.LotField(), u"987654321"_s);
    QTest::mouseClick(f.EditorButton(2), Qt::LeftButton);
  });
  QVERIFY(f.platform.messages.empty());
  QCOMPARE(f.form->ticket().path, f.Path("neu.sch"));
  QCOMPARE(f.Label(1)->text(), oldFirstLine);
  QCOMPARE(f.Label(3)->text(), u"Spiel 03: 11  12  13  14  15  16 "_s);
  QCOMPARE(f.Label(13)->text(), u"Spiel77: 9876543"_s);  // the main window keeps 7 characters
  QCOMPARE(ReadProfileString(f.Path("neu.sch"), "Schein", "Losnummer"), "987654321");
}

void EditorWindowTest::systemFieldsOnAPageOfTheirOwn() {
  EditorFixture f;
  f.WriteFile("system.sch",
              kTicketFile + "System1=03 07 12 25 33 41 44 48 \r\nSystem2=01 02 03\r\n");
  f.NameTicket("system.sch");
  f.Open([&] {
    auto* games = f.Control<QWidget>("GroupBox1");
    auto* systems = f.Control<QWidget>("SystemBox");
    QPushButton* button = f.SystemsButton();
    // In the gap above "&Zurück": every control of the window keeps its place.
    QVERIFY(f.Editor().rect().contains(button->geometry()));
    for (int n = 1; n <= 3; ++n) {
      QVERIFY(!button->geometry().intersects(f.EditorButton(n)->geometry()));
    }
    f.Editor().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f.Editor()));
    QTest::keyClick(f.Editor().focusWidget(), Qt::Key_Y, Qt::AltModifier);
    QTRY_VERIFY(systems->isVisible() && !games->isVisible());  // a mnemonic clicks with a delay
    QCOMPARE(button->text(), u"\u00ab Sp&iele"_s);
    QCOMPARE(f.Editor().focusWidget(), f.SystemField(1));
    QCOMPARE(f.SystemField(1)->text(), u"3 7 12 25 33 41 44 48"_s);
    QCOMPARE(f.SystemInfo(1)->text(), u"System 008, 28 Tippreihen"_s);
    QCOMPARE(f.SystemInfo(2)->text(), u"3 Zahlen; ein System hat 7 bis 16 Zahlen"_s);

    // As the person types.
    QTest::keyClick(f.SystemField(1), Qt::Key_End);
    QTest::keyClicks(f.SystemField(1), u" 49"_s);
    QCOMPARE(f.SystemInfo(1)->text(), u"System 009, 84 Tippreihen"_s);
    f.Type(f.SystemField(3), u"VEW 622 1 2 3"_s);
    QCOMPARE(f.SystemInfo(1)->text(), u"der Schein hat in System 3 ein Teilsystem"_s);

    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(games->isVisible() && !systems->isVisible());
    QCOMPARE(button->text(), u"S&ysteme \u00bb"_s);
  });
  QVERIFY(f.platform.messages.empty());
  QCOMPARE(f.platform.questions, QStringList{u"\u00c4nderungen verwerfen?"_s});
}

void EditorWindowTest::systemsAreSavedAndShownAgain() {
  EditorFixture f;
  f.WriteFile("system.sch", kTicketFile + "System1=03 07 12 25 33 41 44 48 \r\nNotiz=x\r\n");
  f.NameTicket("system.sch");
  f.platform.saveAnswers << QString::fromStdString(f.Path("neu.sch"));
  f.Open([&] {
    f.ShowSystems(true);
    f.Type(f.SystemField(1), u""_s);
    f.Type(f.SystemField(2), u"1 2 3 4 5 6 7 8 9 10"_s);
    f.Type(f.SystemField(4), u"49,48,47,46,45,44,43"_s);
    QTest::mouseClick(f.EditorButton(2), Qt::LeftButton);
  });
  QVERIFY(f.platform.messages.empty());
  // The system the ticket came with is emptied in the new file, not carried over.
  const std::string saved = f.ReadFile("neu.sch");
  QVERIFY2(saved.find("System1=\r\nNotiz=x\r\nSystem2=01 02 03 04 05 06 07 08 09 10 \r\n"
                      "System4=49 48 47 46 45 44 43 \r\n") != std::string::npos,
           saved.c_str());
  QCOMPARE(saved.find("System3"), std::string::npos);
  QCOMPARE(saved.substr(0, kTicketFile.size()), kTicketFile);

  f.Open([&] {
    f.ShowSystems(true);
    const QStringList texts = {f.SystemField(1)->text(), f.SystemField(2)->text(),
                               f.SystemField(3)->text(), f.SystemField(4)->text()};
    QCOMPARE(texts,
             (QStringList{u""_s, u"1 2 3 4 5 6 7 8 9 10"_s, u""_s, u"49 48 47 46 45 44 43"_s}));
    QCOMPARE(f.SystemInfo(2)->text(), u"System 010, 210 Tippreihen"_s);
    // "Daten löschen" empties the systems too, and shows the games.
    QTest::mouseClick(f.EditorButton(1), Qt::LeftButton);
    QVERIFY(f.Field(1)->isVisible());
    QCOMPARE(f.SystemField(2)->text(), u""_s);
  });
}

// Beside the field, as one types, what the term check will make of the Losnummer; the field's
// place and the caption below it stay as they are.
void EditorWindowTest::theLosnummerIsReadAsTheTermCheckReadsIt() {
  EditorFixture f;
  f.Open([&] {
    auto* note = f.Control<QLabel>("LotNumberNote");
    QCOMPARE(note->parentWidget()->objectName(), u"GroupBox2"_s);
    QVERIFY(!note->geometry().intersects(f.LotField()->geometry()));
    QVERIFY(!note->geometry().intersects(f.Control<QLabel>("LabeledEdit1Label")->geometry()));
    for (const char* typed : {"", "12345a7", "123456789", "1234567"}) {
      f.Type(f.LotField(), QString::fromLatin1(typed));
      const LotNumberReading reading = ReadLotNumber(typed);
      QCOMPARE(note->text() + u'|' + note->toolTip(),
               FromCp1252(reading.hint) + u'|' + FromCp1252(reading.line));
      QVERIFY2(note->sizeHint().width() <= note->width(), typed);
    }
  });
  QVERIFY(f.platform.messages.empty());
}

}  // namespace kw::test

int main(int argc, char* argv[]) {
  kw::Application app(argc, argv);
  kw::test::EditorWindowTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "editor_window_test.moc"
