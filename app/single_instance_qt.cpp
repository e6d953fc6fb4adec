#include "app/single_instance_qt.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>

#include "app/single_instance_name.h"

namespace nuvel {

SingleInstanceGuard::SingleInstanceGuard(const QString& key, const QString& lockFolder, QObject* parent)
    : QObject(parent), key_(key) {
  QDir().mkpath(lockFolder);
  lock_ = std::make_unique<QLockFile>(QDir(lockFolder).filePath(key + ".lock"));
  lock_->setStaleLockTime(0);  // a lock whose process is gone is taken over
  if (!lock_->tryLock(0)) return;
  server_ = new QLocalServer(this);
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  // The lock is ours, so a socket file left by a copy that ended badly is stale.
  QLocalServer::removeServer(key_);
  if (!server_->listen(key_)) {
    lock_->unlock();
    return;
  }
  connect(server_, &QLocalServer::newConnection, this, &SingleInstanceGuard::AcceptConnection);
  first_ = true;
}

SingleInstanceGuard::~SingleInstanceGuard() {
  if (server_) server_->close();
  if (first_) lock_->unlock();
}

void SingleInstanceGuard::AcceptConnection() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    auto buffer = std::make_shared<QByteArray>();
    auto deliver = [this, socket, buffer] {
      buffer->append(socket->readAll());
      int end = buffer->indexOf('\n');
      if (end < 0) return;
      QString name = QString::fromUtf8(buffer->left(end));
      buffer->clear();
      socket->disconnectFromServer();
      emit SecondInstance(name);
    };
    connect(socket, &QLocalSocket::readyRead, this, deliver);
    if (socket->bytesAvailable() > 0) deliver();
  }
}

bool SingleInstanceGuard::NotifyFirst(const QString& fileName, int timeoutMs) {
  QLocalSocket socket;
  socket.connectToServer(key_);
  if (!socket.waitForConnected(timeoutMs)) return false;
  QByteArray message = fileName.toUtf8();
  message.replace('\n', ' ');
  message.append('\n');
  socket.write(message);
  if (!socket.waitForBytesWritten(timeoutMs)) return false;
  socket.disconnectFromServer();
  if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(timeoutMs);
  return true;
}

std::unique_ptr<SingleInstanceGuard> SingleInstanceGuard::ForThisProgram(QObject* parent) {
  QString user = qEnvironmentVariable("USER");
  if (user.isEmpty()) user = qEnvironmentVariable("LOGNAME");
  std::string key = SingleInstanceKey(QCoreApplication::applicationFilePath().toStdString(), user.toStdString());
  QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (folder.isEmpty()) folder = QDir::tempPath();
  return std::make_unique<SingleInstanceGuard>(QString::fromStdString(key), folder, parent);
}

}  // namespace nuvel
