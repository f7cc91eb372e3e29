#pragma once

#include <QObject>
#include <QString>

namespace kw {

// The download window's hidden browser. Each Navigate starts the browser helper program
// (kreuzwart-browser) for one page; it reports back with exactly one of the three signals. A
// navigation runs to its end on its own: closing the window that started it does not stop it.
class WebBrowser : public QObject {
  Q_OBJECT

 public:
  // The largest body markup taken from the helper; a page beyond it is a failed navigation.
  static constexpr qsizetype kMaxPageBytes = qsizetype{128} << 20;

  WebBrowser(QString helperProgram, QObject* parent = nullptr);

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
  int running_ = 0;
};

}  // namespace kw
