#pragma once
// Keeps a second copy of the program from running beside the first: the
// first copy holds a lock file and listens on a local socket of the same
// name; a later copy fails to take the lock, sends the first its file name
// (empty when none) and ends. The first copy's SecondInstance signal then
// carries that name.
#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <memory>

namespace nuvel {

class SingleInstanceGuard : public QObject {
  Q_OBJECT
 public:
  // `key` names the lock file (in `lockFolder`) and the socket.
  SingleInstanceGuard(const QString& key, const QString& lockFolder, QObject* parent = nullptr);
  ~SingleInstanceGuard() override;

  // True when this copy holds the lock and listens.
  bool IsFirst() const { return first_; }

  // From a later copy: hands `fileName` to the first; false when it could
  // not be reached within `timeoutMs`.
  bool NotifyFirst(const QString& fileName, int timeoutMs = 3000);

  // The guard for this program and user, with its lock in the runtime folder.
  static std::unique_ptr<SingleInstanceGuard> ForThisProgram(QObject* parent = nullptr);

 signals:
  void SecondInstance(const QString& fileName);

 private:
  void AcceptConnection();

  QString key_;
  std::unique_ptr<QLockFile> lock_;
  QLocalServer* server_ = nullptr;
  bool first_ = false;
};

}  // namespace nuvel
