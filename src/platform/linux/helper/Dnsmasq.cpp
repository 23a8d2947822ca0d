#include "platform/linux/helper/Dnsmasq.h"

#include <fcntl.h>
#include <linux/capability.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <thread>
#include <vector>

#include "platform/linux/Netlink.h"

namespace orvane::platform::linux_backend {
namespace {

using namespace std::chrono_literals;

constexpr const char* kCandidates[] = {"/usr/sbin/dnsmasq", "/usr/bin/dnsmasq", "/sbin/dnsmasq"};
constexpr auto kStartTimeout = 3s;
constexpr auto kStopTimeout = 2s;
// Short, so that a device that leaves without a word drops off the list of connected devices
// soon; clients renew at half-time, a few small packets every five minutes.
constexpr const char* kLeaseTime = "10m";

std::string FindDnsmasq() {
  for (const char* path : kCandidates)
    if (access(path, X_OK) == 0) return path;
  return {};
}

uint32_t ToNumber(const std::array<uint8_t, 4>& a) {
  return uint32_t{a[0]} << 24 | uint32_t{a[1]} << 16 | uint32_t{a[2]} << 8 | a[3];
}

std::array<uint8_t, 4> FromNumber(uint32_t n) {
  return {static_cast<uint8_t>(n >> 24), static_cast<uint8_t>(n >> 16),
          static_cast<uint8_t>(n >> 8), static_cast<uint8_t>(n)};
}

// Whether the process holds a UDP socket on the DHCP server port.
bool ServesDhcp(pid_t pid) {
  std::set<std::string> inodes;
  std::ifstream table("/proc/net/udp");
  std::string line;
  std::getline(table, line);  // header
  while (std::getline(table, line)) {
    std::istringstream fields(line);
    std::string column, local;
    fields >> column >> local;
    if (local.size() < 5 || local.compare(local.size() - 5, 5, ":0043") != 0) continue;
    for (int skip = 0; skip < 8; ++skip) fields >> column;  // on to the inode
    inodes.insert("socket:[" + column + "]");
  }
  if (inodes.empty()) return false;
  std::error_code error;
  // The process may end meanwhile: a failed step ends the walk instead of throwing.
  for (std::filesystem::directory_iterator entry("/proc/" + std::to_string(pid) + "/fd", error),
       end;
       !error && entry != end; entry.increment(error)) {
    std::error_code linkError;
    auto target = std::filesystem::read_symlink(entry->path(), linkError);
    if (!linkError && inodes.count(target.string()) != 0) return true;
  }
  return false;
}

// dnsmasq stays root, so that the kernel still ends it with the helper (a change of user
// would clear the parent-death signal). What root may do is cut down instead: of the
// capabilities only binding the DNS and DHCP ports, answering clients without an address (raw
// sockets, the ARP table) and the group reset dnsmasq makes at start are kept; no file access
// beyond root's own files, no modules, no ptrace, and nothing it runs can gain more.
bool KeepOnlyServerPrivileges() {
  for (int capability = 0; capability < 64; ++capability) {
    if (capability == CAP_NET_BIND_SERVICE || capability == CAP_NET_ADMIN ||
        capability == CAP_NET_RAW || capability == CAP_SETGID)
      continue;
    if (prctl(PR_CAPBSET_DROP, capability, 0, 0, 0) != 0 && errno != EINVAL) return false;
  }
  return prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0;
}

// Created by the helper rather than by dnsmasq, so it is never readable by others whatever
// umask the helper was started with, and a link planted in its place is not followed.
bool PrivateLeaseFile(const std::string& path) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  struct stat info {};
  const bool sound = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == geteuid() &&
                     fchmod(fd, 0600) == 0;
  close(fd);
  return sound;
}

std::string ReadProcText(pid_t pid, const char* entry) {
  std::ifstream file("/proc/" + std::to_string(pid) + "/" + entry, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

}  // namespace

LeaseRange LeaseRangeOf(const std::array<uint8_t, 4>& gateway, uint8_t prefixLength) {
  const uint32_t mask = ToNumber(PrefixMask(prefixLength));
  const uint32_t network = ToNumber(gateway) & mask;
  const uint32_t broadcast = network | ~mask;
  uint32_t first = network + 1;
  uint32_t last = broadcast - 1;
  if (prefixLength >= 31) return {FromNumber(1), FromNumber(0)};
  const uint32_t own = ToNumber(gateway);
  if (own == first) ++first;
  if (own == last) --last;
  return {FromNumber(first), FromNumber(last)};
}

pid_t StartDnsmasq(const DnsmasqPlan& plan, std::string& error) {
  const std::string program = FindDnsmasq();
  if (program.empty()) {
    error = "dnsmasq is not installed";
    return -1;
  }
  const LeaseRange range = LeaseRangeOf(plan.gateway, plan.prefixLength);
  if (ToNumber(range.first) > ToNumber(range.last)) {
    error = "the private network has no room for clients";
    return -1;
  }
  const std::string gateway = Ipv4Text(plan.gateway);
  std::vector<std::string> arguments = {
      program,
      "--keep-in-foreground",
      "--conf-file=/dev/null",
      "--pid-file",
      // Staying root keeps the parent-death signal, which a change of user or group clears.
      "--user=root",
      "--group=root",
      "--dhcp-leasefile=" + plan.leaseFile,
      // The host's own names are nobody else's business.
      "--no-hosts",
      "--bind-interfaces",
      "--except-interface=lo",
      "--interface=" + plan.interfaceName,
      "--dhcp-range=" + Ipv4Text(range.first) + "," + Ipv4Text(range.last) + "," +
          Ipv4Text(PrefixMask(plan.prefixLength)) + "," + kLeaseTime,
      "--dhcp-option=option:router," + gateway,
      "--dhcp-option=option:dns-server," + gateway,
  };
  if (plan.ownNetwork) {
    arguments.emplace_back("--no-ping");
    arguments.emplace_back("--dhcp-authoritative");
  }
  if (!PrivateLeaseFile(plan.leaseFile)) {
    error = "cannot create the lease file for " + plan.interfaceName;
    return -1;
  }
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);

  const pid_t parent = getpid();
  const pid_t pid = fork();
  if (pid < 0) {
    error = "cannot start dnsmasq";
    return -1;
  }
  if (pid == 0) {
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent) _exit(127);
    // Standard input and output are the program's connection: dnsmasq must neither hold it
    // nor write into it.
    int null = open("/dev/null", O_RDWR);
    if (null < 0 || dup2(null, STDIN_FILENO) < 0 || dup2(null, STDOUT_FILENO) < 0) _exit(127);
    // Nor any other descriptor of the helper (nftables, signals); kernels before close_range
    // get the slow way.
    if (close_range(3, ~0u, 0) != 0)
      for (long fd = 3, last = sysconf(_SC_OPEN_MAX); fd < last; ++fd) close(static_cast<int>(fd));
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    umask(077);
    if (!KeepOnlyServerPrivileges()) _exit(127);
    execv(argv[0], argv.data());
    _exit(127);
  }

