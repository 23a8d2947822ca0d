#pragma once

#include <QObject>
#include <memory>

class QSocketNotifier;

namespace orvane::ui {

// Turns the system's requests to end the program (SIGTERM and SIGINT on Linux, sent at log-off,
// shut-down or by the user) into a signal on the user-interface thread. Elsewhere it never
// fires. One instance per process.
class ShutdownSignals : public QObject {
  Q_OBJECT
 public:
  explicit ShutdownSignals(QObject* parent = nullptr);
  ~ShutdownSignals() override;
  // Whether the handlers could be installed.
  bool Active() const { return notifier_ != nullptr; }

 signals:
  void Requested();

 private:
  void Drain();

  std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace orvane::ui
