#include "gui/main/SingleInstance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

namespace orvane::ui {
namespace {

constexpr int kAskTimeoutMs = 2000;
const char kActivate[] = "show\n";

// The lock lives where only this user writes: the runtime folder where there is one.
QString LockPath(const QString& key) {
  QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (folder.isEmpty()) folder = QDir::tempPath();
  return QDir(folder).filePath(key + QStringLiteral(".lock"));
}

}  // namespace

QString SingleInstance::DefaultKey() {
  QString user = qEnvironmentVariable("USER", qEnvironmentVariable("USERNAME"));
  user.removeIf([](QChar c) { return !c.isLetterOrNumber() && c != u'-' && c != u'_'; });
  return QStringLiteral("orvane-") + (user.isEmpty() ? QStringLiteral("user") : user);
}

SingleInstance::SingleInstance(const QString& key, QObject* parent)
    : QObject(parent), key_(key), lock_(std::make_unique<QLockFile>(LockPath(key))) {
  // Never stale by age, as the program runs for days; a lock whose process is gone is still
  // taken over, as QLockFile checks the process.
  lock_->setStaleLockTime(0);
  first_ = lock_->tryLock(0);
  if (!first_) {
    AskRunningInstance();
    return;
  }
  server_ = new QLocalServer(this);
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  QLocalServer::removeServer(key_);  // a socket file left by a crash
  connect(server_, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
      connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
        if (socket->readAll().contains('\n')) emit ActivationRequested();
        socket->disconnectFromServer();
      });
      connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    }
  });
  server_->listen(key_);
}

SingleInstance::~SingleInstance() = default;

void SingleInstance::AskRunningInstance() {
  QLocalSocket socket;
  socket.connectToServer(key_);
  if (!socket.waitForConnected(kAskTimeoutMs)) return;
  socket.write(kActivate);
  socket.waitForBytesWritten(kAskTimeoutMs);
  socket.disconnectFromServer();
}

}  // namespace orvane::ui
