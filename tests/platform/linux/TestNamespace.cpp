#include "TestNamespace.h"

#include <fcntl.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace orvane::test {
namespace {

std::atomic<int> counter{0};

std::string Quote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

std::string Capture(const std::string& command) {
  std::string output;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    std::array<char, 4096> buffer{};
    std::size_t got;
    while ((got = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
      output.append(buffer.data(), got);
    pclose(pipe);
  }
  while (!output.empty() && output.back() == '\n') output.pop_back();
  return output;
}

}  // namespace

int Shell(const std::string& command) {
  int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string NamespaceSkipReason() {
  if (geteuid() != 0) return "needs root to create network namespaces";
  if (Shell("command -v ip >/dev/null 2>&1") != 0) return "needs iproute2 (ip)";
  const std::string probe = "orvprobe" + std::to_string(getpid());
  if (Shell("ip netns add " + probe + " >/dev/null 2>&1") != 0)
    return "this machine does not allow network namespaces";
  Shell("ip netns del " + probe + " >/dev/null 2>&1");
  return {};
}

TestNamespace::TestNamespace(const std::string& role)
    : name_("orv" + std::to_string(getpid()) + role + std::to_string(counter++)) {
  if (Shell("ip netns add " + name_) != 0)
    throw std::runtime_error("cannot create namespace " + name_);
  Run("ip link set lo up");
}

TestNamespace::~TestNamespace() {
  // Everything started inside goes with it (helpers, servers, DHCP clients).
  for (int round = 0; round < 3; ++round) {
    std::istringstream pids(Capture("ip netns pids " + name_ + " 2>/dev/null"));
    pid_t pid;
    bool any = false;
    while (pids >> pid) {
      if (pid == getpid()) continue;
      kill(pid, SIGKILL);
      any = true;
    }
    if (!any) break;
    usleep(50'000);
  }
  Shell("ip netns del " + name_ + " >/dev/null 2>&1");
}

int TestNamespace::Run(const std::string& command) const {
  return Shell("ip netns exec " + name_ + " sh -c " + Quote(command));
}

std::string TestNamespace::Output(const std::string& command) const {
  return Capture("ip netns exec " + name_ + " sh -c " + Quote(command));
}

void TestNamespace::Spawn(const std::string& command) {
  Shell("ip netns exec " + name_ + " sh -c " + Quote(command) + " >/dev/null 2>&1 &");
}

std::vector<pid_t> TestNamespace::Processes(const std::string& comm) const {
  std::vector<pid_t> found;
  std::istringstream pids(Capture("ip netns pids " + name_ + " 2>/dev/null"));
  pid_t pid;
  while (pids >> pid) {
    std::ifstream file("/proc/" + std::to_string(pid) + "/comm");
    std::string name;
    std::getline(file, name);
    if (name != comm) continue;
    // A zombie has let go of everything; only an init that does not reap keeps it listed.
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string statText;
    std::getline(stat, statText);
    const auto close = statText.rfind(')');
    if (close != std::string::npos && close + 2 < statText.size() && statText[close + 2] == 'Z')
      continue;
    found.push_back(pid);
  }
  return found;
}

bool EnterNetwork(const TestNamespace& space) {
  int target = open(("/run/netns/" + space.Name()).c_str(), O_RDONLY | O_CLOEXEC);
  if (target < 0) return false;
  const bool entered = setns(target, CLONE_NEWNET) == 0;
  close(target);
  return entered;
}

NamespaceEntry::NamespaceEntry(const TestNamespace& space) {
  originalNet_ = open("/proc/self/ns/net", O_RDONLY | O_CLOEXEC);
  originalMount_ = open("/proc/self/ns/mnt", O_RDONLY | O_CLOEXEC);
  // A half-entered thread would run every later test in the wrong namespace: undo on failure.
  if (!EnterNetwork(space)) {
    Restore();
    throw std::runtime_error("cannot enter namespace " + space.Name());
  }
  // sysfs shows the interfaces of the namespace it was mounted in: mount a fresh one privately.
  if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_SLAVE | MS_REC, nullptr) != 0 ||
      umount2("/sys", MNT_DETACH) != 0 ||
      mount(space.Name().c_str(), "/sys", "sysfs", 0, nullptr) != 0) {
    Restore();
    throw std::runtime_error("cannot mount sysfs for namespace " + space.Name());
  }
}

NamespaceEntry::~NamespaceEntry() {
  Restore();
}

void NamespaceEntry::Restore() {
  if (originalMount_ >= 0) setns(originalMount_, CLONE_NEWNS);
  if (originalNet_ >= 0) setns(originalNet_, CLONE_NEWNET);
  if (originalMount_ >= 0) close(originalMount_);
  if (originalNet_ >= 0) close(originalNet_);
  originalMount_ = originalNet_ = -1;
}

TempFolder::TempFolder(const std::string& base) {
  const std::filesystem::path folder =
      base.empty() ? std::filesystem::temp_directory_path() : std::filesystem::path(base);
  std::string pattern = (folder / "orvane-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a temp folder");
  path_ = pattern;
}

TempFolder::~TempFolder() {
  std::error_code error;
  std::filesystem::remove_all(path_, error);
}

}  // namespace orvane::test
