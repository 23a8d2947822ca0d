#pragma once

// A private D-Bus bus standing in for the system bus: its own dbus-daemon, announced through
// DBUS_SYSTEM_BUS_ADDRESS for as long as the object lives.

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

namespace orvane::testing {

class PrivateBus {
 public:
  PrivateBus() = default;
  PrivateBus(const PrivateBus&) = delete;
  PrivateBus& operator=(const PrivateBus&) = delete;

  ~PrivateBus() {
    unsetenv("DBUS_SYSTEM_BUS_ADDRESS");
    if (daemon_ > 0) {
      kill(daemon_, SIGTERM);
      waitpid(daemon_, nullptr, 0);
    }
    std::error_code error;
    std::filesystem::remove_all(folder_, error);
  }

  // Starts the daemon; empty on success, else why it could not.
  std::string Start() {
    using namespace std::chrono_literals;
    std::filesystem::create_directories(folder_);
    const std::string socket = folder_ + "/bus";
    std::ofstream(folder_ + "/bus.conf")
        << "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\" "
           "\"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
           "<busconfig><listen>unix:path="
        << socket
        << "</listen><auth>EXTERNAL</auth><policy context=\"default\">"
           "<allow send_destination=\"*\"/><allow receive_sender=\"*\"/><allow own=\"*\"/>"
           "<allow user=\"*\"/>"
           "</policy></busconfig>\n";
    const std::string config = "--config-file=" + folder_ + "/bus.conf";
    char* argv[] = {const_cast<char*>("dbus-daemon"), const_cast<char*>(config.c_str()),
                    const_cast<char*>("--nofork"), nullptr};
    if (posix_spawnp(&daemon_, "dbus-daemon", nullptr, nullptr, argv, environ) != 0) {
      daemon_ = -1;
      return "needs dbus-daemon for a private bus";
    }
    for (int i = 0; i < 200 && !std::filesystem::exists(socket); ++i)
      std::this_thread::sleep_for(10ms);
    if (!std::filesystem::exists(socket)) return "the private bus did not start";
    address_ = "unix:path=" + socket;
    setenv("DBUS_SYSTEM_BUS_ADDRESS", address_.c_str(), 1);
    return {};
  }

  const std::string& Address() const { return address_; }
  // A folder of the bus's own for other files of the test; removed with the bus.
  const std::string& Folder() const { return folder_; }

 private:
  std::string folder_ =
      (std::filesystem::temp_directory_path() / ("orvane-dbus-" + std::to_string(getpid())))
          .string();
  std::string address_;
  pid_t daemon_ = -1;
};

}  // namespace orvane::testing
