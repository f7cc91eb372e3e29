// Writes a picture of each tab of the main window, with a ticket loaded and a report shown, and
// one of the ticket editor holding that ticket, and one of the "Schein laden" dialog, into the
// folder given: main-spielschein.png, main-zahlen.png, main-programminfos.png, editor.png,
// open-dialog.png.
// Run on the offscreen platform: QT_QPA_PLATFORM=offscreen ./ui_screenshots <folder>
#include <QDir>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include "app/application.h"
#include "tests/support/modal_handler.h"
#include "tests/ui/editor_fixture.h"
#include "ui/qt_platform.h"

using namespace Qt::StringLiterals;

int main(int argc, char* argv[]) {
  kw::Application app(argc, argv);
  if (argc != 2) {
    qWarning("usage: ui_screenshots <folder>");
    return 2;
  }
  const QDir out(QString::fromLocal8Bit(argv[1]));

  kw::test::EditorFixture f;
  f.WriteStandardSettings();
  f.clock.Set(kw::Date::FromYmd(2026, 12, 5));
  kw::TForm1& form = f.Start();
  // "Neu/Bearbeiten" and "WWW Import" as the program shows them.
  form.SetTicketEditor([] {});
  form.SetDownloadWindow([] {});

  auto* pages = f.Find<QTabWidget>("PageControl1");
  f.TypeDrawFields({u"3"_s, u"15"_s, u"22"_s, u"7"_s, u"12"_s, u"45"_s, u"31"_s, u"5"_s,
                    u"9911235"_s, u"000235"_s});
  f.Click(f.Button(3));

  const char* names[] = {"main-spielschein.png", "main-zahlen.png", "main-programminfos.png"};
  for (int i = 0; i < pages->count(); ++i) {
    pages->setCurrentIndex(i);
    QCoreApplication::processEvents();
    if (!form.grab().save(out.filePath(QString::fromLatin1(names[i])))) {
      qWarning("cannot write %s", names[i]);
      return 1;
    }
  }

  bool saved = false;
  f.Open([&] {
    QCoreApplication::processEvents();
    saved = f.Editor().grab().save(out.filePath(QStringLiteral("editor.png")));
  });
  if (!saved) {
    qWarning("cannot write editor.png");
    return 1;
  }

  // The desktop's own dialog, as "&Schein laden" opens it, on the folder of the ticket.
  QDir::setCurrent(QString::fromStdString(f.Path("")));
  kw::QtPlatform desktop(QString::fromLatin1(kw::kApplicationTitle));
  saved = false;
  const kw::test::ModalHandler handler([&](QWidget* dialog) {
    dialog->resize(720, 320);
    QCoreApplication::processEvents();
    saved = dialog->grab().save(out.filePath(QStringLiteral("open-dialog.png")));
    dialog->close();
  });
  desktop.ChooseTicketFile();
  if (!saved) {
    qWarning("cannot write open-dialog.png");
    return 1;
  }
  return 0;
}
