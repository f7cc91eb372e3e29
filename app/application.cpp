#include "app/application.h"

#include <QScreen>

#include "core/settings_file.h"
#include "ui/editor_window.h"

namespace kw {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName(QStringLiteral("Kreuzwart"));
  setApplicationVersion(QStringLiteral("1.26"));
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
  // The ticket editor, created hidden right after the main window and living as long as it.
  auto* editor = new TForm2(SettingsFile(settingsDirectory), platform, clock, form.get());
  form->SetTicketEditor([editor] { editor->ShowModal(); });
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
