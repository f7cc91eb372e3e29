#pragma once

#include <QString>
#include <optional>

namespace kw {

// The lottery's official results page. The download compares the address it ended up at with
// this text character by character, so it is kept in the fully encoded form a browser reports.
inline constexpr const char* kResultsPageURL =
    "http://www.lotto.de/subnav/gewinnzahlen-quoten/index.html";

// The address given with --results-url in the form the download compares with, or nothing when
// it is no absolute http or https address with a host.
std::optional<QString> ResultsPageUrlFromOption(const QString& text);

}  // namespace kw
