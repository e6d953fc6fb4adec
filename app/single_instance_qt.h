#pragma once
// Keeps a second copy of the program from running beside the first: the
// first copy holds a lock file and listens on a local socket beside it; a
// later copy fails to take the lock and hands the first its file name
// (empty when none), then ends. The first copy's SecondInstance signal
// carries that name. Names are the file system's bytes, passed on whole
// whatever they are (percent-encoded on the way).
//
// The hand-off is a short exchange, so that a start never ends without its
// file having been taken: the later copy sends the name, the first answers
// "ok", the later copy confirms and only then does the first act on it. A
// first copy that is still starting (holding the lock, not yet listening) is
// asked again for a bounded time; one that does not answer (stopped, hung)
// is given up on, and the later copy starts as a program of its own.
#include <QByteArray>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <map>
#include <memory>
#include <string>

#include "platform/local_socket.h"

class QSocketNotifier;

namespace nuvel {

class SingleInstanceGuard : public QObject {
  Q_OBJECT
 public:
  // `key` names the lock file and the socket, both in `folder`, which should
  // be a folder only the user can reach (the runtime folder). A first copy
  // listens at once unless `listenNow` is false; it then listens on Listen.
  SingleInstanceGuard(const QString& key, const QString& folder, QObject* parent = nullptr, bool listenNow = true);
  ~SingleInstanceGuard() override;

  // True when this copy holds the lock.
  bool IsFirst() const { return first_; }
  // A first copy starts taking later copies' files. False when it cannot.
  bool Listen();

  // From a later copy: hands `fileName` to the first. True when the first
  // copy took it. False when no live copy answered within about `waitMs`
  // (connecting and answering each get that long); when the first copy has
  // ended meanwhile this one has become the first (IsFirst).
  bool HandOff(const QByteArray& fileName, int waitMs = 2000);

  // The full name of the socket the first copy listens on.
  QString SocketName() const { return socketName_; }

  // The guard for this program, settings folder, display and user, with
  // its lock and socket in the user's runtime folder.
  static std::unique_ptr<SingleInstanceGuard> ForThisProgram(QObject* parent = nullptr);

 signals:
  void SecondInstance(const QByteArray& fileName);

 private:
  // A later copy's connection to the first: what it has sent so far, and
  // the name once its first line came.
  struct Talk {
    platform::LocalSocket socket;
    QSocketNotifier* notifier = nullptr;
    std::string buffer;
    QByteArray name;
    bool answered = false;
  };

  bool TakeLock();
  void AcceptConnections();
  void Read(int fd);
  void EndTalk(int fd);

  QString socketName_;
  std::unique_ptr<QLockFile> lock_;
  platform::LocalSocket listener_;
  QSocketNotifier* listenNotifier_ = nullptr;
  bool listenTried_ = false;
  std::map<int, Talk> talks_;  // by the socket's descriptor
  bool first_ = false;
  bool listenNow_ = true;
};

}  // namespace nuvel
