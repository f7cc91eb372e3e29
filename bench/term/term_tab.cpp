// The tab "Laufzeit" shown as a click on its tab shows it, with a ticket of twelve games whose
// term holds ten drawings of an archive of 6,000, and prints the milliseconds from the click to
// the painted tab: the first showing (which opens the archive) and the median, minimum and
// maximum of the later ones (each reads the ticket file and the term's drawings anew).
// Usage: term_tab [showings]   (default 50)
#include <QApplication>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/application.h"
#include "bench/term/term_data.h"

using namespace Qt::StringLiterals;

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

}  // namespace

int main(int argc, char* argv[]) {
  kw::Application app(argc, argv);
  const int showings = argc > 1 ? std::max(2, std::atoi(argv[1])) : 50;
  bench::SilentPlatform platform;
  app.SetPlatform(&platform);

  QTemporaryDir dir;
  const std::string ticket = bench::MakeTermFiles(dir.path().toStdString());
  bench::Write(dir.filePath(u"ZW.INI"_s), "[Einstellungen]\r\nSchein=" + ticket + "\r\n");

  const kw::SystemClock clock;
  kw::ProgramWindows windows = kw::StartProgram(dir.path().toStdString(), platform, clock);
  auto& form = windows.form1;
  while (!form->windowHandle() || !form->windowHandle()->isExposed()) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  QCoreApplication::processEvents();
  auto* pages = form->findChild<QTabWidget*>(u"PageControl1"_s);
  auto* list = windows.termSheet->findChild<QTreeWidget*>(u"TermDrawings"_s);
  if (!pages || !list) return 1;

  std::vector<double> times;
  for (int i = 0; i < showings; ++i) {
    pages->setCurrentIndex(2);
    QCoreApplication::processEvents();
    const Clock::time_point clicked = Clock::now();
    pages->setCurrentIndex(3);  // what a click on the tab does
    form->repaint();            // painted once, with the list filled
    times.push_back(Ms(clicked, Clock::now()));
    if (list->topLevelItemCount() != 10) std::abort();  // not the term of ten drawings
  }
  std::printf("first showing: %.2f ms\n", times[0]);
  std::vector<double> later(times.begin() + 1, times.end());
  std::sort(later.begin(), later.end());
  std::printf("later showings (%zu): median=%.2f min=%.2f max=%.2f\n", later.size(),
              later[later.size() / 2], later.front(), later.back());
  return 0;
}
