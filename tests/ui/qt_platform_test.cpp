// The desktop side: the real message boxes and the open dialog as the user meets them.
#include <functional>

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/application.h"
#include "ui/qt_platform.h"

namespace kw::test {
namespace {

// Waits for the modal window the code under test opens, hands it to inspect, and lets inspect
// close it. Polls with a timer, so the nested event loop of the window keeps running.
void WhenModalOpens(std::function<void(QWidget*)> inspect) {
  auto* poll = new QTimer;
  poll->setInterval(10);
  QObject::connect(poll, &QTimer::timeout, [poll, inspect] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      poll->stop();
      poll->deleteLater();
      inspect(modal);
    }
  });
  poll->start();
}

}  // namespace

class QtPlatformTest : public QObject {
  Q_OBJECT

 private slots:
  void messageBoxes_data();
  void messageBoxes();
  void openDialog();
  void cancelledOpenDialog();
};

void QtPlatformTest::messageBoxes_data() {
  QTest::addColumn<int>("kind");
  QTest::addColumn<QString>("caption");
  QTest::addColumn<int>("icon");
  QTest::newRow("plain") << int(MessageKind::Plain) << "Kreuzwart v1.25" << int(QMessageBox::NoIcon);
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
  WhenModalOpens([&](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    QVERIFY(box);
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
  WhenModalOpens([&](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    QVERIFY(dialog);
    title = dialog->windowTitle();
    filter = dialog->nameFilters().join(u'|');
    suffix = dialog->defaultSuffix();
    anyFile = dialog->fileMode() == QFileDialog::AnyFile;
    // A name without extension, of a file that does not exist.
    dialog->setDirectory(dir.path());
    dialog->selectFile(dir.filePath("neu"));
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

void QtPlatformTest::cancelledOpenDialog() {
  QtPlatform platform("Kreuzwart v1.25");
  WhenModalOpens([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
  QCOMPARE(platform.ChooseTicketFile(), std::nullopt);
}

}  // namespace kw::test

int main(int argc, char* argv[]) {
  kw::Application app(argc, argv);
  kw::test::QtPlatformTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "qt_platform_test.moc"
