#include "app/application.h"

#include <QDir>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

#include "app/end_signals.h"
#include "app/single_instance.h"
#include "archive/archive.h"
#include "core/cp1252.h"
#include "core/settings_file.h"
#include "core/version.h"
#include "ui/controls.h"
#include "ui/editor_window.h"
#include "ui/my_tickets_window.h"

namespace kw {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName(QStringLiteral("Kreuzwart"));
  setApplicationVersion(QString::fromLatin1(kVersion));
  setWindowIcon(QIcon(QStringLiteral(":/kreuzwart.png")));
  setDesktopFileName(QStringLiteral("kreuzwart"));  // the installed desktop entry
  // "Abbrechen", "Suchen in" in the file dialogs: German like the rest. Without Qt's
  // translations installed the dialogs stay English; nothing else depends on them.
  auto* translator = new QTranslator(this);
  if (translator->load(QStringLiteral("qtbase_de"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    installTranslator(translator);
  }
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

namespace {

// Creates the main window, which runs FormCreate, centred and wired to end the program.
std::unique_ptr<TForm1> CreateMainWindow(const std::filesystem::path& settingsDirectory,
                                         Platform& platform, const Clock& clock) {
  auto form = std::make_unique<TForm1>(SettingsFile(settingsDirectory), platform, clock);
  CentreOnScreen(form.get());
  QObject::connect(form.get(), &TForm1::endRequested, qApp, &QCoreApplication::quit,
                   Qt::QueuedConnection);
  return form;
}

}  // namespace

ProgramOptions WindowOptions(const CommandLine& commandLine) {
  ProgramOptions options;
  if (commandLine.resultsUrl)
    options.resultsPageUrl = QString::fromStdString(*commandLine.resultsUrl);
  options.archive = commandLine.archive;
  if (commandLine.resultsService) {
    options.resultsService = QUrl(QString::fromStdString(*commandLine.resultsService));
  }
  if (!commandLine.tickets.empty()) {
    options.ticket = std::filesystem::absolute(PathFromUtf8(commandLine.tickets.front()))
                         .lexically_normal()
                         .string();
  }
  return options;
}

int RunWindows(const std::filesystem::path& directory, Platform& platform, const Clock& clock,
               const ProgramOptions& web) {
  // The end of the session, a closed terminal, Ctrl+C: the program ends as when its window is
  // closed. Watched from the start, as a notice may stand on the screen before the loop runs.
  EndSignals endSignals;
  bool endAsked = false;
  QObject::connect(&endSignals, &EndSignals::received, qApp, [&endAsked] {
    endAsked = true;
    // Before the event loop runs there is none to end: the notice on the screen closes and the
    // loop is never entered. Once it runs, quitting closes every window, the main window too.
    if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    QCoreApplication::quit();
  });
  // A program already running on this settings folder takes the ticket; this one ends.
  const QString instanceName = InstanceName(directory, QDir::homePath());
  if (HandOverToRunning(instanceName, web.ticket)) return 0;
  InstanceListener instance(instanceName);
  ProgramOptions options = web;
  options.instance = &instance;
  ProgramWindows windows = StartProgram(directory, platform, clock, options);
  // Windows ends the process soon after it has asked for the session's end, maybe before the
  // loop gets to quit: what was typed is kept at once, while Windows waits for the answer.
  QObject::connect(&endSignals, &EndSignals::received, qApp, [&windows] {
    if (windows.form1) windows.form1->KeepForEnd();
  });
  QObject::connect(qApp, &QCoreApplication::aboutToQuit, qApp, [&endAsked, &windows] {
    if (endAsked) windows.form1.reset();
  });
  const int result = endAsked ? 0 : QCoreApplication::exec();
  windows.form1.reset();  // FormDestroy stores what was typed and writes the settings
  return result;
}

ProgramWindows StartProgram(const std::filesystem::path& directory, Platform& platform,
                            const Clock& clock, const ProgramOptions& web) {
  ProgramWindows windows;
  windows.form1 = CreateMainWindow(directory, platform, clock);
  TForm1* form = windows.form1.get();
  // The ticket editor lives as long as the main window, which opens it modally.
  windows.form2 = new TForm2(SettingsFile(directory), platform, clock, form);
  form->SetTicketEditor([editor = windows.form2] { editor->ShowModal(); });
  windows.download = std::make_unique<TWWWDownload>(
      DownloadSetup{web.resultsPageUrl, directory, web.browserProgram}, platform);
  windows.import = std::make_unique<TImport>(ImportFiles::In(directory), platform);
  TWWWDownload* download = windows.download.get();
  form->SetDownloadWindow([download] { download->ShowModal(); });
  QObject::connect(download, &TWWWDownload::pageSaved, windows.import.get(), &QWidget::show);
  // The main window takes the imported drawings when the import window has closed; the
  // window system's activation is not relied upon for it.
  QObject::connect(windows.import.get(), &TImport::importClosed, form, &TForm1::FormActivate);
  QObject::connect(windows.import.get(), &TImport::endRequested, qApp, &QCoreApplication::quit,
                   Qt::QueuedConnection);

  // The tab "Laufzeit" after the three of the main window; its archive is opened when it is
  // first shown.
  // One archive and one fetch for every view of the drawings, living as long as the main window.
  auto* drawings = new DrawingsSession(web.archive.value_or(directory / DrawingArchive::kFileName),
                                       web.resultsService, platform, form);
  windows.drawings = drawings;
  windows.termSheet = new TermSheet(*drawings, platform, clock);
  windows.termSheet->SetTicketSource([form] { return form->ticket().path; });
  form->AddPage(windows.termSheet, QStringLiteral("Laufzeit"));
  // "Meine Scheine" is made when first asked for, as a window of its own that lives as long as
  // the main window: nothing of it costs the program's start.
  QObject::connect(windows.termSheet, &TermSheet::allTicketsRequested, form,
                   [form, directory, drawings, &platform, &clock] {
                     auto* window =
                         form->findChild<MyTicketsWindow*>(QStringLiteral("MyTicketsWindow"));
                     if (!window) {
                       window = new MyTicketsWindow(directory, *drawings, platform, clock, form);
                     }
                     window->ShowAndRaise();
                   });

  if (web.instance) {
    QObject::connect(web.instance, &InstanceListener::handedOver, form, &TForm1::TakeHandedTicket);
  }
  form->Start(web.ticket);
  return windows;
}

}  // namespace kw
