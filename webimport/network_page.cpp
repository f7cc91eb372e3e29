#include "webimport/network_page.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslError>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "core/cp1252.h"
#include "service/network_failure.h"

namespace kw {

namespace {

constexpr std::size_t npos = std::string_view::npos;

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

std::string LowerCase(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = Lower(c);
  return lower;
}

// Whether text holds lowerWord at `at`, in any letter case.
bool HoldsAt(std::string_view text, std::size_t at, std::string_view lowerWord) {
  if (at + lowerWord.size() > text.size()) return false;
  for (std::size_t i = 0; i < lowerWord.size(); ++i) {
    if (Lower(text[at + i]) != lowerWord[i]) return false;
  }
  return true;
}

// Where the first tag "<name" ("</name" for name "/name") stands from `from` on, outside
// comments; npos when there is none.
std::size_t FindTag(std::string_view text, std::string_view name, std::size_t from) {
  for (std::size_t at = text.find('<', from); at != npos; at = text.find('<', at + 1)) {
    if (text.substr(at).starts_with("<!--")) {
      at = text.find("-->", at + 4);
      if (at == npos) return npos;
      continue;
    }
    const std::size_t next = at + 1 + name.size();
    if (HoldsAt(text, at + 1, name) &&
        (next == text.size() || IsBlank(text[next]) || text[next] == '>' || text[next] == '/')) {
      return at;
    }
  }
  return npos;
}

// Just past the ">" of the tag at `at`, stepping over quoted attribute values.
std::size_t EndOfTag(std::string_view text, std::size_t at) {
  char quote = 0;
  for (std::size_t i = at; i < text.size(); ++i) {
    if (quote) {
      if (text[i] == quote) quote = 0;
    } else if (text[i] == '"' || text[i] == '\'') {
      quote = text[i];
    } else if (text[i] == '>') {
      return i + 1;
    }
  }
  return text.size();
}

struct DocumentParts {
  std::string_view head;  // before the body, where a <meta> names the charset
  std::string_view body;
};

// The body element from its start tag through its last end tag. Without an end tag the body runs
// to the end, as a browser reads it; without a body tag it is the whole text.
DocumentParts SplitDocument(std::string_view document) {
  const std::size_t begin = FindTag(document, "body", 0);
  if (begin == npos) return {document, document};
  std::size_t end = npos;
  for (std::size_t at = FindTag(document, "/body", begin); at != npos;
       at = FindTag(document, "/body", at + 1)) {
    end = at;
  }
  const std::size_t stop = end == npos ? document.size() : EndOfTag(document, end);
  return {document.substr(0, begin), document.substr(begin, stop - begin)};
}

enum class Charset { Unknown, Utf8, Windows1252 };

// The labels browsers take for these two; a page that names iso-8859-1 or us-ascii is read as
// Windows-1252 by every browser, and its author saw it so.
Charset CharsetOfLabel(std::string_view label) {
  static constexpr std::string_view kUtf8[] = {
      "utf-8", "utf8", "unicode-1-1-utf-8", "unicode11utf8", "unicode20utf8", "x-unicode20utf8"};
  static constexpr std::string_view kWindows1252[] = {
      "windows-1252", "cp1252",        "x-cp1252",        "iso-8859-1", "iso8859-1",
      "iso88591",     "iso_8859-1",    "iso_8859-1:1987", "iso-ir-100", "latin1",
      "l1",           "csisolatin1",   "ibm819",          "cp819",      "us-ascii",
      "ascii",        "ansi_x3.4-1968"};
  for (std::string_view name : kUtf8) {
    if (label == name) return Charset::Utf8;
  }
  for (std::string_view name : kWindows1252) {
    if (label == name) return Charset::Windows1252;
  }
  return Charset::Unknown;
}

// The charset a "charset=" in text names (a Content-Type value, a <meta> tag).
Charset CharsetParameter(std::string_view text) {
  const std::string lower = LowerCase(text);
  for (std::size_t at = lower.find("charset"); at != npos; at = lower.find("charset", at + 1)) {
    std::size_t i = at + 7;
    while (i < lower.size() && IsBlank(lower[i])) ++i;
    if (i >= lower.size() || lower[i] != '=') continue;
    ++i;
    while (i < lower.size() && IsBlank(lower[i])) ++i;
    if (i < lower.size() && (lower[i] == '"' || lower[i] == '\'')) ++i;
    std::size_t end = i;
    while (end < lower.size() && !IsBlank(lower[end]) &&
           std::string_view("\"';>/").find(lower[end]) == npos) {
      ++end;
    }
    const Charset charset = CharsetOfLabel(std::string_view(lower).substr(i, end - i));
    if (charset != Charset::Unknown) return charset;
  }
  return Charset::Unknown;
}

// <meta charset="..."> or <meta http-equiv="Content-Type" content="text/html; charset=...">.
Charset MetaCharset(std::string_view head) {
  for (std::size_t at = FindTag(head, "meta", 0); at != npos; at = FindTag(head, "meta", at + 1)) {
    const Charset charset = CharsetParameter(head.substr(at, EndOfTag(head, at) - at));
    if (charset != Charset::Unknown) return charset;
  }
  return Charset::Unknown;
}

// The length of the character reference for U+00A0 that text starts with, or 0. The parser of
// a browser also takes "&nbsp" and "&#160" without their ";".
std::size_t NoBreakReferenceLength(std::string_view text) {
  constexpr std::string_view kLongName = "&NonBreakingSpace;";
  if (text.starts_with(kLongName)) return kLongName.size();
  if (text.starts_with("&nbsp")) return text.size() > 5 && text[5] == ';' ? 6 : 5;
  if (!text.starts_with("&#")) return 0;
  std::size_t i = 2;
  const bool hex = i < text.size() && (text[i] == 'x' || text[i] == 'X');
  if (hex) ++i;
  const std::size_t digits = i;
  std::uint32_t value = 0;
  for (; i < text.size(); ++i) {
    const char c = Lower(text[i]);
    std::uint32_t digit = 0;
    if (c >= '0' && c <= '9') {
      digit = static_cast<std::uint32_t>(c - '0');
    } else if (hex && c >= 'a' && c <= 'f') {
      digit = static_cast<std::uint32_t>(c - 'a' + 10);
    } else {
      break;
    }
    if (value <= 0x10FFFF) value = value * (hex ? 16 : 10) + digit;  // beyond: no character
  }
  if (i == digits || value != 0xA0) return 0;
  return i < text.size() && text[i] == ';' ? i + 1 : i;
}

// Every reference for U+00A0 written "&nbsp;"; the rest of the markup as it stands.
std::string WithNoBreakEntities(std::string_view markup) {
  std::string out;
  out.reserve(markup.size());
  std::size_t from = 0;
  for (std::size_t at = markup.find('&'); at != npos; at = markup.find('&', from)) {
    out.append(markup.substr(from, at - from));
    const std::size_t length = NoBreakReferenceLength(markup.substr(at));
    out += length > 0 ? "&nbsp;" : "&";
    from = at + std::max<std::size_t>(length, 1);
  }
  out.append(markup.substr(from));
  return out;
}

// Failures where no connection to the server came about.
bool NoConnection(QNetworkReply::NetworkError error) {
  switch (error) {
    case QNetworkReply::ConnectionRefusedError:
    case QNetworkReply::HostNotFoundError:
    case QNetworkReply::TimeoutError:
    case QNetworkReply::SslHandshakeFailedError:
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
      return true;
    default:
      return error >= QNetworkReply::ProxyConnectionRefusedError &&
             error <= QNetworkReply::UnknownProxyError;
  }
}

struct Load {
  QUrl at;  // the address asked for last: the request's, then each redirect's
  QByteArray document;
  QString failure;  // set when the load was stopped on purpose
  QList<QSslError> certificateProblems;
};

BrowserReport::Outcome Ending(QNetworkReply& reply, Load& load, qsizetype maxPageBytes) {
  using BrowserReport::Outcome;
  if (!load.failure.isEmpty()) return Outcome::Failed(load.failure);
  const int status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
  if (status >= 400) return Outcome::Failed(QStringLiteral("HTTP-Status %1").arg(status));
  // A redirect refused names the server that sent it.
  const QString host = HostText(load.at);
  if (!load.certificateProblems.isEmpty()) {
    return Outcome::Failed(QStringLiteral("keine sichere Verbindung zu %1: %2")
                               .arg(host, CertificateFailureReason(load.certificateProblems)));
  }
  if (reply.error() != QNetworkReply::NoError) {
    return Outcome::Failed((NoConnection(reply.error())
                                ? QStringLiteral("keine Verbindung zu %1: %2")
                                : QStringLiteral("die Seite von %1 konnte nicht geladen "
                                                 "werden: %2"))
                               .arg(host, NetworkFailureReason(reply.error())));
  }
  load.document += reply.readAll();
  if (load.document.size() > maxPageBytes) {
    return Outcome::Failed(BrowserReport::TooLargeReason(maxPageBytes));
  }
  // Where the load ended, in the form the helper reports it.
  return Outcome::Loaded(QString::fromLatin1(reply.url().toEncoded()),
                         PageBodyUtf8(load.document, reply.rawHeader("Content-Type")));
}

}  // namespace

QByteArray PageBodyUtf8(const QByteArray& document, const QByteArray& contentType) {
  const DocumentParts parts = SplitDocument(
      std::string_view(document.constData(), static_cast<std::size_t>(document.size())));
  Charset charset = CharsetParameter(
      std::string_view(contentType.constData(), static_cast<std::size_t>(contentType.size())));
  if (charset == Charset::Unknown) charset = MetaCharset(parts.head);
  const std::string body =
      charset == Charset::Windows1252 ? Cp1252ToUtf8(parts.body) : std::string(parts.body);
  return QByteArray::fromStdString(WithNoBreakEntities(body));
}

void LoadPage(QNetworkAccessManager& network, const QString& address,
              std::chrono::milliseconds timeLimit, qsizetype maxPageBytes, QObject* context,
              std::function<void(const BrowserReport::Outcome&)> done) {
  const QUrl url(address, QUrl::StrictMode);
  QNetworkRequest request(url);
  request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                       QNetworkRequest::NoLessSafeRedirectPolicy);
  // The helper's engine keeps nothing between downloads: every download asks the server anew.
  request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
  request.setRawHeader("Accept", "text/html,application/xhtml+xml,*/*;q=0.8");
  request.setRawHeader("Accept-Language", "de-DE,de;q=0.9");
  QNetworkReply* reply = network.get(request);
  auto load = std::make_shared<Load>();
  load->at = url;
  const auto stop = [reply, load](QString reason) {
    if (!load->failure.isEmpty()) return;
    load->failure = std::move(reason);
    reply->abort();
  };

