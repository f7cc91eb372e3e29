#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>
#include <chrono>
#include <utility>

namespace kw::BrowserReport {

// What the browser helper program tells Kreuzwart on its standard output, one report per
// navigation: "complete <address>\n" and the body markup, or "error <reason>\n".

QByteArray Complete(const QUrl& finalUrl, const QByteArray& bodyUtf8);
QByteArray Error(const QString& reason);

// How a navigation ended, whichever way the page was loaded.
struct Outcome {
  enum class Kind { Complete, Error };
  Kind kind = Kind::Error;
  QString address;      // Complete: the address of the loaded document, fully encoded
  QByteArray bodyUtf8;  // Complete: the body markup
  QString reason;       // Error: why the navigation failed

  static Outcome Loaded(QString address, QByteArray bodyUtf8) {
    return {Kind::Complete, std::move(address), std::move(bodyUtf8), {}};
  }
  static Outcome Failed(QString reason) { return {Kind::Error, {}, {}, std::move(reason)}; }
};

// An output that is neither report (the helper died, or is not what it should be) is an Error.
Outcome Parse(const QByteArray& output);

// The reasons both ways give for a page beyond the size limit, and the seconds of a time limit
// as they are written in them ("0,3", "75").
QString TooLargeReason(qsizetype maxPageBytes);
QString SecondsText(std::chrono::milliseconds limit);

}  // namespace kw::BrowserReport