  const auto deadline = std::chrono::steady_clock::now() + kStartTimeout;
  while (std::chrono::steady_clock::now() < deadline) {
    if (!DnsmasqRunning(pid)) {
      error = "dnsmasq did not start on " + plan.interfaceName;
      return -1;
    }
    if (ServesDhcp(pid)) return pid;
    std::this_thread::sleep_for(10ms);
  }
  StopDnsmasq(pid);
  error = "dnsmasq did not begin serving on " + plan.interfaceName;
  return -1;
}

void StopDnsmasq(pid_t pid) {
  if (pid <= 0) return;
  kill(pid, SIGTERM);
  const auto deadline = std::chrono::steady_clock::now() + kStopTimeout;
  while (std::chrono::steady_clock::now() < deadline) {
    if (waitpid(pid, nullptr, WNOHANG) != 0) return;
    std::this_thread::sleep_for(5ms);
  }
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
}

bool DnsmasqRunning(pid_t pid) {
  return pid > 0 && waitpid(pid, nullptr, WNOHANG) == 0;
}

bool IsDnsmasqFor(pid_t pid, const std::string& interfaceName) {
  if (pid <= 0) return false;
  if (ReadProcText(pid, "comm") != "dnsmasq\n") return false;
  const std::string commandLine = ReadProcText(pid, "cmdline");
  const std::string wanted = "--interface=" + interfaceName;
  return commandLine.find(wanted + '\0') != std::string::npos;
}

}  // namespace orvane::platform::linux_backend
