#pragma once

#include <QObject>
#include <memory>

#include "platform/EndRequests.h"

class QSocketNotifier;

namespace orvane::ui {

// Turns the system's requests to end the program that arrive outside the window system (on
// Linux SIGTERM and SIGINT, sent at log-off, shut-down or by the user) into a signal on the
// user-interface thread. Where the system sends none it never fires. One instance per process.
class ShutdownSignals : public QObject {
  Q_OBJECT
 public:
  explicit ShutdownSignals(QObject* parent = nullptr);
  ~ShutdownSignals() override;
  // Whether requests can arrive.
  bool Active() const { return notifier_ != nullptr; }

 signals:
  void Requested();

 private:
  std::unique_ptr<platform::EndRequestSource> source_;
  std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace orvane::ui
