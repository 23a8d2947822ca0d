#include "PrivateBus.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

namespace orvane::test {

pid_t Spawn(const std::string& program, const std::vector<std::string>& arguments,
            const std::string& logFile) {
  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, logFile.c_str(), O_WRONLY | O_CREAT | O_APPEND,
                                   0600);
  posix_spawn_file_actions_adddup2(&actions, 1, 2);
  pid_t child = -1;
  const int result = posix_spawnp(&child, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  return result == 0 ? child : -1;
}

void Stop(pid_t& child) {
  if (child <= 0) return;
  kill(child, SIGTERM);
  waitpid(child, nullptr, 0);
  child = -1;
}

int Run(const std::string& program, const std::vector<std::string>& arguments,
        const std::string& logFile) {
  const pid_t child = Spawn(program, arguments, logFile);
  int status = 0;
  if (child <= 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

PrivateBus::PrivateBus()
    : folder_((std::filesystem::temp_directory_path() / ("orvane-dbus-" + std::to_string(getpid())))
                  .string()) {
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
  daemon_ = Spawn("dbus-daemon", {"--config-file=" + folder_ + "/bus.conf", "--nofork"},
                  folder_ + "/daemon.log");
  if (daemon_ <= 0) return;
  for (int i = 0; i < 200 && !std::filesystem::exists(socket); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  if (!std::filesystem::exists(socket)) return;
  address_ = "unix:path=" + socket;
  setenv("DBUS_SYSTEM_BUS_ADDRESS", address_.c_str(), 1);
  started_ = true;
}

PrivateBus::~PrivateBus() {
  unsetenv("DBUS_SYSTEM_BUS_ADDRESS");
  Stop(daemon_);
  std::error_code error;
  std::filesystem::remove_all(folder_, error);
}

}  // namespace orvane::test
