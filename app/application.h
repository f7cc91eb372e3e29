#pragma once

#include <QApplication>
#include <QUrl>
#include <filesystem>
#include <memory>
#include <optional>

#include "app/command_line.h"
#include "core/date.h"
#include "qtedge/addresses.h"
#include "service/service_fetch.h"
#include "ui/editor_window.h"
#include "ui/main_window.h"
#include "ui/platform.h"
#include "ui/drawings_session.h"
#include "ui/term_sheet.h"
#include "webimport/download_window.h"
#include "webimport/import_window.h"

namespace kw {

class InstanceListener;

// The title shown in the taskbar and in the captions of the plain and error boxes. It names
// version 1.25 while the main window names 1.26, as the program always has.
inline constexpr const char* kApplicationTitle = "Kreuzwart v1.25";

// The application object, with Qt's own dialogs and buttons in German whatever the locale, as
// every text of the program is. The windows catch failures in their own handlers; whatever still
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

// The program's windows, in the order of their creation. Only the main window is shown; the
// others stay hidden until needed and live until the program ends.
struct ProgramWindows {
  std::unique_ptr<TForm1> form1;
  TForm2* form2 = nullptr;  // the ticket editor, owned by the main window
  std::unique_ptr<TWWWDownload> download;
  std::unique_ptr<TImport> import;
  TermSheet* termSheet = nullptr;  // the tab "Laufzeit", owned by the main window
  DrawingsSession* drawings = nullptr;  // the archive and the fetch, owned by the main window
};

// What the command line may change of the windows: where "WWW &Import" takes the results page
// from and the browser helper program it loads the page with (none: over Qt Network); where the
// tab "Laufzeit" keeps its drawings and fetches them from; the ticket loaded at start.
struct ProgramOptions {
  QString resultsPageUrl = QString::fromLatin1(kResultsPageURL);
  QString browserProgram;
  std::optional<std::filesystem::path> archive;  // --archive; else beside ZW.INI
  QUrl resultsService = QUrl(QString::fromLatin1(kResultsServiceBase));
  std::optional<std::string> ticket;  // SCHEIN.sch, a full path in UTF-8
  // Where a second start hands over its ticket; none in the tests of the windows.
  InstanceListener* instance = nullptr;
};

// The options the command line gives the windows. The ticket's path is made full, as the file
// dialog of "&Schein laden" gives it, so that ZW.INI keeps a path that holds from any folder.
ProgramOptions WindowOptions(const CommandLine& commandLine);

// The program's start and its whole run: the windows until the program ends, then the main
// window destroyed, which saves the settings. SIGTERM, SIGHUP and SIGINT end it as closing the
// main window does, through the event loop. Returns the event loop's exit code.
int RunWindows(const std::filesystem::path& directory, Platform& platform, const Clock& clock,
               const ProgramOptions& web = {});

// The program's start: creates the windows, with ZW.INI and the import's temporary files in
// directory (beside the executable, or the per-user folder where that one is closed); the main
// window (FormCreate reads ZW.INI) centred, then shown with its validity notice and its first
// activation; then the ticket of web.ticket loaded as "&Schein laden" loads one. "&Beenden" and a
// failed import end the event loop after the current event.
ProgramWindows StartProgram(const std::filesystem::path& directory, Platform& platform,
                            const Clock& clock, const ProgramOptions& web = {});

}  // namespace kw
