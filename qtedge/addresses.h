#pragma once

#include <QString>
#include <QUrl>
#include <optional>

namespace kw {

// The results service of the lottery's web site, unless --results-service names another.
inline constexpr const char* kResultsServiceBase = "https://www.lotto.de/api/stats/entities.lotto";

// The lottery's official results page. The download compares the address it ended up at with
// this text character by character, so it is kept in the fully encoded form a browser reports.
inline constexpr const char* kResultsPageURL =
    "http://www.lotto.de/subnav/gewinnzahlen-quoten/index.html";

// An absolute http or https address with a host: the only kind the program asks anything of.
bool IsWebAddress(const QUrl& url);

// The address given with --results-url in the form the download compares with, or nothing when
// it is no web address.
std::optional<QString> ResultsPageUrlFromOption(const QString& text);

// What stands against an address given as the results service's base.
enum class ServiceAddressFault {
  None,
  NoWebAddress,
  // The service's paths are appended to the base: a query or a fragment would end up in front
  // of them, so an address of the results page is no service address.
  QueryOrFragment,
};
ServiceAddressFault CheckServiceAddress(const QUrl& url);

}  // namespace kw
