#pragma once

// Runs a program to its end and hands back what it said, for tests that start the program (or
// themselves) as a process of its own.

#include <QEventLoop>
#include <QObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <map>

namespace kw::test {

struct ProcessResult {
  int code = -1;  // -1: it did not start, did not end in time or crashed
  QString out;    // standard output, read as UTF-8, lines ending in "\n"
  QString err;    // standard error, read as UTF-8, lines ending in "\n"
};

// A program's text as a test compares it: on Windows the C runtime ends every line on standard
// output and error with "\r\n", as a console wants it.
inline QString ConsoleText(const QByteArray& bytes) {
  return QString::fromUtf8(bytes).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// Changes to the environment the program inherits: variables removed, then variables set.
struct EnvironmentChange {
  QStringList remove;
  std::map<QString, QString> set;
};

// The variables that would give the program a display: without them it must not need one.
inline EnvironmentChange WithoutDisplay() {
  return {{QStringLiteral("DISPLAY"), QStringLiteral("WAYLAND_DISPLAY"),
           QStringLiteral("QT_QPA_PLATFORM")},
          {}};
}

// The caller's event loop keeps running meanwhile, so that a server of the test can answer the
// program; a program still running after the timeout is killed.
inline ProcessResult RunProcess(const QString& program, const QStringList& arguments,
                                const EnvironmentChange& change = {}, int timeoutMs = 60'000) {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const QString& name : change.remove) environment.remove(name);
  for (const auto& [name, value] : change.set) environment.insert(name, value);
  QProcess process;
  process.setProcessEnvironment(environment);
  QEventLoop loop;
  QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
  QObject::connect(&process, &QProcess::errorOccurred, &loop, [&](QProcess::ProcessError error) {
    if (error == QProcess::FailedToStart) loop.quit();
  });
  QTimer timeout;
  timeout.setSingleShot(true);
  QObject::connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
  process.start(program, arguments);
  timeout.start(timeoutMs);
  if (process.state() != QProcess::NotRunning) loop.exec();
  if (process.state() != QProcess::NotRunning) {
    process.kill();
    process.waitForFinished();
    return {};
  }
  if (process.error() == QProcess::FailedToStart || process.exitStatus() != QProcess::NormalExit) {
    return {};
  }
  return {process.exitCode(), ConsoleText(process.readAllStandardOutput()),
          ConsoleText(process.readAllStandardError())};
}

}  // namespace kw::test
