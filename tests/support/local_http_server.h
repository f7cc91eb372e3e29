#pragma once

#include <QElapsedTimer>
#include <QHostAddress>
#include <QMap>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslServer>
#include <QSslSocket>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <memory>

namespace kw::test {

// A small HTTP server on 127.0.0.1 for the download tests: every path answers what the test set
// for it (a page, an error status, a redirect, an answer after a delay, one that stops midway,
// or no answer at all); any other path answers 404. Given a certificate and key it speaks HTTPS.
class LocalHttpServer : public QObject {
 public:
  struct Response {
    int status = 200;
    QByteArray body;
    QByteArray location;  // for a redirect
    QByteArray contentType = "text/html; charset=utf-8";
    int delayMs = 0;       // before the answer goes out
    bool silent = false;   // reads the request and never answers
    QByteArray headers{};  // more header lines, each ending in CRLF
    // Sends no more than this much of the body and leaves the connection open, as a server that
    // stalls in the middle of a page; negative: the whole body.
    qsizetype bodyBytesSent = -1;
  };

  // Qt's Schannel backend (Windows) serves TLS only with a key from Windows' certificate store,
  // not with the PEM key a test gives: there this server speaks plain HTTP only.
  static bool ServesHttps() { return QSslSocket::activeBackend() != QStringLiteral("schannel"); }
  static constexpr const char* kNoHttps =
      "Qt's Schannel backend serves TLS only with a key from Windows' certificate store";

  LocalHttpServer() : server_(std::make_unique<QTcpServer>()) { Listen(); }
  // HTTPS with the certificate and key given in PEM form.
  LocalHttpServer(const QByteArray& certificatePem, const QByteArray& keyPem) {
    auto tls = std::make_unique<QSslServer>();
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    configuration.setLocalCertificate(QSslCertificate(certificatePem));
    configuration.setPrivateKey(QSslKey(keyPem, QSsl::Ec));
    configuration.setPeerVerifyMode(QSslSocket::VerifyNone);
    tls->setSslConfiguration(configuration);
    server_ = std::move(tls);
    https_ = true;
    Listen();
  }

  bool listening() const { return server_->isListening(); }
  QString Url(const QByteArray& path) const {
    return QStringLiteral("%1://127.0.0.1:%2%3")
        .arg(https_ ? QStringLiteral("https") : QStringLiteral("http"))
        .arg(server_->serverPort())
        .arg(QString::fromLatin1(path));
  }
  void Route(const QByteArray& path, Response response) { routes_[path] = std::move(response); }
  // The next request for path gets this answer, once; after it, what Route set.
  void RouteOnce(const QByteArray& path, Response response) {
    once_[path].append(std::move(response));
  }
  // Plays a throttling front: a request that comes when `requests` others were answered within
  // the last windowMs gets 429 "error code: 1015", with Retry-After when given. Refused requests
  // are counted by Requests and Arrivals like any other, and by Refused.
  void Throttle(int requests, int windowMs, QByteArray retryAfter = {}) {
    throttleRequests_ = requests;
    throttleWindowMs_ = windowMs;
    retryAfter_ = std::move(retryAfter);
  }
  int Refused() const { return refused_; }
  int Requests(const QByteArray& path) const { return requests_.value(path); }
  int AllRequests() const { return static_cast<int>(arrivals_.size()); }
  // The most requests that were open at one time, arrived and not yet answered.
  int MostAtOnce() const { return mostOpen_; }
  // When each request arrived, in milliseconds since the server started.
  const QList<qint64>& Arrivals() const { return arrivals_; }
  // The header lines of the last request, as sent.
  const QByteArray& LastRequest() const { return lastRequest_; }

 private:
  void Listen() {
    clock_.start();
    // A TLS server hands over its connections after the handshake, with the other signal.
    const auto take = [this] {
      while (QTcpSocket* socket = server_->nextPendingConnection()) Serve(socket);
    };
    if (https_) {
      connect(server_.get(), &QTcpServer::pendingConnectionAvailable, this, take);
    } else {
      connect(server_.get(), &QTcpServer::newConnection, this, take);
    }
    server_->listen(QHostAddress::LocalHost, 0);
  }

  void Serve(QTcpSocket* socket) {
    socket->setParent(this);
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
      QByteArray& request = pending_[socket];
      request += socket->readAll();
      if (!request.contains("\r\n\r\n")) return;
      const QByteArray path = request.split(' ').value(1);
      lastRequest_ = request;
      pending_.remove(socket);
      ++requests_[path];
      arrivals_.append(clock_.elapsed());
      Response response =
          once_.value(path).isEmpty()
              ? routes_.value(path, Response{404, "<html><body>Not found</body></html>", {}})
              : once_[path].takeFirst();
      if (throttleRequests_ > 0) {
        const qint64 now = arrivals_.back();
        while (!answered_.isEmpty() && answered_.front() <= now - throttleWindowMs_) {
          answered_.removeFirst();
        }
        if (answered_.size() >= throttleRequests_) {
          ++refused_;
          response = Response{429, "error code: 1015", {}, "text/plain"};
          if (!retryAfter_.isEmpty()) response.headers = "Retry-After: " + retryAfter_ + "\r\n";
        } else {
          answered_.append(now);
        }
      }
      mostOpen_ = std::max(mostOpen_, ++open_);
      if (response.silent) return;
      QByteArray answer = "HTTP/1.1 " + QByteArray::number(response.status) + " " +
                          (response.status == 200 ? "OK" : "Other") + "\r\n";
      answer += "Content-Type: " + response.contentType + "\r\n";
      if (!response.location.isEmpty()) answer += "Location: " + response.location + "\r\n";
      answer += response.headers;
      answer += "Content-Length: " + QByteArray::number(response.body.size()) + "\r\n";
      answer += "Connection: close\r\n\r\n";
      const bool stalls = response.bodyBytesSent >= 0;
      answer += stalls ? response.body.left(response.bodyBytesSent) : response.body;
      QTimer::singleShot(response.delayMs, socket, [this, socket, answer, stalls] {
        --open_;
        socket->write(answer);
        if (!stalls) socket->disconnectFromHost();
      });
    });
  }

  std::unique_ptr<QTcpServer> server_;
  bool https_ = false;
  QElapsedTimer clock_;
  QMap<QByteArray, Response> routes_;
  QMap<QByteArray, QList<Response>> once_;
  QMap<QByteArray, int> requests_;
  QMap<QTcpSocket*, QByteArray> pending_;
  QList<qint64> arrivals_;
  QByteArray lastRequest_;
  int throttleRequests_ = 0;
  int throttleWindowMs_ = 0;
  QByteArray retryAfter_;
  QList<qint64> answered_;  // when the requests the throttle let through came
  int refused_ = 0;
  int open_ = 0;
  int mostOpen_ = 0;
};

}  // namespace kw::test
