#include "webimport/results_page_url.h"

#include <QUrl>

namespace kw {

std::optional<QString> ResultsPageUrlFromOption(const QString& text) {
  const QUrl url(text, QUrl::StrictMode);
  if (!url.isValid() || url.host().isEmpty() ||
      (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https"))) {
    return std::nullopt;
  }
  return QString::fromLatin1(url.toEncoded());
}

}  // namespace kw
