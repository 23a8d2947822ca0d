#include "platform/linux/helper/Dnsmasq.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <grp.h>
#include <linux/capability.h>
#include <pwd.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
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
// How long the server is looked for every millisecond: on an idle machine it binds its sockets
// about 10 ms after it is started.
constexpr auto kEagerLooks = 200ms;
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

// Capabilities dnsmasq needs: binding the DNS and DHCP ports, and answering clients without an
// address (raw sockets, the ARP table).
constexpr int kServerCapabilities[] = {CAP_NET_BIND_SERVICE, CAP_NET_ADMIN, CAP_NET_RAW};

// In the child: becomes the server account, keeping only kServerCapabilities, handed on to
// dnsmasq as ambient ones (it is no longer root, so exec would drop them otherwise). Nothing
// it runs can gain more, and a fault in it owns no root file.
bool BecomeServerAccount(const ServerAccount& account) {
  for (int capability = 0; capability < 64; ++capability) {
    bool needed = false;
    for (int kept : kServerCapabilities) needed = needed || capability == kept;
    if (!needed && prctl(PR_CAPBSET_DROP, capability, 0, 0, 0) != 0 && errno != EINVAL)
      return false;
  }
  if (prctl(PR_SET_KEEPCAPS, 1, 0, 0, 0) != 0 || setgroups(0, nullptr) != 0 ||
      setresgid(account.gid, account.gid, account.gid) != 0 ||
      setresuid(account.uid, account.uid, account.uid) != 0) {
    return false;
  }
  __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
  __user_cap_data_struct data[2]{};
  for (int capability : kServerCapabilities) {
    data[capability / 32].effective |= 1u << (capability % 32);
    data[capability / 32].permitted |= 1u << (capability % 32);
    data[capability / 32].inheritable |= 1u << (capability % 32);
  }
  if (syscall(SYS_capset, &header, data) != 0) return false;
  for (int capability : kServerCapabilities)
    if (prctl(PR_CAP_AMBIENT, PR_CAP_AMBIENT_RAISE, capability, 0, 0) != 0) return false;
  return prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0;
}

// What a resolv.conf says is at most a few lines; more is not read.
constexpr std::size_t kMaxResolverFile = std::size_t{64} * 1024;
constexpr std::size_t kMaxUpstreams = 4;

std::string ReadSmallFile(const char* path) {
  std::ifstream file(path, std::ios::binary);
  std::string text(kMaxResolverFile, '\0');
  file.read(text.data(), static_cast<std::streamsize>(text.size()));
  text.resize(static_cast<std::size_t>(file.gcount()));
  return text;
}

// Created by the helper rather than by dnsmasq, so it is never readable by others whatever
// umask the helper was started with, and a link planted in its place is not followed.
bool PrivateLeaseFile(const std::string& path, const ServerAccount& account) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  struct stat info {};
  const bool sound = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_nlink == 1 &&
                     (info.st_uid == geteuid() || info.st_uid == account.uid) &&
                     fchown(fd, account.uid, account.gid) == 0 && fchmod(fd, 0600) == 0;
  close(fd);
  return sound;
}

std::string ReadProcText(pid_t pid, const char* entry) {
  std::ifstream file("/proc/" + std::to_string(pid) + "/" + entry, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

}  // namespace

ServerAccount DnsmasqAccount() {
  ServerAccount account;
  // Only a system account (below 1000) is used: a login user's files must not be its.
  if (const passwd* entry = getpwnam("dnsmasq");
      entry != nullptr && entry->pw_uid != 0 && entry->pw_uid < 1000) {
    account.uid = entry->pw_uid;
    account.gid = entry->pw_gid != 0 ? entry->pw_gid : account.gid;
  }
  return account;
}

std::vector<std::string> NameServersOf(const std::string& text) {
  std::vector<std::string> servers;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line) && servers.size() < kMaxUpstreams) {
    std::istringstream fields(line);
    std::string keyword, address;
    if (!(fields >> keyword >> address) || keyword != "nameserver") continue;
    in_addr v4{};
    in6_addr v6{};
    if (inet_pton(AF_INET, address.c_str(), &v4) == 1) {
      if ((ntohl(v4.s_addr) >> 24) == 127 || v4.s_addr == 0) continue;
    } else if (inet_pton(AF_INET6, address.c_str(), &v6) == 1) {
      // Loopback, unspecified and a v4-mapped loopback are the host itself; a link-local one
      // needs an interface this text cannot carry safely.
      if (IN6_IS_ADDR_LOOPBACK(&v6) || IN6_IS_ADDR_UNSPECIFIED(&v6) || IN6_IS_ADDR_LINKLOCAL(&v6) ||
          (IN6_IS_ADDR_V4MAPPED(&v6) && v6.s6_addr[12] == 127))
        continue;
    } else {
      continue;  // a scoped address, a name or garbage
    }
    if (std::find(servers.begin(), servers.end(), address) == servers.end())
      servers.push_back(address);
  }
  return servers;
}

