#include "service/network_failure.h"

#include <QStringList>

namespace kw {

QString HostText(const QUrl& url) {
  const int port = url.port();
  return port < 0 ? url.host() : QStringLiteral("%1:%2").arg(url.host()).arg(port);
}

QString NetworkFailureReason(QNetworkReply::NetworkError error) {
  switch (error) {
    case QNetworkReply::HostNotFoundError:
      return QStringLiteral("der Name ist nicht bekannt; besteht eine Verbindung zum Internet?");
    case QNetworkReply::ConnectionRefusedError:
      return QStringLiteral("er nimmt keine Verbindung an");
    case QNetworkReply::RemoteHostClosedError:
      return QStringLiteral("er hat die Verbindung vorzeitig beendet");
    case QNetworkReply::TimeoutError:
      return QStringLiteral("er antwortet nicht");
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
      return QStringLiteral("das Netzwerk ist gerade nicht verf\u00FCgbar");
    case QNetworkReply::ProxyConnectionRefusedError:
    case QNetworkReply::ProxyConnectionClosedError:
    case QNetworkReply::ProxyNotFoundError:
    case QNetworkReply::ProxyTimeoutError:
      return QStringLiteral("der Proxy-Server des Systems ist nicht erreichbar");
    case QNetworkReply::ProxyAuthenticationRequiredError:
      return QStringLiteral("der Proxy-Server des Systems verlangt eine Anmeldung");
    case QNetworkReply::SslHandshakeFailedError:
      return QStringLiteral("die sichere Verbindung ist gescheitert");
    case QNetworkReply::TooManyRedirectsError:
      return QStringLiteral("er leitet immer weiter um, ohne dass eine Seite kommt");
    case QNetworkReply::InsecureRedirectError:
      return QStringLiteral("er leitet auf eine unverschl\u00FCsselte Adresse um");
    default:
      return QStringLiteral("Netzwerkfehler %1").arg(static_cast<int>(error));
  }
}

QString CertificateFailureReason(const QList<QSslError>& errors) {
  QStringList reasons;
  for (const QSslError& error : errors) {
    QString reason;
    switch (error.error()) {
      case QSslError::CertificateExpired:
        reason = QStringLiteral("sein Zertifikat ist abgelaufen");
        break;
      case QSslError::CertificateNotYetValid:
        reason = QStringLiteral("sein Zertifikat gilt noch nicht");
        break;
      case QSslError::HostNameMismatch:
        reason = QStringLiteral("sein Zertifikat gilt f\u00FCr einen anderen Namen");
        break;
      case QSslError::CertificateRevoked:
        reason = QStringLiteral("sein Zertifikat ist widerrufen");
        break;
      case QSslError::SelfSignedCertificate:
      case QSslError::SelfSignedCertificateInChain:
      case QSslError::UnableToGetLocalIssuerCertificate:
      case QSslError::UnableToGetIssuerCertificate:
      case QSslError::CertificateUntrusted:
        reason = QStringLiteral("sein Zertifikat stammt nicht von einer anerkannten Stelle");
        break;
      default:
        reason = QStringLiteral("sein Zertifikat wird nicht anerkannt (Fehler %1)")
                     .arg(static_cast<int>(error.error()));
    }
    if (!reasons.contains(reason)) reasons << reason;
  }
  return reasons.isEmpty() ? NetworkFailureReason(QNetworkReply::SslHandshakeFailedError)
                           : reasons.join(QStringLiteral("; "));
}

}  // namespace kw
