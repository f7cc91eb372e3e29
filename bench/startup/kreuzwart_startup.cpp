// The program's own start, up to the shown main window: ZW.INI read, a ticket loaded, the
// stored Saturday drawing shown, the validity notice answered at once.
#include <QTemporaryDir>
#include <fstream>

#include "app/application.h"
#include "bench/startup/measure.h"

namespace {

// Answers every box at once so that the start does not wait for a person.
class SilentPlatform : public kw::Platform {
 public:
  void ShowMessage(kw::MessageKind, const QString&) override {}
  std::optional<QString> ChooseTicketFile() override { return std::nullopt; }
  std::optional<QString> ChooseTicketSaveFile(const QString&) override { return std::nullopt; }
  void OpenUrl(const QUrl&) override {}
};

void Write(const QString& path, const std::string& bytes) {
  std::ofstream(path.toStdString(), std::ios::binary) << bytes;
}

}  // namespace

int main(int argc, char* argv[]) {
  startup::MainEntered();
  kw::Application app(argc, argv);
  SilentPlatform platform;
  app.SetPlatform(&platform);

  QTemporaryDir dir;
  const QString ticket = dir.filePath("schein.sch");
  Write(ticket,
        "[Schein]\r\nSpiel1=03 15 22 31 40 49 \r\nSpiel2=01 07 12 19 33 45 \r\n"
        "Losnummer=4711235\r\nAblauf=19.12.2026\r\n");
  Write(dir.filePath("ZW.INI"),
        "[Einstellungen]\r\nSchein=" + ticket.toStdString() +
            "\r\n[Zahlen]\r\nMittwoch=0411172336450809876543212345603.12.2026\r\n"
            "Samstag=0109142730440603123456765432106.12.2026\r\n");

  const kw::SystemClock clock;
  auto form = kw::StartMainWindow(dir.path().toStdString(), platform, clock);
  startup::ReportWhenShown("kreuzwart", *form);
  return 0;
}
