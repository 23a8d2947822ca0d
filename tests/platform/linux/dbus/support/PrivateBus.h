#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace orvane::test {

// A D-Bus daemon of the test's own standing in for the system bus: DBUS_SYSTEM_BUS_ADDRESS
// points at it while it lives. Started() is false where dbus-daemon cannot run.
class PrivateBus {
 public:
  PrivateBus();
  ~PrivateBus();
  PrivateBus(const PrivateBus&) = delete;
  PrivateBus& operator=(const PrivateBus&) = delete;

  bool Started() const { return started_; }
  const std::string& Address() const { return address_; }
  const std::string& Folder() const { return folder_; }

 private:
  std::string folder_;
  std::string address_;
  pid_t daemon_ = -1;
  bool started_ = false;
};

// Spawns a program with the given arguments; -1 when it cannot start.
pid_t Spawn(const std::string& program, const std::vector<std::string>& arguments,
            const std::string& logFile);
// Ends a spawned program and waits for it.
void Stop(pid_t& child);
// Runs a program to its end; its exit status, or -1 when it could not run.
int Run(const std::string& program, const std::vector<std::string>& arguments,
        const std::string& logFile);

}  // namespace orvane::test
