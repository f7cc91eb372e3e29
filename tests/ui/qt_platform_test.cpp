// The desktop side: the real message boxes and the open dialog as the user meets them.
#include "ui/qt_platform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include "app/application.h"

namespace kw::test {
namespace {

// Hands every modal window that is open to the inspect function, which closes it, until the
// object goes out of scope. Polling by timer keeps the window's own event loop running; a window
// caught before its loop began just gets closed once more on the next tick.
class ModalHandler {
 public:
  explicit ModalHandler(std::function<void(QWidget*)> inspect) {
    QObject::connect(&poll_, &QTimer::timeout, [inspect] {
      if (QWidget* modal = QApplication::activeModalWidget()) inspect(modal);
    });
    poll_.start(10);
  }

 private:
  QTimer poll_;
};

}  // namespace

class QtPlatformTest : public QObject {
  Q_OBJECT

 private slots:
  void messageBoxes_data();
  void messageBoxes();
  void openDialog();
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
  QString title, filter, suffix;
  bool anyFile = false;
  const ModalHandler handler([&](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    if (!dialog) return void(modal->close());
    title = dialog->windowTitle();
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
  QCOMPARE(filter, "Schein-Dateien (*.sch)");
  QCOMPARE(suffix, "sch");
  QVERIFY(anyFile);
  QVERIFY(chosen.has_value());
  QCOMPARE(*chosen, QDir::toNativeSeparators(dir.filePath("neu.sch")));
}

}  // namespace kw::test

int main(int argc, char* argv[]) {
  kw::Application app(argc, argv);
  kw::test::QtPlatformTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "qt_platform_test.moc"
