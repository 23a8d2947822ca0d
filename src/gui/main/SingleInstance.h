#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>
#include <memory>

class QLocalServer;

namespace orvane::ui {

// One running program per user: the first takes a lock and listens; a later one finds the lock
// taken, asks the first to show its window, and ends.
class SingleInstance : public QObject {
  Q_OBJECT
 public:
  // key: one per user and program; DefaultKey() gives the program's.
  explicit SingleInstance(const QString& key, QObject* parent = nullptr);
  ~SingleInstance() override;

  static QString DefaultKey();

  // True for the first instance. Otherwise the running one has been asked to come to the front
  // (when it could be reached), and this one should end.
  bool First() const { return first_; }

 signals:
  // A later launch asked this instance to show its window.
  void ActivationRequested();

 private:
  void AskRunningInstance();

  QString key_;
  std::unique_ptr<QLockFile> lock_;
  QLocalServer* server_ = nullptr;
  bool first_ = false;
};

}  // namespace orvane::ui
