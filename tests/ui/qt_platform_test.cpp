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

namespace kw::test {

class QtPlatformTest : public QObject {
  Q_OBJECT

 private slots:
  void messageBoxes_data();
  void messageBoxes();
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
  QtPlatform platform("Kreuzwart v1.25");
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

  platform.ShowMessage(static_cast<MessageKind>(kind), "Zeile 1\rZeile 2");

  QCOMPARE(seenCaption, caption);
  QCOMPARE(seenIcon, icon);
  QCOMPARE(buttons.size(), 1);
  // The lone carriage return of the program's texts breaks the line here too.
  QCOMPARE(seenText, "Zeile 1\nZeile 2");
}

void QtPlatformTest::openDialog() {
  QtPlatform platform("Kreuzwart v1.25");
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
    name->setText(dir.filePath("neu"));
    static_cast<QDialog*>(dialog)->accept();  // QFileDialog keeps its override protected
  });

  const std::optional<QString> chosen = platform.ChooseTicketFile();

  QCOMPARE(title, "Schein w\u00e4hlen");
  QCOMPARE(cancel, "Abbrechen");
  QCOMPARE(lookIn, "Suchen in:");
  QCOMPARE(filter, "Schein-Dateien (*.sch)");
  QCOMPARE(suffix, "sch");
  QVERIFY(anyFile);
  QVERIFY(chosen.has_value());
  QCOMPARE(*chosen, QDir::toNativeSeparators(dir.filePath("neu.sch")));
}

void QtPlatformTest::saveDialog() {
  QtPlatform platform("Kreuzwart v1.25");
  QTemporaryDir dir;
  QFile(dir.filePath("alt.sch")).open(QIODevice::WriteOnly);
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
    name->setText(dir.filePath("alt"));
    static_cast<QDialog*>(dialog)->accept();
  });

  const std::optional<QString> chosen = platform.ChooseTicketSaveFile(dir.filePath("vorher.sch"));

  QCOMPARE(title, "Speichern unter");  // the desktop's own title, not the open dialog's
  QCOMPARE(filter, "Schein-Dateien (*.sch)");
  QCOMPARE(suffix, "sch");
  QVERIFY(saving);
  QCOMPARE(proposed, "vorher.sch");
  QVERIFY(!asked);
  QCOMPARE(chosen, std::optional<QString>(QDir::toNativeSeparators(dir.filePath("alt.sch"))));
}

}  // namespace kw::test

int main(int argc, char* argv[]) {
  kw::Application app(argc, argv);
  kw::test::QtPlatformTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "qt_platform_test.moc"
