// The main window's controls: names, captions, hints, places, limits, order and fonts.
#include <QFontInfo>
#include <QFontMetrics>
#include <QTest>

#include "app/application.h"
#include "tests/ui/window_fixture.h"

namespace kw::test {

class WindowLayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void window();
  void controls_data();
  void controls();
  void tabOrder();
  void ticketFontKeepsColumns();
  void labelsAreNotCut();
  void laterWindowsButtonsWaitForTheirWindows();
};

void WindowLayoutTest::window() {
  WindowFixture f;
  TForm1& form = f.Start();
  QCOMPARE(form.objectName(), "TForm1");
  QCOMPARE(form.windowTitle(), "Kreuzwart v1.26");
  QCOMPARE(form.size(), QSize(449, 373));
  QCOMPARE(form.minimumSize(), form.maximumSize());
  QVERIFY(!(form.windowFlags() & Qt::WindowMaximizeButtonHint));
  QVERIFY(form.windowFlags() & Qt::WindowMinimizeButtonHint);
  QCOMPARE(QFontInfo(form.font()).pixelSize(), 11);

  auto* pages = f.Find<QTabWidget>("PageControl1");
  QCOMPARE(pages->count(), 3);
  QCOMPARE(pages->tabText(0), "Spielschein");
  QCOMPARE(pages->tabText(1), "Zahlen");
  QCOMPARE(pages->tabText(2), "Programminfos");
  QCOMPARE(pages->widget(0)->objectName(), "TabSheet1");
  QCOMPARE(pages->widget(1)->objectName(), "TabSheet2");
  QCOMPARE(pages->widget(2)->objectName(), "TabSheet3");
  // The report area must fit below the drawing box on its page.
  pages->setCurrentIndex(1);
  QVERIFY2(pages->widget(1)->height() >= 132 + 173,
           qPrintable(QStringLiteral("page height %1").arg(pages->widget(1)->height())));

  QVERIFY(f.Button(3)->isDefault());
  QVERIFY(!f.Memo()->isVisible());
  QVERIFY(!f.Memo()->isReadOnly());
  QCOMPARE(f.Memo()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  QCOMPARE(f.Find<QLabel>("Label28")->text(), "Kreuzwart v1.26");
  QCOMPARE(QFontInfo(f.Find<QLabel>("Label28")->font()).pixelSize(), 16);
  QVERIFY(f.Find<QLabel>("Label28")->font().bold());
  auto* link = f.Find<QLabel>("Label26");
  QVERIFY(link->font().underline());
  QCOMPARE(link->palette().color(QPalette::WindowText), QColor(Qt::blue));
  QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
}

void WindowLayoutTest::controls_data() {
  QTest::addColumn<QString>("parent");
  QTest::addColumn<QRect>("geometry");  // for labels only the top left corner is fixed
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("hint");
  QTest::addColumn<int>("maxLength");  // edit fields only
  QTest::addColumn<QString>("accessibleName");

  auto button = [](const char* name, const char* parent, QRect r, const QString& text,
                   const QString& hint) {
    QTest::newRow(name) << parent << r << text << hint << -1 << QString(text).remove(u'&');
  };
  auto edit = [](const char* name, QRect r, int maxLength, const char* accessible) {
    QTest::newRow(name) << "GroupBox2" << r << "" << "" << maxLength << accessible;
  };
  auto label = [](const char* name, const char* parent, QPoint at, const QString& text) {
    QTest::newRow(name) << parent << QRect(at, QSize()) << text << "" << -1 << "";
  };

  button("Button1", "TForm1", {168, 344, 113, 25}, "&Beenden", "Programm beenden");
  QTest::newRow("PageControl1") << "TForm1" << QRect(0, 0, 449, 337) << "" << "" << -1 << "";
  QTest::newRow("GroupBox1") << "TabSheet1" << QRect(0, 4, 441, 221) << "Spielschein"
                             << "Informationen \u00fcber Ihren Spielschein" << -1 << "";
  for (int n = 1; n <= 12; ++n) {
    const QByteArray name = "Label" + QByteArray::number(n);
    label(name.constData(), "GroupBox1", {8, 24 + 16 * (n - 1)},
          QStringLiteral("Spiel %1:").arg(n, 2, 10, QChar(u'0')));
  }
  label("Label13", "GroupBox1", {280, 24}, "Spiel77:");
  label("Label14", "GroupBox1", {280, 40}, "Super6 :");
  label("Label17", "GroupBox1", {280, 72}, "Ablauf :");
  button("Button2", "TabSheet1", {112, 228, 105, 25}, "&Schein laden",
         "Laden eines Spielscheins");
  button("Button4", "TabSheet1", {224, 228, 105, 25}, "&Neu/Bearbeiten",
         "Erstellen/Bearbeiten eines Spielscheins");
  QTest::newRow("GroupBox2") << "TabSheet2" << QRect(0, 4, 441, 121)
                             << "Aktuelle Zahlen (Samstag, den )" << "Aktuelle Ziehungszahlen"
                             << -1 << "";
  label("Label20", "GroupBox2", {8, 24}, "Spielzahlen:");
  for (int n = 1; n <= 6; ++n) {
    const QByteArray name = "Edit" + QByteArray::number(n);
    const QByteArray accessible = "Spielzahl " + QByteArray::number(n);
    edit(name.constData(), {80 + 32 * (n - 1), 24, 25, 21}, 2, accessible.constData());
  }
  label("Label19", "GroupBox2", {9, 60}, "Zusatzzahl:");
  edit("Edit7", {80, 56, 25, 21}, 2, "Zusatzzahl");
  label("Label18", "GroupBox2", {11, 92}, "Superzahl:");
  edit("Edit10", {80, 88, 25, 21}, 2, "Superzahl");
  label("Label15", "GroupBox2", {120, 60}, "Spiel77:");
  edit("Edit8", {176, 56, 89, 21}, 7, "Spiel77");
  label("Label16", "GroupBox2", {120, 92}, "Super 6:");
  edit("Edit9", {176, 88, 89, 21}, 6, "Super 6");
  button("Button7", "GroupBox2", {288, 24, 129, 25}, "Mittwoch anzeigen",
         "Umschalten zwischen den Ziehungstagen");
  button("Button3", "GroupBox2", {288, 56, 129, 25}, "&Zahlen vergleichen",
         "\u00dcberpr\u00fcfen des Spielscheins auf Treffer");
  button("Button5", "TabSheet2", {288, 92, 129, 25}, "WWW &Import",
         "Aktuelle Zahlen aus dem Internet laden");
  QTest::newRow("Memo1") << "TabSheet2" << QRect(0, 132, 441, 173) << "" << "" << -1
                         << "Auswertung";
  label("Label28", "TabSheet3", {122, 24}, "Kreuzwart v1.26");
  label("Label26", "TabSheet3", {155, 96}, "www.lotto.de");
}

void WindowLayoutTest::controls() {
  QFETCH(QString, parent);
  QFETCH(QRect, geometry);
  QFETCH(QString, text);
  QFETCH(QString, hint);
  QFETCH(int, maxLength);
  QFETCH(QString, accessibleName);
  WindowFixture f;
  f.Start();
  const QByteArray name = QTest::currentDataTag();
  auto* control = f.Find<QWidget>(name.constData());
  QVERIFY(control);

  QCOMPARE(control->parentWidget()->objectName(), parent);
  if (geometry.isEmpty()) {
    QCOMPARE(control->pos(), geometry.topLeft());
  } else {
    QCOMPARE(control->geometry(), geometry);
  }
  if (auto* l = qobject_cast<QLabel*>(control)) QCOMPARE(l->text(), text);
  if (auto* b = qobject_cast<QPushButton*>(control)) QCOMPARE(b->text(), text);
  if (auto* g = qobject_cast<QGroupBox*>(control)) QCOMPARE(g->title(), text);
  if (hint.isEmpty()) {
    QVERIFY2(control->toolTip().isEmpty(), qPrintable(control->toolTip()));
  } else {
    QVERIFY2(control->toolTip().startsWith(hint), qPrintable(control->toolTip()));
  }
  if (auto* e = qobject_cast<QLineEdit*>(control)) QCOMPARE(e->maxLength(), maxLength);
  if (!accessibleName.isEmpty()) QCOMPARE(control->accessibleName(), accessibleName);
}

void WindowLayoutTest::tabOrder() {
  WindowFixture f;
  f.Start();
  const QStringList expected = {"Button1", "Button2", "Button4", "Edit1",   "Edit2",
                                "Edit3",   "Edit4",   "Edit5",   "Edit6",   "Edit7",
                                "Edit10",  "Edit8",   "Edit9",   "Button7", "Button3",
                                "Button5", "Memo1"};
  QStringList order;
  auto* pages = f.Find<QTabWidget>("PageControl1");
  QWidget* tabBar = pages->focusProxy() ? pages->focusProxy() : pages;
  bool pageControlAfterButton1 = false;
  QWidget* w = f.Button(1);
  do {
    if (expected.contains(w->objectName())) order << w->objectName();
    if (w == tabBar || w == pages) pageControlAfterButton1 = order == QStringList{"Button1"};
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
  QCOMPARE(metrics.horizontalAdvance("  1 "), metrics.horizontalAdvance(" 49 "));
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
  f.Label(1)->setText("Spiel 01:  3  15  22  31  40  49 ");
  QVERIFY(f.Label(1)->sizeHint().width() <= f.Label(1)->width());
  for (QPushButton* button : f.form->findChildren<QPushButton*>()) {
    QVERIFY2(button->fontMetrics().horizontalAdvance(QString(button->text()).remove(u'&')) <
                 button->width() - 8,
             qPrintable(button->objectName()));
  }
}

void WindowLayoutTest::laterWindowsButtonsWaitForTheirWindows() {
  WindowFixture f;
  f.Start();
  QVERIFY(!f.Button(4)->isEnabled());
  QVERIFY(!f.Button(5)->isEnabled());
  QVERIFY(f.Button(5)->toolTip().contains("noch nicht verf\u00fcgbar"));

  int downloads = 0;
  f.form->SetDownloadWindow([&downloads] { ++downloads; });
  QVERIFY(f.Button(5)->isEnabled());
  QCOMPARE(f.Button(5)->toolTip(), "Aktuelle Zahlen aus dem Internet laden");
  f.Click(f.Button(5));
  QCOMPARE(downloads, 1);
}

}  // namespace kw::test

int main(int argc, char* argv[]) {
  kw::Application app(argc, argv);
  kw::test::WindowLayoutTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "window_layout_test.moc"
