#include "app/single_instance.h"

#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>
#include <memory>

namespace kw {

namespace {

constexpr QByteArrayView kMessageStart = "Kreuzwart 1\n";
// A path is at most a few thousand bytes on every system; a message longer than this is none.
constexpr qsizetype kLongestMessage = 8192;
constexpr char kTaken = '+';
// A second start that connects and says nothing is not waited for longer than this.
constexpr int kReadTimeoutMs = 2000;

}  // namespace

QString InstanceName(const std::filesystem::path& settingsDirectory, const QString& homeFolder) {
  QCryptographicHash hash(QCryptographicHash::Sha256);
  hash.addData(homeFolder.toUtf8());
  hash.addData(QByteArrayView("\n"));
  const std::filesystem::path folder = std::filesystem::absolute(settingsDirectory).lexically_normal();
  hash.addData(QString::fromStdU16String(folder.u16string()).toUtf8());
  return QStringLiteral("kreuzwart-") + QString::fromLatin1(hash.result().toHex().left(24));
}

QByteArray HandOverMessage(const std::optional<std::string>& ticket) {
  return kMessageStart.toByteArray() + QByteArray::fromStdString(ticket.value_or("")) + '\n';
}

std::optional<std::optional<std::string>> ReadHandOver(const QByteArray& message) {
  if (message.size() > kLongestMessage || !message.startsWith(kMessageStart) ||
      !message.endsWith('\n')) {
    return std::nullopt;
  }
  const QByteArray path = message.mid(kMessageStart.size(), message.size() - kMessageStart.size() - 1);
  // One line of text: no line break or other control character, and UTF-8 that decodes.
  for (const char c : path) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) return std::nullopt;
  }
  if (QString::fromUtf8(path).toUtf8() != path) return std::nullopt;
  if (path.isEmpty()) return std::optional<std::string>{};
  return std::optional<std::string>{path.toStdString()};
}

bool HandOverToRunning(const QString& name, const std::optional<std::string>& ticket,
                       int timeoutMs) {
  QLocalSocket socket;
  socket.connectToServer(name);
  if (!socket.waitForConnected(timeoutMs)) return false;
  socket.write(HandOverMessage(ticket));
  if (!socket.waitForBytesWritten(timeoutMs)) return false;
  QByteArray answer;
  while (answer.isEmpty() && socket.waitForReadyRead(timeoutMs)) answer += socket.readAll();
  return answer.startsWith(kTaken);
}

InstanceListener::InstanceListener(const QString& name, QObject* parent)
    : QObject(parent), server_(new QLocalServer(this)) {
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  if (!server_->listen(name)) {
    // Nobody answered at this name a moment ago: what is left there is a crashed program's.
    QLocalServer::removeServer(name);
    server_->listen(name);
  }
  connect(server_, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* socket = server_->nextPendingConnection()) Take(socket);
  });
}

InstanceListener::~InstanceListener() = default;

bool InstanceListener::IsListening() const { return server_->isListening(); }

void InstanceListener::Take(QLocalSocket* socket) {
  connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
  QTimer::singleShot(kReadTimeoutMs, socket, [socket] { socket->abort(); });
  auto received = std::make_shared<QByteArray>();
  connect(socket, &QLocalSocket::readyRead, this, [this, socket, received] {
    *received += socket->read(kLongestMessage + 1 - received->size());
    if (received->size() > kLongestMessage) return socket->abort();
    // The message ends with its second line; until then more may come.
    if (received->count('\n') < 2) return;
    const std::optional<std::optional<std::string>> ticket = ReadHandOver(*received);
    if (!ticket) return socket->abort();
    socket->write(QByteArray(1, kTaken));
    socket->flush();
    socket->disconnectFromServer();
    // After this handler: loading the ticket may show a box with an event loop of its own.
    QTimer::singleShot(0, this, [this, handed = *ticket] { emit handedOver(handed); });
  });
}

}  // namespace kw
