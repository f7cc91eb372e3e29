// The desktop side: the real message boxes and file dialogs as the user meets them.
#include "ui/qt_platform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "app/application.h"
#include "tests/support/modal_handler.h"

using namespace Qt::StringLiterals;

namespace kw::test {

class QtPlatformTest : public QObject {
  Q_OBJECT

 private slots:
  void messageBoxes_data();
  void messageBoxes();
  void yesNoQuestion();
  void openDialog();
  void saveDialog();
};

void QtPlatformTest::messageBoxes_data() {
  QTest::addColumn<int>("kind");
  QTest::addColumn<QString>("caption");
  QTest::addColumn<int>("icon");
  QTest::newRow("plain") << int(MessageKind::Plain) << "Kreuzwart v1.25"
                         << int(QMessageBox::NoIcon);
  QTest::newRow("warning") << int(MessageKind::Warning) << "Warning" << int(QMessageBox::Warning);
  QTest::newRow("information") << int(MessageKind::Information) << "Information"
                               << int(QMessageBox::Information);
  QTest::newRow("error") << int(MessageKind::Error) << "Kreuzwart v1.25"
                         << int(QMessageBox::Critical);
}

void QtPlatformTest::messageBoxes() {
  QFETCH(int, kind);
  QFETCH(QString, caption);
  QFETCH(int, icon);
  QtPlatform platform(u"Kreuzwart v1.25"_s);
  QString seenCaption, seenText;
  int seenIcon = -1;
  QList<QAbstractButton*> buttons;
  const ModalHandler handler([&](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (!box) return void(modal->close());  // not a message box: the comparisons below fail
    seenCaption = box->windowTitle();
    seenText = box->text();
    seenIcon = box->icon();
    buttons = box->buttons();
    box->button(QMessageBox::Ok)->click();
  });

  platform.ShowMessage(static_cast<MessageKind>(kind), u"Zeile 1\rZeile 2"_s);

  QCOMPARE(seenCaption, caption);
  QCOMPARE(seenIcon, icon);
  QCOMPARE(buttons.size(), 1);
  // The lone carriage return of the program's texts breaks the line here too.
  QCOMPARE(seenText, u"Zeile 1\nZeile 2"_s);
}

void QtPlatformTest::yesNoQuestion() {
  QtPlatform platform(u"Kreuzwart v1.25"_s);
  QStringList buttons;
  bool escape = true;
  const ModalHandler handler([&](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (!box) return void(modal->close());
    QCOMPARE(box->windowTitle(), u"Kreuzwart v1.25"_s);
    QCOMPARE(box->icon(), QMessageBox::Question);
    buttons.clear();
    for (QAbstractButton* b : box->buttons()) buttons << b->text();
    if (escape) {
      QTest::keyClick(box, Qt::Key_Escape);
    } else {
      box->button(QMessageBox::Yes)->click();
    }
  });
  // Escape, like Enter on the default button, keeps what was typed.
  QVERIFY(!platform.AskYesNo(u"\u00c4nderungen verwerfen?"_s));
  escape = false;
  QVERIFY(platform.AskYesNo(u"\u00c4nderungen verwerfen?"_s));
  buttons.sort();
  QCOMPARE(buttons, (QStringList{u"&Ja"_s, u"&Nein"_s}));
}

void QtPlatformTest::openDialog() {
  QtPlatform platform(u"Kreuzwart v1.25"_s);
  QTemporaryDir dir;
  QString title, filter, suffix, cancel, lookIn;
  bool anyFile = false;
  const ModalHandler handler([&](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    if (!dialog) return void(modal->close());
    title = dialog->windowTitle();
    // Qt's own texts in German, like every other text of the program.
    if (auto* buttons = dialog->findChild<QDialogButtonBox*>()) {
      if (QPushButton* button = buttons->button(QDialogButtonBox::Cancel)) cancel = button->text();
    }
    if (auto* label = dialog->findChild<QLabel*>(QStringLiteral("lookInLabel"))) {
      lookIn = label->text();
    }
    filter = dialog->nameFilters().join(u'|');
    suffix = dialog->defaultSuffix();
    anyFile = dialog->fileMode() == QFileDialog::AnyFile;
    // The user types a name without extension, of a file that does not exist, and presses OK.
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (!name) return void(modal->close());
    name->setText(dir.filePath(u"neu"_s));
    static_cast<QDialog*>(dialog)->accept();  // QFileDialog keeps its override protected
  });

  const std::optional<QString> chosen = platform.ChooseTicketFile();

  QCOMPARE(title, u"Schein w\u00e4hlen"_s);
  QCOMPARE(cancel, u"Abbrechen"_s);
  QCOMPARE(lookIn, u"Suchen in:"_s);
  QCOMPARE(filter, u"Schein-Dateien (*.sch)"_s);
  QCOMPARE(suffix, u"sch"_s);
  QVERIFY(anyFile);
  QVERIFY(chosen.has_value());
  QCOMPARE(*chosen, QDir::toNativeSeparators(dir.filePath(u"neu.sch"_s)));
}

void QtPlatformTest::saveDialog() {
  QtPlatform platform(u"Kreuzwart v1.25"_s);
  QTemporaryDir dir;
  QFile(dir.filePath(u"alt.sch"_s)).open(QIODevice::WriteOnly);
  QString title, filter, suffix, proposed;
  bool saving = false, asked = false;
  const ModalHandler handler([&](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    if (!dialog) {
      asked = true;  // a question about overwriting
      return void(modal->close());
    }
    title = dialog->windowTitle();
    filter = dialog->nameFilters().join(u'|');
    suffix = dialog->defaultSuffix();
    saving = dialog->acceptMode() == QFileDialog::AcceptSave;
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (!name) return void(modal->close());
    proposed = name->text();
    // The user picks an existing ticket, typed without its extension.
    name->setText(dir.filePath(u"alt"_s));
    static_cast<QDialog*>(dialog)->accept();
  });

  const std::optional<QString> chosen =
      platform.ChooseTicketSaveFile(dir.filePath(u"vorher.sch"_s));

  QCOMPARE(title, u"Speichern unter"_s);  // the desktop's own title, not the open dialog's
  QCOMPARE(filter, u"Schein-Dateien (*.sch)"_s);
  QCOMPARE(suffix, u"sch"_s);
  QVERIFY(saving);
  QCOMPARE(proposed, u"vorher.sch"_s);
  QVERIFY(!asked);
  QCOMPARE(chosen, std::optional<QString>(QDir::toNativeSeparators(dir.filePath(u"alt.sch"_s))));
}

}  // namespace kw::test

int main(int argc, char* argv[]) {
  kw::Application app(argc, argv);
  kw::test::QtPlatformTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "qt_platform_test.moc"
