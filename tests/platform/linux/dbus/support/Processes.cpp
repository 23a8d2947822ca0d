#include "support/Processes.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

namespace orvane::testing {

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

}  // namespace orvane::testing
