#pragma once

#include <functional>

namespace orvane {

// Runs the slow part of a command (it may wait on the system, or on a password question) off
// the window's thread, one job after another, and the rest back on the window's thread.
class IBackgroundRunner {
 public:
  virtual ~IBackgroundRunner() = default;
  // `work` runs on the worker; `done` runs afterwards on the window's thread, unless Stop came
  // first. Neither may throw.
  virtual void Run(std::function<void()> work, std::function<void()> done) = 0;
  // Waits for every job handed over; their `done` steps are dropped from then on.
  virtual void Stop() = 0;
};

}  // namespace orvane
