#include "platform/qt/instance_channel.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>

#include "platform/qt/command_guard.h"
#include "platform/qt/qt_text.h"

namespace {

// The one request there is, a line of its own. Anything else a client sends is ignored.
constexpr char kShowRequest[] = "show\n";
constexpr qint64 kLongestRequest = sizeof(kShowRequest) - 1;

}  // namespace

TInstanceChannel::TInstanceChannel(std::string socketPath) : Path_(std::move(socketPath)) {}

TInstanceChannel::~TInstanceChannel() = default;

bool TInstanceChannel::Listen(std::function<void()> show) {
  Server_ = std::make_unique<QLocalServer>();
  Server_->setSocketOptions(QLocalServer::UserAccessOption);
  const QString path = ToQt(Path_);
  if (!Server_->listen(path) && Server_->serverError() == QAbstractSocket::AddressInUseError) {
    QLocalServer::removeServer(path);  // left by a copy that ended without cleaning up
    Server_->listen(path);
  }
  if (!Server_->isListening()) {
    Error_ = "Unable to listen at \"" + Path_ + "\": " + FromQt(Server_->errorString());
    Server_.reset();
    return false;
  }
  QObject::connect(Server_.get(), &QLocalServer::newConnection, Server_.get(), [this, show = std::move(show)] {
    while (QLocalSocket* client = Server_->nextPendingConnection()) {
      QObject::connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
      QObject::connect(client, &QLocalSocket::readyRead, client, [client, show] {
        if (client->bytesAvailable() < kLongestRequest) return;  // the rest is on its way
        const QByteArray request = client->read(kLongestRequest);
        client->disconnectFromServer();
        if (request == kShowRequest) GuardedCall(show);
      });
    }
  });
  return true;
}

bool TInstanceChannel::AskToShow(const std::string& socketPath, int timeoutMs) {
  QLocalSocket socket;
  socket.connectToServer(ToQt(socketPath));
  if (!socket.waitForConnected(timeoutMs)) return false;
  socket.write(kShowRequest, kLongestRequest);
  const bool sent = socket.waitForBytesWritten(timeoutMs);
  socket.disconnectFromServer();
  return sent;
}
