#include "app/single_instance_qt.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

#include "app/single_instance_name.h"
#include "platform/program_path.h"

namespace nuvel {
namespace {

// The longest socket path the system takes (sun_path less its final zero).
constexpr qsizetype kSocketPathLimit = 107;

// A later copy's messages and the first copy's answer, one line each.
constexpr char kTaken[] = "ok\n";
constexpr char kConfirm[] = "go\n";

bool Abstract(const QString& name) { return !name.contains(QLatin1Char('/')); }

enum class Exchanged { Taken, NotListening, NoAnswer };

// Reads from `socket` until `line` (ending in "\n") has come, or the deadline.
bool AwaitLine(QLocalSocket& socket, QByteArray& buffer, const char* line, const QDeadlineTimer& deadline) {
  for (;;) {
    buffer.append(socket.readAll());
    if (buffer.indexOf('\n') >= 0) return buffer.startsWith(line);
    if (deadline.hasExpired() || socket.state() != QLocalSocket::ConnectedState) return false;
    socket.waitForReadyRead(static_cast<int>(std::max<qint64>(1, deadline.remainingTime())));
  }
}

// Hands the name to the copy listening on `socketName`.
Exchanged Exchange(const QString& socketName, const QByteArray& fileName, int waitMs) {
  QLocalSocket socket;
  if (Abstract(socketName)) socket.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
  socket.connectToServer(socketName);
  if (!socket.waitForConnected(waitMs)) return Exchanged::NotListening;
  const QDeadlineTimer deadline(waitMs);
  QByteArray message = fileName.toPercentEncoding();
  message.append('\n');
  socket.write(message);
  QByteArray answer;
  if (!socket.waitForBytesWritten(waitMs) || !AwaitLine(socket, answer, kTaken, deadline)) return Exchanged::NoAnswer;
  socket.write(kConfirm);
  if (!socket.waitForBytesWritten(waitMs)) return Exchanged::NoAnswer;
  socket.disconnectFromServer();
  if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(waitMs);
  return Exchanged::Taken;
}

}  // namespace

SingleInstanceGuard::SingleInstanceGuard(const QString& key, const QString& folder, QObject* parent, bool listenNow)
    : QObject(parent), listenNow_(listenNow) {
  QDir().mkpath(folder);
  lock_ = std::make_unique<QLockFile>(QDir(folder).filePath(key + ".lock"));
  // Only a lock whose process is gone is taken over, never one by its age:
  // a stopped copy still holds its lock.
  lock_->setStaleLockTime(0);
  socketName_ = QDir(folder).filePath(key + ".sock");
  // Beyond the length a socket path may have, the name lives in the
  // system's abstract socket space, where the key's hash keeps it apart.
  if (QFile::encodeName(socketName_).size() > kSocketPathLimit) socketName_ = key;
  TakeLock();
}

SingleInstanceGuard::~SingleInstanceGuard() {
  if (server_) server_->close();
  if (first_) lock_->unlock();
}

bool SingleInstanceGuard::TakeLock() {
  if (first_) return true;
  if (!lock_->tryLock(0)) return false;
  first_ = true;
  // A copy that holds the lock but cannot listen still runs as the first;
  // later starts then find no answer and run on their own.
  if (listenNow_) Listen();
  return true;
}

bool SingleInstanceGuard::Listen() {
  if (!first_) return false;
  if (server_) return server_->isListening();
  server_ = new QLocalServer(this);
  if (Abstract(socketName_)) {
    server_->setSocketOptions(QLocalServer::AbstractNamespaceOption);
  } else {
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    // The lock is ours, so a socket file left by a copy that ended badly is stale.
    QLocalServer::removeServer(socketName_);
  }
  if (!server_->listen(socketName_)) return false;
  connect(server_, &QLocalServer::newConnection, this, &SingleInstanceGuard::AcceptConnection);
  return true;
}

void SingleInstanceGuard::AcceptConnection() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    struct Talk {
      QByteArray buffer;
      QByteArray name;
      bool answered = false;
    };
    auto talk = std::make_shared<Talk>();
    auto step = [this, socket, talk] {
      talk->buffer.append(socket->readAll());
      for (qsizetype end; (end = talk->buffer.indexOf('\n')) >= 0;) {
        const QByteArray line = talk->buffer.left(end);
        talk->buffer.remove(0, end + 1);
        if (!talk->answered) {
          talk->name = QByteArray::fromPercentEncoding(line);
          talk->answered = true;
          socket->write(kTaken);
          socket->flush();
        } else {
          // Only a confirmed name is opened: a copy that gave up waiting
          // starts on its own and opens its file itself.
          socket->disconnectFromServer();
          if (line + '\n' == kConfirm) emit SecondInstance(talk->name);
          return;
        }
      }
    };
    connect(socket, &QLocalSocket::readyRead, this, step);
    if (socket->bytesAvailable() > 0) step();
  }
}

bool SingleInstanceGuard::HandOff(const QByteArray& fileName, int waitMs) {
  const QDeadlineTimer deadline(waitMs);
  for (;;) {
    if (TakeLock()) return false;  // the first copy has ended: this one runs
    switch (Exchange(socketName_, fileName, waitMs)) {
      case Exchanged::Taken:
        return true;
      case Exchanged::NoAnswer:
        return false;
      case Exchanged::NotListening:
        break;  // still starting, or gone without freeing the lock yet
    }
    if (deadline.hasExpired()) return false;
    QThread::msleep(50);
  }
}

std::unique_ptr<SingleInstanceGuard> SingleInstanceGuard::ForThisProgram(QObject* parent) {
  SingleInstanceScope scope;
  scope.programFile = QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString();
  scope.settingsFolder = platform::UserConfigFolder();
  const QString platform = QGuiApplication::platformName();
  const char* display = platform == QLatin1String("wayland") ? "WAYLAND_DISPLAY" : "DISPLAY";
  scope.display = platform.toStdString() + ":" + qEnvironmentVariable(display).toStdString();
  scope.user = qEnvironmentVariable("USER", qEnvironmentVariable("LOGNAME")).toStdString();
  scope.uid = static_cast<uint32_t>(::getuid());
  QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (folder.isEmpty()) folder = QDir::tempPath();
  return std::make_unique<SingleInstanceGuard>(QString::fromStdString(SingleInstanceKey(scope)), folder, parent);
}

}  // namespace nuvel
