#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/date.h"
#include "core/profile.h"
#include "core/settings_file.h"
#include "tests/support/fake_platform.h"
#include "tests/support/find_control.h"
#include "tests/support/fixed_clock.h"
#include "ui/main_window.h"

namespace kw::test {

// A ticket file as Windows writes it: games 1, 2 and 12 played, the rest empty.
inline const std::string kTicketFile =
    "[Schein]\r\n"
    "Spiel1=03 15 22 31 40 49 \r\n"
    "Spiel2=01 07 12 19 33 45 \r\n"
    "Spiel3=\r\nSpiel4=\r\nSpiel5=\r\nSpiel6=\r\nSpiel7=\r\nSpiel8=\r\nSpiel9=\r\n"
    "Spiel10=\r\nSpiel11=\r\n"
    "Spiel12=05 06 17 28 39 42 \r\n"
    "Losnummer=4711235\r\n"
    "Ablauf=19.12.2026\r\n";

inline const std::string kWednesdayLine =
    "04111723364508098765432123456"
    "03.12.2026";
inline const std::string kSaturdayLine =
    "01091427304406031234567654321"
    "06.12.2026";

// One main window on its own ZW.INI folder, with a scripted desktop and a clock set by the test.
class WindowFixture {
 public:
  WindowFixture() { QVERIFY(dir_.isValid()); }
  ~WindowFixture() { form.reset(); }

  // A path inside the fixture's folder, as the program keeps paths (the folder is ASCII).
  std::string Path(const std::string& name) const {
    return (std::filesystem::path(dir_.path().toStdString()) / name).string();
  }
  std::filesystem::path Directory() const { return dir_.path().toStdString(); }

  void WriteFile(const std::string& name, const std::string& bytes) const {
    std::ofstream(Path(name), std::ios::binary) << bytes;
  }
  std::string ReadFile(const std::string& name) const {
    std::ifstream in(Path(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  std::string ReadSetting(const char* section, const char* key) const {
    return ReadProfileString(Path("ZW.INI"), section, key);
  }

  // ZW.INI naming the fixture's ticket file and holding both drawings.
  void WriteStandardSettings() const {
    WriteFile("ticket.sch", kTicketFile);
    WriteFile("ZW.INI", "[Einstellungen]\r\nSchein=" + Path("ticket.sch") +
                            "\r\n[Zahlen]\r\nMittwoch=" + kWednesdayLine +
                            "\r\nSamstag=" + kSaturdayLine + "\r\n");
  }

  // Creates the window (FormCreate) and starts it (FormShow, shown, FormActivate). The boxes
  // shown on the way go to startMessages, so that platform.messages holds what comes after.
  TForm1& Start() {
    form = std::make_unique<TForm1>(SettingsFile(Directory(), writer), platform, clock);
    form->Start();
    startMessages = std::exchange(platform.messages, {});
    [&] { QVERIFY(QTest::qWaitForWindowExposed(form.get())); }();
    return *form;
  }

  // A missing control fails the test that looks for it, and only that test (FindControl).
  template <class T>
  T* Find(const char* name, std::source_location where = std::source_location::current()) const {
    return FindControl<T>(form.get(), QString::fromLatin1(name), where);
  }
  QLineEdit* Edit(int n) const { return Find<QLineEdit>(("Edit" + std::to_string(n)).c_str()); }
  QLabel* Label(int n) const { return Find<QLabel>(("Label" + std::to_string(n)).c_str()); }
  QPushButton* Button(int n) const {
    return Find<QPushButton>(("Button" + std::to_string(n)).c_str());
  }
  QPlainTextEdit* Memo() const { return Find<QPlainTextEdit>("Memo1"); }
  QString DrawCaption() const { return Find<QGroupBox>("GroupBox2")->title(); }

  // Brings the button's tab to the front and clicks it with the mouse.
  void Click(QPushButton* button) const {
    auto* pages = Find<QTabWidget>("PageControl1");
    for (int i = 0; i < pages->count(); ++i) {
      if (pages->widget(i)->isAncestorOf(button)) pages->setCurrentIndex(i);
    }
    QTest::mouseClick(button, Qt::LeftButton);
  }

  // The eight number fields in record order (Edit1..Edit7, Edit10), then Edit8 and Edit9.
  QStringList DrawFields() const {
    QStringList texts;
    for (int n : {1, 2, 3, 4, 5, 6, 7, 10, 8, 9}) texts << Edit(n)->text();
    return texts;
  }
  void TypeDrawFields(const QStringList& texts) const {
    int i = 0;
    for (int n : {1, 2, 3, 4, 5, 6, 7, 10, 8, 9}) {
      Edit(n)->clear();
      QTest::keyClicks(Edit(n), texts.value(i++));
    }
  }

  QStringList TicketLabels() const {
    QStringList texts;
    for (int n : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 17}) texts << Label(n)->text();
    return texts;
  }

  FakePlatform platform;
  FixedClock clock{Date::FromYmd(2026, 12, 1)};
  SettingsFile::ProfileWriter writer = WriteProfileString;
  std::unique_ptr<TForm1> form;
  std::vector<FakePlatform::Message> startMessages;

 private:
  QTemporaryDir dir_;
};

}  // namespace kw::test
