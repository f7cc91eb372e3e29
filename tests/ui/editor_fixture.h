#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "tests/support/modal_handler.h"
#include "tests/ui/window_fixture.h"
#include "ui/editor_window.h"

namespace kw::test {

// The ticket editor on the fixture's ZW.INI folder, opened modally as the main window opens it.
class EditorFixture : public WindowFixture {
 public:
  ~EditorFixture() { ownEditor_.reset(); }

  // The editor of the main window, or else one of the fixture's own, made on first use.
  TForm2& Editor() {
    if (!editor) {
      ownEditor_ = std::make_unique<TForm2>(SettingsFile(Directory(), writer), platform, clock);
      editor = ownEditor_.get();
    }
    return *editor;
  }

  // Opens the editor with the open function, runs the steps while it is open and then leaves it
  // with "&Zurück", unless the steps closed it themselves; "Änderungen verwerfen?" is answered
  // "Ja".
  void WhileOpen(const std::function<void()>& open, const std::function<void()>& steps) {
    TForm2& dialog = Editor();
    bool ran = false;
    const ModalHandler handler([&](QWidget* modal) {
      if (modal != &dialog || ran) return;
      ran = true;
      steps();
      if (!dialog.isVisible()) return;
      const QList<bool> scripted = std::exchange(platform.yesNoAnswers, {true});
      QTest::mouseClick(EditorButton(3), Qt::LeftButton);
      platform.yesNoAnswers = scripted;
    });
    open();
    [&] { QVERIFY2(ran, "the editor did not open"); }();
  }
  void Open(const std::function<void()>& steps) {
    WhileOpen([this] { Editor().ShowModal(); }, steps);
  }

  // ZW.INI naming the ticket file given, in the fixture's folder.
  void NameTicket(const std::string& name) const {
    WriteFile("ZW.INI", "[Einstellungen]\r\nSchein=" + Path(name) + "\r\n");
  }

  // A missing control fails the test that looks for it, and only that test (FindControl).
  template <class T>
  T* Control(const std::string& name,
             std::source_location where = std::source_location::current()) {
    return FindControl<T>(&Editor(), QString::fromStdString(name), where);
  }
  QLineEdit* Field(int n) { return Control<QLineEdit>("Edit" + std::to_string(n)); }
  QLineEdit* LotField() { return Control<QLineEdit>("LabeledEdit2"); }
  QLineEdit* ExpiryField() { return Control<QLineEdit>("LabeledEdit1"); }
  QPushButton* EditorButton(int n) { return Control<QPushButton>("Button" + std::to_string(n)); }
  // The system fields 1 to 4, on the page "S&ysteme »" opens in the place of the games.
  QLineEdit* SystemField(int n) { return Control<QLineEdit>("SystemEdit" + std::to_string(n)); }
  QLabel* SystemInfo(int n) { return Control<QLabel>("SystemInfo" + std::to_string(n)); }
  QPushButton* SystemsButton() { return Control<QPushButton>("SystemsButton"); }
  // Shows the system page, or the games, as a user does: with the button between them.
  void ShowSystems(bool systems) {
    if (Control<QWidget>("SystemBox")->isVisible() != systems) {
      QTest::mouseClick(SystemsButton(), Qt::LeftButton);
    }
  }

  // Field n (1 to 72) is game (n - 1) / 6 + 1, position (n - 1) % 6 + 1.
  static int FieldOf(int game, int position) { return (game - 1) * 6 + position; }

  void Type(QLineEdit* field, const QString& text) const {
    field->selectAll();
    QTest::keyClicks(field, text);
    if (text.isEmpty()) QTest::keyClick(field, Qt::Key_Delete);
  }

  QStringList NumberTexts() {
    QStringList texts;
    for (int n = 1; n <= 72; ++n) texts << Field(n)->text();
    return texts;
  }

  TForm2* editor = nullptr;

 private:
  std::unique_ptr<TForm2> ownEditor_;
};

}  // namespace kw::test
