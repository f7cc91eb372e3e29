#include <QCommandLineParser>
#include <QStandardPaths>
#include <cstdio>
#include <filesystem>

#include "app/application.h"
#include "app/settings_location.h"
#include "core/date.h"
#include "ui/qt_platform.h"

int main(int argc, char* argv[]) {
  kw::Application app(argc, argv);

  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral(
      "Kreuzwart checks a ticket of Lotto 6 aus 49 against the latest Wednesday and Saturday "
      "drawings."));
  parser.addHelpOption();
  parser.addVersionOption();
  const QCommandLineOption resultsUrl(
      QStringLiteral("results-url"),
      QStringLiteral("Let \"WWW Import\" load the drawings from <url> instead of the lottery's "
                     "results page: a mirror, or a saved copy served by a local web server."),
      QStringLiteral("url"));
  parser.addOption(resultsUrl);
  parser.process(app);  // --help, --version and unknown options end here

  kw::WebImportOptions web;
  if (parser.isSet(resultsUrl)) {
    const std::optional<QString> url = kw::ResultsPageUrlFromOption(parser.value(resultsUrl));
    if (!url) {
      std::fprintf(stderr, "kreuzwart: --results-url: '%s' is no http or https address\n",
                   qPrintable(parser.value(resultsUrl)));
      return 2;
    }
    web.resultsPageUrl = *url;
  }
  web.browserProgram = kw::FindBrowserProgram(QCoreApplication::applicationDirPath());

  kw::QtPlatform platform(QString::fromLatin1(kw::kApplicationTitle));
  app.SetPlatform(&platform);
  const kw::SystemClock clock;

  // ZW.INI lives beside the executable, or in ~/.config/Kreuzwart where that folder is closed.
  const std::filesystem::path directory = kw::SettingsDirectory(
      platform, QCoreApplication::applicationDirPath().toStdU16String(),
      QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation).toStdU16String());
  kw::ProgramWindows windows = kw::StartProgram(directory, platform, clock, web);
  const int result = app.exec();
  windows.form1.reset();  // FormDestroy writes the settings a last time
  return result;
}
