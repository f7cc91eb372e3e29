#include "webimport/browser_report.h"

namespace kw::BrowserReport {

namespace {

constexpr QByteArrayView kComplete = "complete ";
constexpr QByteArrayView kError = "error ";

}  // namespace

QByteArray Complete(const QUrl& finalUrl, const QByteArray& bodyUtf8) {
  // Fully encoded, an address holds no line break.
  return kComplete.toByteArray() + finalUrl.toEncoded() + '\n' + bodyUtf8;
}

QByteArray Error(const QString& reason) {
  QString oneLine = reason;
  oneLine.replace(u'\r', u' ').replace(u'\n', u' ');
  return kError.toByteArray() + oneLine.toUtf8() + '\n';
}

Outcome Parse(const QByteArray& output) {
  const qsizetype lineEnd = output.indexOf('\n');
  if (lineEnd < 0) {
    return {Outcome::Kind::Error, {}, {}, QStringLiteral("keine Antwort vom Browser")};
  }
  const QByteArray firstLine = output.left(lineEnd);
  if (firstLine.startsWith(kComplete)) {
    return {Outcome::Kind::Complete,
            QString::fromUtf8(firstLine.mid(kComplete.size())),
            output.mid(lineEnd + 1),
            {}};
  }
  if (firstLine.startsWith(kError)) {
    return {Outcome::Kind::Error, {}, {}, QString::fromUtf8(firstLine.mid(kError.size()))};
  }
  return {Outcome::Kind::Error, {}, {}, QStringLiteral("keine Antwort vom Browser")};
}

}  // namespace kw::BrowserReport
