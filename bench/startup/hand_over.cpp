// The time from a second start of the program to its ticket shown in the first: the second
// process is started with a ticket, hands it over and ends; the first loads it. Printed: the
// median and the slowest of the runs, in milliseconds.
//   build/bench/startup/hand_over [runs]   (default 15; offscreen platform unless one is set)
#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "app/application.h"
#include "bench/silent_platform.h"
#include "core/version.h"
#include "ui/main_window.h"

namespace {

const QString kChild = QStringLiteral("--child");

// The program on the folder, with the ticket given if any, as main() runs it; it prints the path
// of every ticket its main window comes to show.
int RunChild(int argc, char* argv[]) {
  kw::Application app(argc, argv);
  bench::SilentPlatform platform;
  app.SetPlatform(&platform);
  const kw::SystemClock clock;
  kw::ProgramOptions options;
  if (argc > 3) options.ticket = argv[3];
  std::string shown = "\x01";  // so that the first look prints, the empty path too
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&shown] {
    for (QWidget* window : QApplication::topLevelWidgets()) {
      auto* form = qobject_cast<kw::TForm1*>(window);
      if (form && form->ticket().path != shown) {
        shown = form->ticket().path;
        std::printf("%s\n", shown.c_str());
        std::fflush(stdout);
      }
    }
  });
  watch.start(1);
  return kw::RunWindows(argv[2], platform, clock, options);
}

}  // namespace

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (argc >= 3 && QString::fromLocal8Bit(argv[1]) == kChild) return RunChild(argc, argv);
  QCoreApplication app(argc, argv);
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
  QTemporaryDir dir;
  const std::filesystem::path folder = dir.path().toStdString();
  for (const char* name : {"a.sch", "b.sch"}) {
    std::ofstream(folder / name, std::ios::binary)
        << "[Schein]\r\nSpiel1=03 15 22 31 40 49 \r\nLosnummer=4711235\r\nAblauf=31.12.2030\r\n";
  }
  QProcess first;
  first.start(QCoreApplication::applicationFilePath(), {kChild, dir.path()});
  first.waitForStarted();
  QByteArray said;
  const auto waitFor = [&](const QByteArray& line) {
    while (!said.contains(line) && first.waitForReadyRead(30000)) said += first.readAllStandardOutput();
    const bool found = said.contains(line);
    said.clear();
    return found;
  };
  waitFor("\n");  // the first line: no ticket

  std::vector<double> ms;
  for (int i = 0; i < runs; ++i) {
    const QString ticket = dir.filePath(i % 2 ? QStringLiteral("a.sch") : QStringLiteral("b.sch"));
    QElapsedTimer clock;
    clock.start();
    QProcess second;
    second.start(QCoreApplication::applicationFilePath(), {kChild, dir.path(), ticket});
    if (!waitFor(ticket.toUtf8() + '\n')) {
      std::fprintf(stderr, "the first program did not show %s\n", qPrintable(ticket));
      return 1;
    }
    ms.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
    second.waitForFinished();
  }
  first.terminate();
  first.waitForFinished();
  std::sort(ms.begin(), ms.end());
  std::printf("hand_over runs=%d median_ms=%.1f slowest_ms=%.1f\n", runs, ms[ms.size() / 2],
              ms.back());
  return 0;
}
