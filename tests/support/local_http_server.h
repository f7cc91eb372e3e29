#pragma once

#include <QHostAddress>
#include <QMap>
#include <QTcpServer>
#include <QTcpSocket>

namespace kw::test {

// A small HTTP server on 127.0.0.1 for the download tests: every path answers what the test set
// for it (a page, an error status or a redirect); any other path answers 404.
class LocalHttpServer : public QObject {
 public:
  struct Response {
    int status = 200;
    QByteArray body;
    QByteArray location;  // for a redirect
  };

  LocalHttpServer() {
    connect(&server_, &QTcpServer::newConnection, this, [this] {
      while (QTcpSocket* socket = server_.nextPendingConnection()) Serve(socket);
    });
    server_.listen(QHostAddress::LocalHost, 0);
  }

  bool listening() const { return server_.isListening(); }
  QString Url(const QByteArray& path) const {
    return QStringLiteral("http://127.0.0.1:%1%2")
        .arg(server_.serverPort())
        .arg(QString::fromLatin1(path));
  }
  void Route(const QByteArray& path, Response response) { routes_[path] = std::move(response); }
  int Requests(const QByteArray& path) const { return requests_.value(path); }

 private:
  void Serve(QTcpSocket* socket) {
    socket->setParent(this);
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
      QByteArray& request = pending_[socket];
      request += socket->readAll();
      if (!request.contains("\r\n\r\n")) return;
      const QByteArray path = request.split(' ').value(1);
      pending_.remove(socket);
      ++requests_[path];
      const Response response =
          routes_.value(path, Response{404, "<html><body>Not found</body></html>", {}});
      QByteArray answer = "HTTP/1.1 " + QByteArray::number(response.status) + " " +
                          (response.status == 200 ? "OK" : "Other") + "\r\n";
      answer += "Content-Type: text/html; charset=utf-8\r\n";
      if (!response.location.isEmpty()) answer += "Location: " + response.location + "\r\n";
      answer += "Content-Length: " + QByteArray::number(response.body.size()) + "\r\n";
      answer += "Connection: close\r\n\r\n" + response.body;
      socket->write(answer);
      socket->disconnectFromHost();
    });
  }

  QTcpServer server_;
  QMap<QByteArray, Response> routes_;
  QMap<QByteArray, int> requests_;
  QMap<QTcpSocket*, QByteArray> pending_;
};

}  // namespace kw::test
