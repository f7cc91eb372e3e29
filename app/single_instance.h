#pragma once

#include <QObject>
#include <QString>
#include <filesystem>
#include <optional>
#include <string>

class QLocalServer;
class QLocalSocket;

namespace kw {

// One Kreuzwart per person and settings folder. Two programs on one ZW.INI would each write it as
// they last saw it, and the one closed last would lose what was typed in the other. So a second
// start hands its ticket (or nothing) to the running program and ends; the running one loads the
// ticket and comes to the front.
//
// They meet at a local socket (a socket file on Linux, a named pipe on Windows) named after the
// user and the settings folder, open to that user only. A message is one line of a fixed start
// and one line with the ticket's path in UTF-8 (empty: no ticket); anything else, or more than
// a path can be, is dropped unread.

// The socket's name for that settings folder and the user whose home folder is given.
QString InstanceName(const std::filesystem::path& settingsDirectory, const QString& homeFolder);

// Hands the ticket (a full path in UTF-8, or nothing) to the program listening at name: true
// when it took it. False when none listens, or none answers within the time given (the leftover
// of a program that crashed): this program then starts as the first.
bool HandOverToRunning(const QString& name, const std::optional<std::string>& ticket,
                       int timeoutMs = 1000);

// The message as sent, and read back: nothing for a message that is not one.
QByteArray HandOverMessage(const std::optional<std::string>& ticket);
std::optional<std::optional<std::string>> ReadHandOver(const QByteArray& message);

// The first program's end of the socket: it listens from its creation (taking over a socket
// left by a program that crashed) until it is destroyed.
class InstanceListener : public QObject {
  Q_OBJECT

 public:
  explicit InstanceListener(const QString& name, QObject* parent = nullptr);
  ~InstanceListener() override;

  bool IsListening() const;

 signals:
  // A second start handed over its ticket (a full path in UTF-8), or none.
  void handedOver(const std::optional<std::string>& ticket);

 private:
  void Take(QLocalSocket* socket);

  QLocalServer* server_ = nullptr;
};

}  // namespace kw
