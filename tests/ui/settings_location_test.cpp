// Where the settings live: beside the program where a file can be created, else in the user's
// folder, else nowhere, said in a warning. CI runs as root, so folders are made unusable by
// putting a regular file where a folder should be.
#include "app/settings_location.h"

#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "tests/support/fake_platform.h"
#include "tests/support/special_files.h"

using namespace Qt::StringLiterals;

namespace kw::test {

namespace fs = std::filesystem;

class SettingsLocationTest : public QObject {
  Q_OBJECT

 private slots:
  void choosesTheFirstFolderThatTakesAFile_data();
  void choosesTheFirstFolderThatTakesAFile();
  void noFolderGivesAWarningAndTheProgramFolder();
  void unreadableSettingsFileGivesAWarning_data();
  void unreadableSettingsFileGivesAWarning();
};

void SettingsLocationTest::choosesTheFirstFolderThatTakesAFile_data() {
  QTest::addColumn<QString>("program");  // below the scratch folder; "plain" is a regular file
  QTest::addColumn<QString>("user");
  QTest::addColumn<QString>("chosen");  // empty: none

  QTest::newRow("a writable program folder, as always") << "bin"
                                                        << "home/.config/Kreuzwart"
                                                        << "bin";
  QTest::newRow("an installed program: the user's folder, created") << "plain/bin"
                                                                    << "home/.config/Kreuzwart"
                                                                    << "home/.config/Kreuzwart";
  QTest::newRow("a program folder that is gone") << "gone"
                                                 << "home/.config/Kreuzwart"
                                                 << "home/.config/Kreuzwart";
  QTest::newRow("neither") << "plain/bin"
                           << "plain/.config/Kreuzwart"
                           << "";
}

void SettingsLocationTest::choosesTheFirstFolderThatTakesAFile() {
  QFETCH(QString, program);
  QFETCH(QString, user);
  QFETCH(QString, chosen);
  QTemporaryDir scratch;
  const fs::path root = scratch.path().toStdString();
  fs::create_directory(root / "bin");
  std::ofstream(root / "plain") << "x";

  const auto result =
      ChooseSettingsDirectory(root / program.toStdString(), root / user.toStdString());

  if (chosen.isEmpty()) {
    QVERIFY(!result.has_value());
  } else {
    QVERIFY(result.has_value());
    QCOMPARE(QString::fromStdString(result->string()),
             QString::fromStdString((root / chosen.toStdString()).string()));
    QVERIFY(fs::is_directory(*result));
  }
  // The trial leaves nothing behind, and the user's folder is made only when it is taken.
  QVERIFY(fs::is_empty(root / "bin"));
  QCOMPARE(fs::exists(root / "home"), chosen.startsWith(u"home"_s));
}

void SettingsLocationTest::noFolderGivesAWarningAndTheProgramFolder() {
  QTemporaryDir scratch;
  const fs::path root = scratch.path().toStdString();
  std::ofstream(root / "plain") << "x";
  FakePlatform platform;

  const fs::path directory = SettingsDirectory(platform, root / "plain/bin", root / "plain/cfg");

  QCOMPARE(QString::fromStdString(directory.string()),
           QString::fromStdString((root / "plain/bin").string()));
  QCOMPARE(platform.messages.size(), 1u);
  QCOMPARE(platform.messages.front().kind, MessageKind::Warning);
  const auto shown = [&](const char* folder) {
    return QString::fromStdU16String((root / folder).u16string());
  };
  QCOMPARE(platform.messages.front().text,
           u"Kreuzwart kann seine Einstellungsdatei ZW.INI weder in \""_s + shown("plain/bin") +
               u"\" noch in \""_s + shown("plain/cfg") +
               "\" anlegen. Gespeichert werden kann erst, wenn einer der beiden "
               u"Ordner beschreibbar ist."_s);
}

void SettingsLocationTest::unreadableSettingsFileGivesAWarning_data() {
  QTest::addColumn<QString>("make");
  QTest::addColumn<QString>("reason");  // empty: no warning; %1 the path of ZW.INI
  QTest::newRow("none yet") << ""
                            << "";
  QTest::newRow("a file") << "file"
                          << "";
  QTest::newRow("a folder") << "folder"
                            << "'%1' ist ein Ordner und keine Datei";
  QTest::newRow("a pipe") << "fifo"
                          << "'%1' ist keine gew\u00f6hnliche Datei";
  QTest::newRow("50 MB") << "large"
                         << "'%1' ist gr\u00f6\u00dfer als 4 MB und wird nicht gelesen";
}

// Every save would be refused, so the program says so at once rather than at its end.
void SettingsLocationTest::unreadableSettingsFileGivesAWarning() {
  QFETCH(QString, make);
  QFETCH(QString, reason);
  QTemporaryDir scratch;
  const fs::path root = scratch.path().toStdString();
  const fs::path ini = root / "bin" / "ZW.INI";
  fs::create_directory(root / "bin");
  if (make == u"file"_s || make == u"large"_s) std::ofstream(ini) << "[Zahlen]\r\n";
  if (make == u"large"_s) fs::resize_file(ini, 50'000'000);
  if (make == u"folder"_s) fs::create_directory(ini);
  if (make == u"fifo"_s) {
    if (!test::kHasFifos) QSKIP("Windows has no pipes in the file system");
    QVERIFY(test::MakeFifo(ini));
  }
  FakePlatform platform;

  const fs::path directory = SettingsDirectory(platform, root / "bin", root / "home");

  QCOMPARE(QString::fromStdString(directory.string()),
           QString::fromStdString((root / "bin").string()));
  if (reason.isEmpty()) {
    QVERIFY(platform.messages.empty());
    return;
  }
  QCOMPARE(platform.messages.size(), 1u);
  QCOMPARE(platform.messages.front().kind, MessageKind::Warning);
  QCOMPARE(
      platform.messages.front().text,
      u"Kreuzwart kann seine Einstellungsdatei nicht lesen: "_s +
          reason.arg(QString::fromStdString(ini.string())) +
          u". Gespeichert werden kann erst, wenn an ihrer Stelle eine gew\u00f6hnliche Datei "_s
          u"steht oder keine."_s);
}

}  // namespace kw::test

QTEST_GUILESS_MAIN(kw::test::SettingsLocationTest)
#include "settings_location_test.moc"
