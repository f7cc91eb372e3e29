#pragma once

#include <QCoreApplication>
#include <QWidget>
#include <QWindow>
#include <chrono>
#include <cstdio>

#include "bench/startup/process_facts.h"

// What both start-up programs report, measured the same way.
namespace startup {

inline std::chrono::steady_clock::time_point& MainEntered() {
  static std::chrono::steady_clock::time_point at = std::chrono::steady_clock::now();
  return at;
}

// Waits until the window is on the screen and painted once, then prints one line:
// name, ms from main() to shown, ms from process start to shown, peak memory in MiB, widgets,
// whether Qt WebEngine is in the process, and the moment it was shown in ms since 1970 by the
// system clock, which a script that started the program compares with its own start.
inline void ReportWhenShown(const char* name, QWidget& window) {
  while (!window.windowHandle() || !window.windowHandle()->isExposed()) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  QCoreApplication::processEvents();  // the first paint
  const double fromMain =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - MainEntered())
          .count();
  const double fromStart = MsSinceProcessStart();
  const double shownAt =
      std::chrono::duration<double, std::milli>(std::chrono::system_clock::now().time_since_epoch())
          .count();
  std::printf(
      "%s main_to_shown_ms=%.1f process_to_shown_ms=%.0f peak_rss_mib=%.1f widgets=%lld "
      "webengine=%s shown_at_unix_ms=%.0f\n",
      name, fromMain, fromStart, PeakMemoryMib(),
      static_cast<long long>(window.findChildren<QWidget*>().size()),
      LibraryLoaded("WebEngine") ? "loaded" : "no", shownAt);
  std::fflush(stdout);
}

}  // namespace startup
