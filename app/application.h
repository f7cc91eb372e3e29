#pragma once

#include <QApplication>
#include <filesystem>
#include <memory>

#include "core/date.h"
#include "ui/main_window.h"
#include "ui/platform.h"

namespace kw {

// The title shown in the taskbar and in the captions of the plain and error boxes. It names
// version 1.25 while the main window names 1.26, as the program always has.
inline constexpr const char* kApplicationTitle = "Kreuzwart v1.25";

// The application object. The windows catch failures in their own handlers; whatever still
// leaves an event handler ends here, in the general error box, and the program goes on.
class Application : public QApplication {
  Q_OBJECT
 public:
  Application(int& argc, char** argv);

  // The desktop that shows the general error box; it must outlive the event loop.
  void SetPlatform(Platform* platform) { platform_ = platform; }

  bool notify(QObject* receiver, QEvent* event) override;

 private:
  Platform* platform_ = nullptr;
};

// Creates the main window (FormCreate reads ZW.INI in settingsDirectory, the folder that also
// holds the import's temporary files), centres it, shows it with its validity notice and runs
// the first activation. "&Beenden" ends the event loop after the current event.
std::unique_ptr<TForm1> StartMainWindow(const std::filesystem::path& settingsDirectory,
                                        Platform& platform, const Clock& clock);

}  // namespace kw
