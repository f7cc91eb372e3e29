// The window "Meine Scheine" shown as a click on "Alle Scheine …" shows it, with the ten tickets
// of a household (twelve games, eight weeks each) and an archive of 6,000 drawings, and prints
// the milliseconds from the click to the painted window: the first showing (which makes the
// window and opens the archive) and the median, minimum and maximum of the later ones (each
// reads the list, every ticket file and their drawings anew).
// Usage: tickets_window [showings]   (default 30)
#include <QApplication>
#include <QPushButton>
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
#include "ui/my_tickets_window.h"

using namespace Qt::StringLiterals;

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

}  // namespace

int main(int argc, char* argv[]) {
  kw::Application app(argc, argv);
  const int showings = argc > 1 ? std::max(2, std::atoi(argv[1])) : 30;
  bench::SilentPlatform platform;
  app.SetPlatform(&platform);

  QTemporaryDir dir;
  bench::MakeHousehold(dir.path().toStdString());
  const kw::SystemClock clock;
  kw::ProgramWindows windows = kw::StartProgram(dir.path().toStdString(), platform, clock);
  auto& form = windows.form1;
  while (!form->windowHandle() || !form->windowHandle()->isExposed()) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  auto* pages = form->findChild<QTabWidget*>(u"PageControl1"_s);
  pages->setCurrentIndex(3);
  QCoreApplication::processEvents();
  auto* button = windows.termSheet->findChild<QPushButton*>(u"TermAllTickets"_s);
  if (!button) return 1;

  std::vector<double> times;
  for (int i = 0; i < showings; ++i) {
    const Clock::time_point clicked = Clock::now();
    button->click();
    auto* window = form->findChild<kw::MyTicketsWindow*>(u"MyTicketsWindow"_s);
    if (!window) return 1;
    window->repaint();  // painted once, with every ticket checked
    times.push_back(Ms(clicked, Clock::now()));
    if (window->rows().size() != 10) std::abort();
    for (const auto& row : window->rows()) {
      if (!row.check || row.check->days.size() != 16) std::abort();  // not eight weeks
    }
    window->hide();
    QCoreApplication::processEvents();
  }
  std::printf("first showing: %.2f ms\n", times[0]);
  std::vector<double> later(times.begin() + 1, times.end());
  std::sort(later.begin(), later.end());
  std::printf("later showings (%zu): median=%.2f min=%.2f max=%.2f\n", later.size(),
              later[later.size() / 2], later.front(), later.back());
  return 0;
}
