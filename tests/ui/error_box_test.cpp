// The general error box: its text rule, the handler guard, and the application object's catch.
#include <QTest>

#include "app/application.h"
#include "core/error.h"
#include "tests/support/fake_platform.h"

using namespace Qt::StringLiterals;

namespace kw::test {
namespace {

// An object whose event handler fails, as a window's handler might.
class FailingReceiver : public QObject {
 public:
  bool event(QEvent* event) override {
    if (event->type() == QEvent::User)
      throw Error(
          "Kaputt in Stra\xDF"
          "e 7");
    return QObject::event(event);
  }
};

}  // namespace

class ErrorBoxTest : public QObject {
  Q_OBJECT

 private slots:
  void fullStopRule_data();
  void fullStopRule();
  void handlerFailureReachesErrorBox();
  void applicationCatchesWhatLeavesAnEvent();
};

void ErrorBoxTest::fullStopRule_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("shown");
  QTest::newRow("letter") << "'x' is not a valid date"
                          << "'x' is not a valid date.";
  QTest::newRow("quote, below the full stop") << "'abc'"
                                              << "'abc'";
  QTest::newRow("umlaut") << "gr\u00f6\u00df"
                          << "gr\u00f6\u00df.";
  QTest::newRow("exclamation mark") << "Achtung !"
                                    << "Achtung !";
  QTest::newRow("closing bracket") << "(leer)"
                                   << "(leer)";
  QTest::newRow("slash, just above the full stop") << "C:/"
                                                   << "C:/.";
  QTest::newRow("empty") << ""
                         << "";
}

void ErrorBoxTest::fullStopRule() {
  QFETCH(QString, text);
  QFETCH(QString, shown);
  QCOMPARE(ErrorBoxText(text), shown);
}

void ErrorBoxTest::handlerFailureReachesErrorBox() {
  FakePlatform platform;
  bool after = false;
  RunHandler(platform, [] { throw ConversionError("'4x' is not a valid integer value"); });
  RunHandler(platform, [] { throw 42; });
  RunHandler(platform, [&after] { after = true; });
  QCOMPARE(platform.texts(),
           (QStringList{u"'4x' is not a valid integer value."_s, u"Unbekannter Fehler."_s}));
  QCOMPARE(platform.messages.front().kind, MessageKind::Error);
  QVERIFY(after);  // the program goes on
}

void ErrorBoxTest::applicationCatchesWhatLeavesAnEvent() {
  FakePlatform platform;
  auto* app = qobject_cast<Application*>(qApp);
  QVERIFY(app);
  app->SetPlatform(&platform);
  FailingReceiver receiver;
  QEvent event(QEvent::User);

  QCoreApplication::sendEvent(&receiver, &event);
  app->SetPlatform(nullptr);

  // The Windows-1252 text arrives as the user reads it.
  QCOMPARE(platform.texts(), QStringList{u"Kaputt in Stra\u00dfe 7."_s});
  QCOMPARE(platform.messages.front().kind, MessageKind::Error);
}

}  // namespace kw::test

int main(int argc, char* argv[]) {
  kw::Application app(argc, argv);
  kw::test::ErrorBoxTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "error_box_test.moc"
