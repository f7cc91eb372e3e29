#include "app/application.h"

#include <QIcon>
#include <QScreen>

#include "core/settings_file.h"

namespace kw {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName(QStringLiteral("Kreuzwart"));
  setApplicationVersion(QStringLiteral("1.26"));
  setWindowIcon(QIcon(QStringLiteral(":/kreuzwart.png")));
  setDesktopFileName(QStringLiteral("kreuzwart"));  // the installed desktop entry
}

bool Application::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& failure) {
    if (platform_) ShowException(*platform_, failure);
  } catch (...) {
    if (platform_) ShowUnknownException(*platform_);
  }
  return false;
}

std::unique_ptr<TForm1> StartMainWindow(const std::filesystem::path& settingsDirectory,
                                        Platform& platform, const Clock& clock) {
  auto form = std::make_unique<TForm1>(SettingsFile(settingsDirectory), platform, clock);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame = form->geometry();
    frame.moveCenter(screen->availableGeometry().center());
    form->move(frame.topLeft());
  }
  QObject::connect(form.get(), &TForm1::endRequested, qApp, &QCoreApplication::quit,
                   Qt::QueuedConnection);
  form->Start();
  return form;
}

}  // namespace kw
