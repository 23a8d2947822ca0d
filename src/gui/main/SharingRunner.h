#pragma once

#include <QObject>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

#include "app/BackgroundRunner.h"

namespace orvane::ui {

// One worker thread for the commands that wait on the system (sharing, the own network, a
// password question), so that the window keeps repainting; each job's end runs back on the
// window's thread through the event loop.
class SharingRunner : public QObject, public IBackgroundRunner {
  Q_OBJECT
 public:
  explicit SharingRunner(QObject* parent = nullptr);
  ~SharingRunner() override;

  void Run(std::function<void()> work, std::function<void()> done) override;
  void Stop() override;

 private:
  void Loop();

  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::function<void()>> jobs_;
  bool running_ = false;  // the worker is inside a job
  bool ending_ = false;
  bool stopped_ = false;  // read on the window's thread only
  std::thread worker_;
};

}  // namespace orvane::ui
