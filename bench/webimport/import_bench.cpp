// "WWW Import" from the click to the drawing in the main window's fields, against a results
// page served on 127.0.0.1, as the program does it (the browser helper process included). The
// import window's one-second delay is left out. Run on the offscreen platform:
//   QT_QPA_PLATFORM=offscreen build/bench/webimport/import_bench [runs]
// Prints each run's time, the median, and the memory of the program before, during and after
// the first import, beside the peak of all browser processes together.
#include <dirent.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <vector>

#include "app/application.h"
#include "tests/support/fake_platform.h"
#include "tests/support/local_http_server.h"
#include "tests/support/temp_dir.h"
#include "tests/webimport/results_page.h"

using namespace Qt::StringLiterals;

namespace {

using namespace std::chrono_literals;

// A field of /proc/<pid>/status in KiB ("VmRSS", "VmHWM").
long StatusKiB(const std::string& pid, const std::string& field) {
  std::ifstream status("/proc/" + pid + "/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind(field + ":", 0) == 0) return std::stol(line.substr(field.size() + 1));
  }
  return 0;
}

// The resident memory of every process below this one: the browser helper and the engine's
// own processes.
long DescendantsRssKiB() {
  std::map<std::string, std::string> parentOf;
  if (DIR* proc = opendir("/proc")) {
    while (dirent* entry = readdir(proc)) {
      const std::string pid = entry->d_name;
      if (pid.find_first_not_of("0123456789") != std::string::npos) continue;
      std::ifstream stat("/proc/" + pid + "/stat");
      std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
      const std::size_t close = text.rfind(')');
      if (close == std::string::npos) continue;
      std::istringstream rest(text.substr(close + 2));
      std::string state, ppid;
      rest >> state >> ppid;
      parentOf[pid] = ppid;
    }
    closedir(proc);
  }
  const std::string self = std::to_string(getpid());
  long total = 0;
  for (const auto& [pid, parent] : parentOf) {
    for (std::string up = parent; !up.empty() && up != "0" && up != "1";
         up = parentOf.count(up) ? parentOf[up] : "") {
      if (up == self) {
        total += StatusKiB(pid, "VmRSS");
        break;
      }
    }
  }
  return total;
}

double MiB(long kib) { return kib / 1024.0; }

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;

  kw::test::LocalHttpServer server;
  const QByteArray path = "/subnav/gewinnzahlen-quoten/index.html";
  server.Route(path, {200, QByteArray::fromStdString(kw::test::GoodPage()), {}});
  kw::test::TempDir dir;
  kw::test::FakePlatform platform;
  const kw::SystemClock clock;
  kw::ProgramOptions options;
  options.resultsPageUrl = server.Url(path);
  options.browserProgram = QStringLiteral(KREUZWART_BROWSER);
  kw::ProgramWindows windows = kw::StartProgram(dir.path(), platform, clock, options);
  windows.import->SetRunDelay(0ms);
  auto* form = windows.form1.get();
  form->findChild<QTabWidget*>(u"PageControl1"_s)->setCurrentIndex(1);
  auto* button5 = form->findChild<QPushButton*>(u"Button5"_s);
  auto* edit1 = form->findChild<QLineEdit*>(u"Edit1"_s);
  QApplication::processEvents();

  const std::string self = std::to_string(getpid());
  const long rssBefore = StatusKiB(self, "VmRSS");
  const long peakBefore = StatusKiB(self, "VmHWM");
  long browserPeak = 0;
  QTimer sampler;
  QObject::connect(&sampler, &QTimer::timeout,
                   [&] { browserPeak = std::max(browserPeak, DescendantsRssKiB()); });

  std::vector<double> times;
  for (int run = 0; run < runs; ++run) {
    edit1->clear();
    platform.messages.clear();
    QElapsedTimer clockRun;
    if (run == 0) sampler.start(10);
    clockRun.start();
    button5->click();  // the download window runs modally inside the click
    while (edit1->text() != QStringLiteral("3")) {
      QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
      if (clockRun.elapsed() > 30'000) {
        std::fprintf(stderr, "run %d: no drawing after 30 s; messages:\n", run + 1);
        for (const QString& text : platform.texts())
          std::fprintf(stderr, "  %s\n", qPrintable(text));
        return 1;
      }
    }
    times.push_back(clockRun.nsecsElapsed() / 1e6);
    if (run == 0) {
      sampler.stop();
      std::printf(
          "first import: program RSS before %.1f MiB (peak so far %.1f), after %.1f MiB "
          "(peak %.1f); browser processes together at most %.1f MiB\n",
          MiB(rssBefore), MiB(peakBefore), MiB(StatusKiB(self, "VmRSS")),
          MiB(StatusKiB(self, "VmHWM")), MiB(browserPeak));
      QTest::qWait(500);
      std::printf("half a second after: browser processes left %.1f MiB\n",
                  MiB(DescendantsRssKiB()));
    }
    std::printf("run %d: click to drawing %.0f ms\n", run + 1, times.back());
  }
  std::sort(times.begin(), times.end());
  std::printf("median of %d runs: %.0f ms (min %.0f, max %.0f); program peak RSS %.1f MiB\n", runs,
              times[times.size() / 2], times.front(), times.back(), MiB(StatusKiB(self, "VmHWM")));
  windows.form1.reset();
  return 0;
}