std::vector<std::string> UpstreamNameServers() {
  // The host's own list first; behind a local stub, the lists the stub's owner keeps of the
  // real servers: systemd-resolved's, then NetworkManager's.
  for (const char* path : {"/etc/resolv.conf", "/run/systemd/resolve/resolv.conf",
                           "/run/NetworkManager/no-stub-resolv.conf"}) {
    std::vector<std::string> servers = NameServersOf(ReadSmallFile(path));
    if (!servers.empty()) return servers;
  }
  return {};
}

uint64_t ProcessStartTime(pid_t pid) {
  if (pid <= 0) return 0;
  const std::string text = ReadProcText(pid, "stat");
  // The name may hold anything, blanks and parentheses too: fields count from its end.
  const auto close = text.rfind(')');
  if (close == std::string::npos) return 0;
  std::istringstream fields(text.substr(close + 1));
  std::string field;
  // state is field 3 and starttime field 22 of the whole line.
  for (int number = 3; number < 22; ++number)
    if (!(fields >> field)) return 0;
  uint64_t start = 0;
  return fields >> start ? start : 0;
}

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
      "--dhcp-leasefile=" + plan.leaseFile,
      // The host's own names are nobody else's business, and neither is its resolver: only
      // the servers named here are asked, with names that are not for the Internet (no dot,
      // private address ranges) answered here or not at all.
      "--no-hosts",
      "--no-resolv",
      "--domain-needed",
      "--bogus-priv",
      // A client calling itself wpad or isatap would be what every other client's proxy and
      // tunnel discovery finds.
      "--dhcp-name-match=set:discovery,wpad",
      "--dhcp-name-match=set:discovery,isatap",
      "--dhcp-ignore-names=tag:discovery",
      "--dhcp-lease-max=" + std::to_string(kMaxLeases),
      "--bind-interfaces",
      "--except-interface=lo",
      "--interface=" + plan.interfaceName,
      "--dhcp-range=" + Ipv4Text(range.first) + "," + Ipv4Text(range.last) + "," +
          Ipv4Text(PrefixMask(plan.prefixLength)) + "," + kLeaseTime,
      "--dhcp-option=option:router," + gateway,
      "--dhcp-option=option:dns-server," + gateway,
  };
  for (const std::string& server : plan.upstreams) arguments.push_back("--server=" + server);
  if (plan.ownNetwork) {
    arguments.emplace_back("--no-ping");
    arguments.emplace_back("--dhcp-authoritative");
  }
  const ServerAccount account = DnsmasqAccount();
  if (!PrivateLeaseFile(plan.leaseFile, account)) {
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
    if (!BecomeServerAccount(account)) _exit(127);
    // After the change of user, which clears it: the kernel kills the server with the helper.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent) _exit(127);
    execv(argv[0], argv.data());
    _exit(127);
  }

  // dnsmasq tells nobody when its sockets are bound (a pid file would need a folder it may
  // write, its log a reader kept for its lifetime), so its sockets are looked for: often at
  // first, when a guest is likely waiting and a look costs far less than the wait, then less.
  const auto started = std::chrono::steady_clock::now();
  const auto deadline = started + kStartTimeout;
  while (std::chrono::steady_clock::now() < deadline) {
    if (!DnsmasqRunning(pid)) {
      error = "dnsmasq did not start on " + plan.interfaceName;
      return -1;
    }
    if (ServesDhcp(pid)) return pid;
    std::this_thread::sleep_for(std::chrono::steady_clock::now() - started < kEagerLooks ? 1ms
                                                                                         : 10ms);
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

bool IsDnsmasqFor(const ServerProcess& process, const std::string& interfaceName) {
  const pid_t pid = process.pid;
  if (pid <= 0 || process.startTime == 0 || ProcessStartTime(pid) != process.startTime)
    return false;
  if (ReadProcText(pid, "comm") != "dnsmasq\n") return false;
  const std::string commandLine = ReadProcText(pid, "cmdline");
  const std::string wanted = "--interface=" + interfaceName;
  return commandLine.find(wanted + '\0') != std::string::npos;
}

}  // namespace orvane::platform::linux_backend