  auto* deadline = new QTimer(reply);
  deadline->setSingleShot(true);
  QObject::connect(deadline, &QTimer::timeout, context, [load, stop, timeLimit] {
    stop(QStringLiteral("keine Antwort von %1 innerhalb von %2 Sekunden")
             .arg(HostText(load->at), BrowserReport::SecondsText(timeLimit)));
  });
  QObject::connect(reply, &QNetworkReply::redirected, context,
                   [load](const QUrl& target) { load->at = target; });
  QObject::connect(reply, &QNetworkReply::readyRead, context, [reply, load, stop, maxPageBytes] {
    if (!load->failure.isEmpty()) return;
    const QByteArray received = reply->readAll();
    // The page of an error status is not wanted, whatever its size.
    if (reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt() >= 400) return;
    load->document += received;
    if (load->document.size() > maxPageBytes) {
      load->document.clear();
      stop(BrowserReport::TooLargeReason(maxPageBytes));
    }
  });
  QObject::connect(reply, &QNetworkReply::sslErrors, context,
                   [load](const QList<QSslError>& errors) { load->certificateProblems = errors; });
  QObject::connect(reply, &QNetworkReply::finished, context,
                   [reply, load, deadline, maxPageBytes, done = std::move(done)] {
                     deadline->stop();
                     reply->deleteLater();
                     done(Ending(*reply, *load, maxPageBytes));
                   });
  deadline->start(timeLimit);
}

}  // namespace kw
