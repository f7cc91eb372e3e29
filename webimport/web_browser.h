#pragma once

#include <QObject>
#include <QString>
#include <chrono>

#include "webimport/browser_report.h"

class QNetworkAccessManager;

namespace kw {

// How long a download may take. The helper gives up on a page by itself after 60 seconds; this
// catches a helper that hangs before it can even start. A page loaded over the network has as
// long in all.
inline constexpr std::chrono::milliseconds kBrowserTimeLimit{75'000};

// The download window's hidden browser. Each Navigate starts the browser helper program
// (kreuzwart-browser) for one page, or, without a helper program (on Windows), loads the page
// itself over Qt Network (network_page.h), where the page's own scripts do not run. Either way
// it reports back with exactly one of the three signals. A navigation runs to its end on its
// own: closing the window that started it does not stop it. A navigation that has not ended
// within the time limit is stopped, and that is a failed navigation.
class WebBrowser : public QObject {
  Q_OBJECT

 public:
  // The largest page taken; a page beyond it is a failed navigation.
  static constexpr qsizetype kMaxPageBytes = qsizetype{128} << 20;

  // An empty helperProgram: every page over Qt Network.
  WebBrowser(QString helperProgram, std::chrono::milliseconds timeLimit = kBrowserTimeLimit,
             qsizetype maxPageBytes = kMaxPageBytes, QObject* parent = nullptr);

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
  void NavigateWithHelper(const QString& address);
  void NavigateOverNetwork(const QString& address);
  // Where both ways end.
  void Report(const BrowserReport::Outcome& outcome);

  QString helperProgram_;
  std::chrono::milliseconds timeLimit_;
  qsizetype maxPageBytes_;
  // Made with the first navigation over the network, never at the program's start.
  QNetworkAccessManager* network_ = nullptr;
  int running_ = 0;
};

}  // namespace kw
