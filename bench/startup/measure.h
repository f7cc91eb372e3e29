#pragma once

#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QWidget>
#include <QWindow>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

// What both start-up programs report, measured the same way.
namespace startup {

inline std::chrono::steady_clock::time_point& MainEntered() {
  static std::chrono::steady_clock::time_point at = std::chrono::steady_clock::now();
  return at;
}

// Milliseconds since the process was started, from the kernel's start time (10 ms steps).
inline double MsSinceProcessStart() {
  std::ifstream stat("/proc/self/stat");
  std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
  // Field 22 (starttime) counts clock ticks since boot; fields after the command name ")".
  std::istringstream rest(text.substr(text.rfind(')') + 2));
  std::string field;
  for (int i = 3; i < 22; ++i) rest >> field;
  unsigned long long startTicks = 0;
  rest >> startTicks;
  timespec now{};
  clock_gettime(CLOCK_BOOTTIME, &now);
  const double nowMs = now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
  return nowMs - startTicks * 1000.0 / sysconf(_SC_CLK_TCK);
}

inline bool LibraryLoaded(const char* part) {
  std::ifstream maps("/proc/self/maps");
  std::string line;
  while (std::getline(maps, line)) {
    if (line.find(part) != std::string::npos) return true;
  }
  return false;
}

// Waits until the window is on the screen and painted once, then prints one line:
// name, ms from main() to shown, ms from process start to shown, peak RSS in MiB, widgets, and
// whether Qt WebEngine is in the process.
inline void ReportWhenShown(const char* name, QWidget& window) {
  while (!window.windowHandle() || !window.windowHandle()->isExposed()) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  QCoreApplication::processEvents();  // the first paint
  const double fromMain =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - MainEntered())
          .count();
  const double fromStart = MsSinceProcessStart();
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf(
      "%s main_to_shown_ms=%.1f process_to_shown_ms=%.0f peak_rss_mib=%.1f widgets=%lld "
      "webengine=%s\n",
      name, fromMain, fromStart, usage.ru_maxrss / 1024.0,
      static_cast<long long>(window.findChildren<QWidget*>().size()),
      LibraryLoaded("WebEngine") ? "loaded" : "no");
  std::fflush(stdout);
}

}  // namespace startup
