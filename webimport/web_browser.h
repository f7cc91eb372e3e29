#pragma once

#include <QObject>
#include <QString>
#include <chrono>

namespace kw {

// How long a download waits for the browser helper before it ends it. The helper gives up on a
// page by itself after 60 seconds; this catches a helper that hangs before it can even start.
inline constexpr std::chrono::milliseconds kBrowserTimeLimit{75'000};

// The download window's hidden browser. Each Navigate starts the browser helper program
// (kreuzwart-browser) for one page; it reports back with exactly one of the three signals. A
// navigation runs to its end on its own: closing the window that started it does not stop it.
// A helper that has neither reported nor ended within the time limit is ended, and that is a
// failed navigation.
class WebBrowser : public QObject {
  Q_OBJECT

 public:
  // The largest body markup taken from the helper; a page beyond it is a failed navigation.
  static constexpr qsizetype kMaxPageBytes = qsizetype{128} << 20;

  WebBrowser(QString helperProgram, std::chrono::milliseconds timeLimit = kBrowserTimeLimit,
             QObject* parent = nullptr);

  void Navigate(const QString& address);

  // Navigations started and not yet reported.
  int running() const { return running_; }

 signals:
  // A document was loaded completely; address is where the navigation ended, fully encoded.
  void documentComplete(const QString& address, const QByteArray& bodyUtf8);
  // The server could not be reached, answered with an error status, or the browser failed.
  void navigateError(const QString& reason);
  // The helper program could not be started at all.
  void browserMissing(const QString& program);

 private:
  QString helperProgram_;
  std::chrono::milliseconds timeLimit_;
  int running_ = 0;
};

}  // namespace kw
