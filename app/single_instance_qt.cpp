#include "app/single_instance_qt.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QThread>
#include <chrono>

#include "app/single_instance_name.h"
#include "platform/program_path.h"

namespace nuvel {
namespace {

// A later copy's messages and the first copy's answer, one line each.
constexpr char kTaken[] = "ok\n";
constexpr char kConfirm[] = "go\n";

enum class Exchanged { Taken, NotListening, NoAnswer };

std::string SocketNameBytes(const QString& name) { return QFile::encodeName(name).toStdString(); }

// Hands the name to the copy listening on `socketName`.
Exchanged Exchange(const QString& socketName, const QByteArray& fileName, int waitMs) {
  using Clock = std::chrono::steady_clock;
  const auto wait = std::chrono::milliseconds(waitMs);
  const platform::LocalSocket socket = platform::ConnectLocal(SocketNameBytes(socketName), Clock::now() + wait);
  if (!socket.IsOpen()) return Exchanged::NotListening;
  const auto deadline = Clock::now() + wait;
  QByteArray message = fileName.toPercentEncoding();
  message.append('\n');
  std::string answer;
  if (!platform::WriteLocal(socket, message.toStdString(), deadline) ||
      !platform::ReadLocalLine(socket, answer, deadline) || answer.rfind(kTaken, 0) != 0) {
    return Exchanged::NoAnswer;
  }
  if (!platform::WriteLocal(socket, kConfirm, deadline)) return Exchanged::NoAnswer;
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
  if (QFile::encodeName(socketName_).size() > static_cast<qsizetype>(platform::kLocalSocketNameLimit)) socketName_ = key;
  TakeLock();
}

SingleInstanceGuard::~SingleInstanceGuard() {
  // Each notifier goes before its socket.
  for (auto& [fd, talk] : talks_) delete talk.notifier;
  talks_.clear();
  delete listenNotifier_;
  // The socket's file goes with its listener.
  if (listener_.IsOpen() && socketName_.contains(QLatin1Char('/'))) ::unlink(SocketNameBytes(socketName_).c_str());
  listener_.Close();
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
  if (listenTried_) return listener_.IsOpen();
  listenTried_ = true;
  // The lock is ours, so a socket file left by a copy that ended badly is
  // stale and is replaced.
  listener_ = platform::ListenLocal(SocketNameBytes(socketName_), /*userOnly=*/true);
  if (!listener_.IsOpen()) return false;
  listenNotifier_ = new QSocketNotifier(listener_.Fd(), QSocketNotifier::Read, this);
  connect(listenNotifier_, &QSocketNotifier::activated, this, &SingleInstanceGuard::AcceptConnections);
  return true;
}

void SingleInstanceGuard::AcceptConnections() {
  for (platform::LocalSocket socket = platform::AcceptLocal(listener_); socket.IsOpen();
       socket = platform::AcceptLocal(listener_)) {
    const int fd = socket.Fd();
    Talk& talk = talks_[fd];
    talk.socket = std::move(socket);
    talk.notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(talk.notifier, &QSocketNotifier::activated, this, [this, fd] { Read(fd); });
    Read(fd);
  }
}

void SingleInstanceGuard::Read(int fd) {
  const auto found = talks_.find(fd);
  if (found == talks_.end()) return;
  Talk& talk = found->second;
  const bool open = platform::ReadLocalAvailable(talk.socket, talk.buffer);
  for (std::size_t end; (end = talk.buffer.find('\n')) != std::string::npos;) {
    const std::string line = talk.buffer.substr(0, end);
    talk.buffer.erase(0, end + 1);
    if (!talk.answered) {
      talk.name = QByteArray::fromPercentEncoding(QByteArray::fromStdString(line));
      talk.answered = true;
      // A few bytes on a fresh connection: the system takes them at once.
      platform::WriteLocal(talk.socket, kTaken, std::chrono::steady_clock::now());
    } else {
      // Only a confirmed name is opened: a copy that gave up waiting
      // starts on its own and opens its file itself. The talk ends first,
      // as opening the file may run events.
      const bool confirmed = line + '\n' == kConfirm;
      const QByteArray name = talk.name;
      EndTalk(fd);
      if (confirmed) emit SecondInstance(name);
      return;
    }
  }
  if (!open) EndTalk(fd);
}

void SingleInstanceGuard::EndTalk(int fd) {
  const auto found = talks_.find(fd);
  if (found == talks_.end()) return;
  found->second.notifier->setEnabled(false);
  found->second.notifier->deleteLater();
  talks_.erase(found);
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
