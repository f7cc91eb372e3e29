#include "qtedge/addresses.h"

namespace kw {

bool IsWebAddress(const QUrl& url) {
  const QString scheme = url.scheme();
  return url.isValid() && !url.host().isEmpty() &&
         (scheme == QLatin1StringView("http") || scheme == QLatin1StringView("https"));
}

std::optional<QString> ResultsPageUrlFromOption(const QString& text) {
  const QUrl url(text, QUrl::StrictMode);
  if (!IsWebAddress(url)) return std::nullopt;
  return QString::fromLatin1(url.toEncoded());
}

ServiceAddressFault CheckServiceAddress(const QUrl& url) {
  if (!IsWebAddress(url)) return ServiceAddressFault::NoWebAddress;
  if (url.hasQuery() || url.hasFragment()) return ServiceAddressFault::QueryOrFragment;
  return ServiceAddressFault::None;
}

}  // namespace kw
