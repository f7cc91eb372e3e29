#pragma once

#include <QByteArray>
#include <QString>
#include <chrono>
#include <functional>

#include "webimport/browser_report.h"

class QNetworkAccessManager;
class QObject;

namespace kw {

// The results page loaded over Qt Network, where there is no browser helper (Windows: Qt
// WebEngine does not build with MinGW). The one difference to the helper: the page's own scripts
// do not run, so the markup is the page as the server sent it.

// The body markup of a document as the server sent it, as the helper would hand it on: the
// `<body ...>...</body>` (the whole text when there is none) in UTF-8, read in the charset that
// the Content-Type header, else a <meta> of the document names; UTF-8 when neither names UTF-8
// or Windows-1252 (with its aliases, iso-8859-1 among them). A no-break blank
// written as a character reference ("&#160;", "&#xA0;", "&nbsp" without its ";") becomes
// "&nbsp;", which the scraper looks for and the helper's serialisation writes; every other
// reference stays, as the scraper reads none.
QByteArray PageBodyUtf8(const QByteArray& document, const QByteArray& contentType);

// Loads the page at address once: redirects followed unless they lead from https to http, within
// timeLimit in all, a document of at most maxPageBytes (the load is stopped as soon as more
// comes). done is called exactly once, unless context is destroyed first. Failures are in
// German and name the host: "HTTP-Status 404", "keine Verbindung zu 127.0.0.1:4711: er nimmt
// keine Verbindung an".
void LoadPage(QNetworkAccessManager& network, const QString& address,
              std::chrono::milliseconds timeLimit, qsizetype maxPageBytes, QObject* context,
              std::function<void(const BrowserReport::Outcome&)> done);

}  // namespace kw
