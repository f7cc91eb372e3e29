// The program's own start, up to the shown main window: ZW.INI read, a ticket loaded, the
// stored Saturday drawing shown, the validity notice answered at once.
#include <QTemporaryDir>

#include "app/application.h"
#include "bench/silent_platform.h"
#include "bench/startup/measure.h"

using namespace Qt::StringLiterals;

int main(int argc, char* argv[]) {
  startup::MainEntered();
  kw::Application app(argc, argv);
  bench::SilentPlatform platform;
  app.SetPlatform(&platform);

  QTemporaryDir dir;
  const QString ticket = dir.filePath(u"schein.sch"_s);
  bench::Write(ticket,
               "[Schein]\r\nSpiel1=03 15 22 31 40 49 \r\nSpiel2=01 07 12 19 33 45 \r\n"
               "Losnummer=4711235\r\nAblauf=19.12.2026\r\n");
  bench::Write(dir.filePath(u"ZW.INI"_s),
               "[Einstellungen]\r\nSchein=" + ticket.toStdString() +
                   "\r\n[Zahlen]\r\nMittwoch=0411172336450809876543212345603.12.2026\r\n"
                   "Samstag=0109142730440603123456765432106.12.2026\r\n");

  const kw::SystemClock clock;
  const kw::ProgramWindows windows = kw::StartProgram(dir.path().toStdString(), platform, clock);
  startup::ReportWhenShown("kreuzwart", *windows.form1);
  return 0;
}
