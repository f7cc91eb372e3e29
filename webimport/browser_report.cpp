#include "webimport/browser_report.h"

#include <QLocale>

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
  if (lineEnd < 0) return Outcome::Failed(QStringLiteral("keine Antwort vom Browser"));
  const QByteArray firstLine = output.left(lineEnd);
  if (firstLine.startsWith(kComplete)) {
    return Outcome::Loaded(QString::fromUtf8(firstLine.mid(kComplete.size())),
                           output.mid(lineEnd + 1));
  }
  if (firstLine.startsWith(kError)) {
    return Outcome::Failed(QString::fromUtf8(firstLine.mid(kError.size())));
  }
  return Outcome::Failed(QStringLiteral("keine Antwort vom Browser"));
}

QString TooLargeReason(qsizetype maxPageBytes) {
  constexpr qsizetype kMegabyte = qsizetype{1} << 20;
  // A limit of no whole megabytes is named in bytes.
  const QString size = maxPageBytes % kMegabyte == 0
                           ? QStringLiteral("%1 MB").arg(maxPageBytes / kMegabyte)
                           : QStringLiteral("%1 Byte").arg(maxPageBytes);
  return QStringLiteral("die Seite ist gr\u00F6\u00DFer als %1").arg(size);
}

QString SecondsText(std::chrono::milliseconds limit) {
  return QLocale(QLocale::German).toString(static_cast<double>(limit.count()) / 1000.0);
}

}  // namespace kw::BrowserReport
