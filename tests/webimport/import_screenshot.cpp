// Writes a picture of the import window, taken while its success message is up, to the file
// given. Run on the offscreen platform: QT_QPA_PLATFORM=offscreen ./import_screenshot out.png
#include <QTest>

#include "app/application.h"
#include "tests/support/fake_platform.h"
#include "tests/support/temp_dir.h"
#include "tests/webimport/results_page.h"
#include "webimport/import_window.h"

namespace {

class GrabbingPlatform : public kw::test::FakePlatform {
 public:
  QWidget* window = nullptr;
  QString file;
  bool saved = false;

  void ShowMessage(kw::MessageKind kind, const QString& text) override {
    if (window && !saved) saved = window->grab().save(file);
    FakePlatform::ShowMessage(kind, text);
  }
};

}  // namespace

int main(int argc, char* argv[]) {
  kw::Application app(argc, argv);
  if (argc != 2) {
    qWarning("usage: import_screenshot <file.png>");
    return 2;
  }
  kw::test::TempDir dir;
  GrabbingPlatform platform;
  platform.file = QString::fromLocal8Bit(argv[1]);
  kw::TImport import(kw::ImportFiles::In(dir.path()), platform);
  platform.window = &import;
  kw::test::WriteFile(dir / "lotto.tmp", kw::test::GoodPage());
  import.show();
  if (!QTest::qWaitFor([&] { return !platform.messages.empty(); }, 5000) || !platform.saved) {
    qWarning("no picture taken");
    return 1;
  }
  return 0;
}
