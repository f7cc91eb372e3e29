// The main window's controls: names, captions, hints, places, limits, order and fonts.
#include <QFontInfo>
#include <QFontMetrics>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>
#include <memory>

#include "app/application.h"
#include "ui/controls.h"
#include "tests/ui/window_fixture.h"

using namespace Qt::StringLiterals;

namespace kw::test {

class WindowLayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void window();
  void controls();
  void tabOrder();
  void ticketFontKeepsColumns();
  void labelsAreNotCut();
  void colouredTextsReadOnLightAndDarkThemes();
  void aPlaceIsFittedIntoTheScreen();
};

void WindowLayoutTest::window() {
  WindowFixture f;
  TForm1& form = f.Start();
  QCOMPARE(form.objectName(), u"TForm1"_s);
  QCOMPARE(form.windowTitle(), u"Kreuzwart v1.26"_s);
  QCOMPARE(form.size(), QSize(449, 373));
  QCOMPARE(form.minimumSize(), form.maximumSize());
  QVERIFY(!(form.windowFlags() & Qt::WindowMaximizeButtonHint));
  QVERIFY(form.windowFlags() & Qt::WindowMinimizeButtonHint);
  QCOMPARE(QFontInfo(form.font()).pixelSize(), 11);

  auto* pages = f.Find<QTabWidget>("PageControl1");
  QCOMPARE(pages->count(), 3);
  QCOMPARE(pages->tabText(0), u"Spielschein"_s);
  QCOMPARE(pages->tabText(1), u"Zahlen"_s);
  QCOMPARE(pages->tabText(2), u"Programminfos"_s);
  QCOMPARE(pages->widget(0)->objectName(), u"TabSheet1"_s);
  QCOMPARE(pages->widget(1)->objectName(), u"TabSheet2"_s);
  QCOMPARE(pages->widget(2)->objectName(), u"TabSheet3"_s);
  // The report area must fit below the drawing box on its page.
  pages->setCurrentIndex(1);
  QVERIFY2(pages->widget(1)->height() >= 132 + 173,
           qPrintable(QStringLiteral("page height %1").arg(pages->widget(1)->height())));

  QVERIFY(f.Button(3)->isDefault());
  // The fixture's window has no editor and no download window to open.
  QVERIFY(!f.Button(4)->isEnabled());
  QVERIFY(!f.Button(5)->isEnabled());
  QVERIFY(!f.Memo()->isVisible());
  QVERIFY(!f.Memo()->isReadOnly());
  QCOMPARE(f.Memo()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  QCOMPARE(f.Find<QLabel>("Label28")->text(), u"Kreuzwart v1.26"_s);
  QCOMPARE(QFontInfo(f.Find<QLabel>("Label28")->font()).pixelSize(), 16);
  QVERIFY(f.Find<QLabel>("Label28")->font().bold());
  auto* link = f.Find<QLabel>("Label26");
  QVERIFY(link->font().underline());
  QCOMPARE(link->palette().color(QPalette::WindowText), QColor(Qt::blue));
  QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
}

void WindowLayoutTest::controls() {
  WindowFixture f;
  f.Start();
  struct Expected {
    const char* name;
    const char* parent;
    QRect geometry;
    QString hint;
  };
  const Expected table[] = {
      {"Button1", "TForm1", {168, 344, 113, 25}, u"Programm beenden"_s},
      {"PageControl1", "TForm1", {0, 0, 449, 337}, u""_s},
      {"GroupBox1", "TabSheet1", {0, 4, 441, 221}, u"Informationen \u00fcber Ihren Spielschein"_s},
      {"Button2", "TabSheet1", {112, 228, 105, 25}, u"Laden eines Spielscheins"_s},
      {"Button4", "TabSheet1", {224, 228, 105, 25}, u"Erstellen/Bearbeiten eines Spielscheins"_s},
      {"GroupBox2", "TabSheet2", {0, 4, 441, 121}, u"Aktuelle Ziehungszahlen"_s},
      {"Edit1", "GroupBox2", {80, 24, 25, 21}, u""_s},
      {"Edit6", "GroupBox2", {240, 24, 25, 21}, u""_s},
      {"Edit7", "GroupBox2", {80, 56, 25, 21}, u""_s},
      {"Edit10", "GroupBox2", {80, 88, 25, 21}, u""_s},
      {"Edit8", "GroupBox2", {176, 56, 89, 21}, u""_s},
      {"Edit9", "GroupBox2", {176, 88, 89, 21}, u""_s},
      {"Button7", "GroupBox2", {288, 24, 129, 25}, u"Umschalten zwischen den Ziehungstagen"_s},
      {"Button3",
       "GroupBox2",
       {288, 56, 129, 25},
       u"\u00dcberpr\u00fcfen des Spielscheins auf Treffer"_s},
      {"Button5", "TabSheet2", {288, 92, 129, 25}, u"Aktuelle Zahlen aus dem Internet laden"_s},
      {"Memo1", "TabSheet2", {0, 132, 441, 173}, u""_s},
  };
  for (const Expected& row : table) {
    auto* control = f.Find<QWidget>(row.name);
    QVERIFY(control);
    QCOMPARE(control->parentWidget()->objectName(), QString::fromLatin1(row.parent));
    QCOMPARE(control->geometry(), row.geometry);
    QCOMPARE(control->toolTip(), row.hint);
  }
  // Labels keep their top left corner; their width follows the font.
  const std::pair<const char*, QPoint> labels[] = {
      {"Label1", {8, 24}},    {"Label12", {8, 200}},  {"Label13", {280, 24}},
      {"Label14", {280, 40}}, {"Label17", {280, 72}}, {"Label20", {8, 24}},
      {"Label19", {9, 60}},   {"Label18", {11, 92}},  {"Label15", {120, 60}},
      {"Label16", {120, 92}}, {"Label28", {122, 24}}, {"Label26", {155, 96}}};
  for (const auto& [name, at] : labels) QCOMPARE(f.Find<QLabel>(name)->pos(), at);
  QCOMPARE(f.Find<QLabel>("Label20")->text(), u"Spielzahlen:"_s);
  QCOMPARE(f.Find<QLabel>("Label16")->text(), u"Super 6:"_s);

  // Field limits, and names that screen readers and automation find.
  const std::pair<const char*, int> limits[] = {
      {"Edit1", 2}, {"Edit2", 2}, {"Edit3", 2},  {"Edit4", 2}, {"Edit5", 2},
      {"Edit6", 2}, {"Edit7", 2}, {"Edit10", 2}, {"Edit8", 7}, {"Edit9", 6}};
  for (const auto& [name, limit] : limits) {
    QCOMPARE(f.Find<QLineEdit>(name)->maxLength(), limit);
    QVERIFY2(!f.Find<QLineEdit>(name)->accessibleName().isEmpty(), name);
  }
  QCOMPARE(f.Edit(10)->accessibleName(), u"Superzahl"_s);
  for (QPushButton* button : f.form->findChildren<QPushButton*>()) {
    QCOMPARE(button->accessibleName(), QString(button->text()).remove(u'&'));
  }
}

void WindowLayoutTest::tabOrder() {
  WindowFixture f;
  f.Start();
  const QStringList expected = {
      u"Button1"_s, u"Button2"_s, u"Button4"_s, u"Edit1"_s,   u"Edit2"_s,  u"Edit3"_s,
      u"Edit4"_s,   u"Edit5"_s,   u"Edit6"_s,   u"Edit7"_s,   u"Edit10"_s, u"Edit8"_s,
      u"Edit9"_s,   u"Button7"_s, u"Button3"_s, u"Button5"_s, u"Memo1"_s};
  QStringList order;
  auto* pages = f.Find<QTabWidget>("PageControl1");
  QWidget* tabBar = pages->focusProxy() ? pages->focusProxy() : pages;
  bool pageControlAfterButton1 = false;
  QWidget* w = f.Button(1);
  do {
    if (expected.contains(w->objectName())) order << w->objectName();
    if (w == tabBar || w == pages) pageControlAfterButton1 = order == QStringList{u"Button1"_s};
    w = w->nextInFocusChain();
  } while (w != f.Button(1));
  QCOMPARE(order, expected);
  QVERIFY(pageControlAfterButton1);
}

void WindowLayoutTest::ticketFontKeepsColumns() {
  WindowFixture f;
  f.Start();
  for (int n : {1, 12, 13, 14, 17}) {
    const QFont font = f.Label(n)->font();
    const QFontInfo info(font);
    QVERIFY2(info.fixedPitch(), qPrintable(info.family()));
    QVERIFY(info.bold());
    QCOMPARE(info.pixelSize(), 12);
  }
  // The widest game line ends before the right-hand column.
  const QFontMetrics metrics(f.Label(1)->font());
  const int lineEnd = 8 + metrics.horizontalAdvance(QString(33, u'8'));
  QVERIFY2(lineEnd < 280, qPrintable(QString::number(lineEnd)));
  QCOMPARE(metrics.horizontalAdvance(u"  1 "_s), metrics.horizontalAdvance(u" 49 "_s));
}

void WindowLayoutTest::labelsAreNotCut() {
  WindowFixture f;
  f.WriteStandardSettings();
  f.Start();
  for (QLabel* label : f.form->findChildren<QLabel*>()) {
    QVERIFY2(label->sizeHint().width() <= label->width(), qPrintable(label->objectName()));
    QVERIFY2(label->sizeHint().height() <= label->height(), qPrintable(label->objectName()));
    QVERIFY2(label->geometry().right() < label->parentWidget()->width(),
             qPrintable(label->objectName()));
  }
  // A full ticket line, the widest text a game label gets.
  f.Label(1)->setText(u"Spiel 01:  3  15  22  31  40  49 "_s);
  QVERIFY(f.Label(1)->sizeHint().width() <= f.Label(1)->width());
  for (QPushButton* button : f.form->findChildren<QPushButton*>()) {
    QVERIFY2(button->fontMetrics().horizontalAdvance(QString(button->text()).remove(u'&')) <
                 button->width() - 8,
             qPrintable(button->objectName()));
  }
}

// The link and the error texts keep a contrast of 4.5:1 against the window's background, on a
// light theme in their familiar colours and on a dark one (Fusion with a dark palette) in lighter
// shades; the link on "Programminfos" takes it from the palette it is shown on.
void WindowLayoutTest::colouredTextsReadOnLightAndDarkThemes() {
  QPalette dark;
  for (const auto& [role, colour] : {std::pair{QPalette::Window, QColor(0x35, 0x35, 0x35)},
                                     {QPalette::Base, QColor(0x2a, 0x2a, 0x2a)},
                                     {QPalette::WindowText, QColor(Qt::white)},
                                     {QPalette::Text, QColor(Qt::white)}}) {
    dark.setColor(role, colour);
  }
  const std::unique_ptr<QStyle> fusion(QStyleFactory::create(u"Fusion"_s));
  const QPalette light = fusion->standardPalette();
  for (const QPalette& palette : {light, dark}) {
    for (const QPalette::ColorRole background : {QPalette::Window, QPalette::Base}) {
      for (const TextRole role : {TextRole::Link, TextRole::Error}) {
        const QColor on = palette.color(background);
        const double contrast = ContrastRatio(ReadableColour(role, on), on);
        QVERIFY2(contrast >= 4.5, qPrintable(u"%1 on %2"_s.arg(contrast).arg(on.name())));
      }
    }
  }
  QCOMPARE(ReadableColour(TextRole::Link, light.color(QPalette::Window)), QColor(Qt::blue));
  QCOMPARE(ReadableColour(TextRole::Error, light.color(QPalette::Base)), QColor(0xb0, 0, 0));
  QCOMPARE(ContrastRatio(Qt::black, Qt::white), 21.0);

  const QPalette before = QApplication::palette();
  QApplication::setPalette(dark);
  WindowFixture f;
  f.Start();
  auto* link = f.Find<QLabel>("Label26");
  QVERIFY(ContrastRatio(link->palette().color(QPalette::WindowText),
                        link->palette().color(QPalette::Window)) >= 4.5);
  QApplication::setPalette(before);
}

// A saved place from another monitor or a larger resolution comes back inside the free area of
// the screen, title bar first.
void WindowLayoutTest::aPlaceIsFittedIntoTheScreen() {
  const QRect screen(0, 0, 1280, 800);
  const std::pair<QRect, QRect> rows[] = {
      {QRect(40, 50, 900, 560), QRect(40, 50, 900, 560)},     // inside: as it was
      {QRect(1000, 600, 900, 560), QRect(380, 240, 900, 560)},  // over the right and bottom edge
      {QRect(-300, -40, 900, 560), QRect(0, 0, 900, 560)},     // over the left and top edge
      {QRect(2200, 100, 900, 560), QRect(380, 100, 900, 560)},  // on a monitor no longer there
      {QRect(10, 10, 1920, 1200), QRect(0, 0, 1280, 800)},     // larger than the screen
  };
  for (const auto& [wanted, fitted] : rows) QCOMPARE(FittedInto(wanted, screen), fitted);
  QCOMPARE(FittedInto(QRect(100, 100, 900, 560), QRect(0, 30, 1280, 770)).top(), 100);
  QCOMPARE(FittedInto(QRect(100, 0, 900, 560), QRect(0, 30, 1280, 770)).top(), 30);
}

}  // namespace kw::test

int main(int argc, char* argv[]) {
  kw::Application app(argc, argv);
  kw::test::WindowLayoutTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "window_layout_test.moc"
