#pragma once

// The program's windows as a process of their own, for the tests that end it from outside: the
// test program starts itself with kChild and a settings folder, and main() hands over to
// RunChild.
#include <QApplication>
#include <QLineEdit>
#include <QProcess>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <string>

#include "app/application.h"
#include "core/version.h"
#include "ui/main_window.h"
#include "ui/qt_platform.h"

namespace kw::test {

inline constexpr int kTimeoutMs = 30'000;

// Reads what the child says until the word comes (or the child ends).
inline bool WaitFor(QProcess& child, const QByteArray& word) {
  QByteArray said = child.property("said").toByteArray();
  while (!said.contains(word) && child.waitForReadyRead(kTimeoutMs)) {
    said += child.readAllStandardOutput();
  }
  child.setProperty("said", said);
  return said.contains(word);
}
inline const QString kChild = QStringLiteral("--child");

inline const std::string kSaturdayLine =
    "01091427304406031234567654321"
    "06.12.2026";

// The child: the program's windows on the folder given, with the ticket given after it, as main()
// runs them. Once they stand, it types 2 into the first draw field, unless a notice is still
// waiting, and says so; it says "geladen" once the main window shows a ticket.
inline int RunChild(int argc, char* argv[]) {
  Application app(argc, argv);
  const std::filesystem::path directory = argv[2];
  QtPlatform platform(QString::fromLatin1(kApplicationTitle));
  app.SetPlatform(&platform);
  const SystemClock clock;
  ProgramOptions options;
  if (argc > 3) options.ticket = argv[3];
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&watch] {
    for (QWidget* window : QApplication::topLevelWidgets()) {
      auto* form = qobject_cast<TForm1*>(window);
      if (form && !form->ticket().path.empty()) {
        std::puts("geladen");
        std::fflush(stdout);
        watch.stop();
      }
    }
  });
  watch.start(20);
  QTimer::singleShot(0, [] {
    if (!QApplication::activeModalWidget()) {
      for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* edit = window->findChild<QLineEdit*>(QStringLiteral("Edit1"))) {
          edit->setText(QStringLiteral("2"));
        }
      }
    }
    std::puts("bereit");
    std::fflush(stdout);
  });
  return RunWindows(directory, platform, clock, options);
}

// Starts a child on the folder and waits until it says the word.
inline bool StartChild(QProcess& child, const QString& folder, const QByteArray& word,
                       const QStringList& more = {}) {
  child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  child.start(QCoreApplication::applicationFilePath(), QStringList{kChild, folder} + more);
  if (!child.waitForStarted(kTimeoutMs)) return false;
  return WaitFor(child, word);
}

}  // namespace kw::test
