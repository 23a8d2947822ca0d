#include "gui/main/SharingRunner.h"

#include <utility>

namespace orvane::ui {

SharingRunner::SharingRunner(QObject* parent) : QObject(parent), worker_([this] { Loop(); }) {}

SharingRunner::~SharingRunner() {
  {
    std::lock_guard lock(mutex_);
    ending_ = true;
  }
  changed_.notify_all();
  worker_.join();
}

void SharingRunner::Run(std::function<void()> work, std::function<void()> done) {
  if (stopped_) return;
  auto job = [this, work = std::move(work), done = std::move(done)]() mutable {
    work();
    // Should the runner be gone by then, Qt drops the call.
    QMetaObject::invokeMethod(
        this,
        [this, done = std::move(done)] {
          if (!stopped_) done();
        },
        Qt::QueuedConnection);
  };
  {
    std::lock_guard lock(mutex_);
    jobs_.push_back(std::move(job));
  }
  changed_.notify_all();
}

void SharingRunner::Stop() {
  stopped_ = true;
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return jobs_.empty() && !running_; });
}

void SharingRunner::Loop() {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return ending_ || !jobs_.empty(); });
    if (jobs_.empty()) return;  // ending, with nothing left to do
    std::function<void()> job = std::move(jobs_.front());
    jobs_.pop_front();
    running_ = true;
    lock.unlock();
    job();
    lock.lock();
    running_ = false;
    changed_.notify_all();
  }
}

}  // namespace orvane::ui
