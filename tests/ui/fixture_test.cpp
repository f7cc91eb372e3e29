// The test helpers themselves: a control a test looks for and does not find fails that test with
// its name, and the tests after it still run.
#include <QTest>

#include "app/application.h"
#include "tests/support/process_runner.h"
#include "tests/ui/editor_fixture.h"

namespace kw::test {
namespace {

const QString kProbe = QStringLiteral("KREUZWART_MISSING_CONTROL_PROBE");

}  // namespace

class FixtureTest : public QObject {
  Q_OBJECT

 private slots:
  void missingControlFailsOnlyItsTest();
  // Run only by missingControlFailsOnlyItsTest, in a program of their own.
  void probeMissingInTheMainWindow();
  void probeMissingInTheEditor();
  void probeAfterwards();
};

void FixtureTest::missingControlFailsOnlyItsTest() {
  if (qEnvironmentVariableIsSet(qPrintable(kProbe))) QSKIP("inside the probe");
  const ProcessResult probe =
      RunProcess(QCoreApplication::applicationFilePath(),
                 {QStringLiteral("probeMissingInTheMainWindow"),
                  QStringLiteral("probeMissingInTheEditor"), QStringLiteral("probeAfterwards")},
                 {{}, {{kProbe, QStringLiteral("1")}}});
  const QString& output = probe.out;

  QCOMPARE(probe.code, 2);  // the two failed tests, and no crash
  QVERIFY2(output.contains(
               QStringLiteral("FAIL!  : kw::test::FixtureTest::probeMissingInTheMainWindow() "
                              "no control named Button99")),
           qPrintable(output));
  QVERIFY2(
      output.contains(QStringLiteral("FAIL!  : kw::test::FixtureTest::probeMissingInTheEditor() "
                                     "no control named Edit73")),
      qPrintable(output));
  QVERIFY2(output.contains(QStringLiteral("PASS   : kw::test::FixtureTest::probeAfterwards()")),
           qPrintable(output));
}

void FixtureTest::probeMissingInTheMainWindow() {
  if (!qEnvironmentVariableIsSet(qPrintable(kProbe)))
    QSKIP("run by missingControlFailsOnlyItsTest");
  WindowFixture f;
  f.Start();
  // What a test does with a control it takes for granted: harmless on the stand-in.
  f.Click(f.Button(99));
  QCOMPARE(f.Button(99)->isVisible(), false);
}

void FixtureTest::probeMissingInTheEditor() {
  if (!qEnvironmentVariableIsSet(qPrintable(kProbe)))
    QSKIP("run by missingControlFailsOnlyItsTest");
  EditorFixture f;
  f.Open([&] { f.Type(f.Field(73), QStringLiteral("7")); });
}

void FixtureTest::probeAfterwards() {
  if (!qEnvironmentVariableIsSet(qPrintable(kProbe)))
    QSKIP("run by missingControlFailsOnlyItsTest");
  WindowFixture f;
  f.Start();
  QCOMPARE(f.Button(1)->text(), QStringLiteral("&Beenden"));
}

}  // namespace kw::test

int main(int argc, char* argv[]) {
  kw::Application app(argc, argv);
  kw::test::FixtureTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "fixture_test.moc"
