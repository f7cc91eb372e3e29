#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

namespace kw::BrowserReport {

// What the browser helper program tells Kreuzwart on its standard output, one report per
// navigation: "complete <address>\n" and the body markup, or "error <reason>\n".

QByteArray Complete(const QUrl& finalUrl, const QByteArray& bodyUtf8);
QByteArray Error(const QString& reason);

struct Outcome {
  enum class Kind { Complete, Error };
  Kind kind = Kind::Error;
  QString address;      // Complete: the address of the loaded document, fully encoded
  QByteArray bodyUtf8;  // Complete: the body markup
  QString reason;       // Error: why the navigation failed
};

// An output that is neither report (the helper died, or is not what it should be) is an Error.
Outcome Parse(const QByteArray& output);

}  // namespace kw::BrowserReport
