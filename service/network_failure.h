#pragma once

#include <QList>
#include <QNetworkReply>
#include <QSslError>
#include <QString>
#include <QUrl>

namespace kw {

// Why a request over the network failed, in German words of our own: Qt's texts are English
// without a translation loaded (the commands load none) and name the raw address.

// The host a failure names: "www.lotto.de", or "127.0.0.1:8080" with a port of its own.
QString HostText(const QUrl& url);

// The reason after "… ist nicht erreichbar: ", for a reply that ended with this error:
// "der Name ist nicht bekannt; besteht eine Verbindung zum Internet?".
QString NetworkFailureReason(QNetworkReply::NetworkError error);

// The reason after "Die sichere Verbindung … ist gescheitert: ", for the certificate problems
// the connection reported (none when the handshake failed otherwise).
QString CertificateFailureReason(const QList<QSslError>& errors);

}  // namespace kw
