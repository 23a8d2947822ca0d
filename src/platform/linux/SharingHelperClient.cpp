#include "platform/linux/SharingHelperClient.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "platform/linux/HelperTrust.h"
#include "platform/linux/SharingJournal.h"
#include "platform/linux/SharingProtocol.h"

namespace orvane::platform::linux_backend {
namespace {

constexpr auto kReplyTimeout = std::chrono::seconds(30);
constexpr auto kExitWait = std::chrono::seconds(5);
// pkexec's own exit codes: the password question was dismissed; not authorised, or no
// authentication agent to ask it.
constexpr int kExitDismissed = 126;
constexpr int kExitNotAuthorized = 127;

// The reason of this thread's last failed call, for the window to show.
thread_local std::string lastErrorText;

void Report(const std::string& text) {
  lastErrorText = text;
  std::fprintf(stderr, "orvane: sharing: %s\n", text.c_str());
}

bool SendAll(int socket, const std::string& text) {
  std::size_t sent = 0;
  while (sent < text.size()) {
    ssize_t n = send(socket, text.data() + sent, text.size() - sent, MSG_NOSIGNAL);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    sent += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

SharingHelperClient::SharingHelperClient(std::string helperPath, SharingHelperLaunch launch)
    : helperPath_(std::move(helperPath)), launch_(std::move(launch)) {}

SharingHelperClient::~SharingHelperClient() {
  std::lock_guard lock(mutex_);
  StopLocked();
  DrainLocked();
}

bool SharingHelperClient::RunningLocked() {
  if (pid_ <= 0) return false;
  int status = 0;
  if (waitpid(pid_, &status, WNOHANG) == 0) return true;
  // It ended on its own; the kernel took its table and the next helper undoes the rest.
  close(socket_);
  socket_ = -1;
  pid_ = -1;
  pending_.clear();
  return false;
}

HResult SharingHelperClient::StartLocked() {
  // The elevation tool gives root to whatever file it is pointed at: only a helper nobody else
  // can change is offered to it. Root runs the helper itself.
  const bool elevated = geteuid() != 0 || launch_.elevateAsRoot;
  if (elevated) {
    if (std::string problem = HelperTrustProblem(helperPath_); !problem.empty()) {
      Report(problem);
      return access(helperPath_.c_str(), F_OK) == 0 ? kHelperUntrusted : kHelperMissing;
    }
  }
  int ends[2];
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) return kEFail;
  int errors[2];
  // Only the program's end is non-blocking: the helper's writes must not fail for a full pipe.
  const bool piped = pipe2(errors, O_CLOEXEC) == 0;
  if (!piped || fcntl(errors[0], F_SETFL, O_NONBLOCK) != 0) {
    for (int fd : {ends[0], ends[1]}) close(fd);
    if (piped)
      for (int fd : {errors[0], errors[1]}) close(fd);
    return kEFail;
  }
  std::vector<std::string> arguments;
  if (elevated) arguments.push_back(launch_.elevationTool);
  arguments.push_back(helperPath_);
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, ends[1], STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&actions, ends[1], STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, errors[1], STDERR_FILENO);
  // The helper runs as root: none of the program's other descriptors go with it.
  posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
  pid_t pid = -1;
  int spawned = elevated ? posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ)
                         : posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(ends[1]);
  close(errors[1]);
  if (spawned != 0) {
    close(ends[0]);
    close(errors[0]);
    Report(elevated ? launch_.elevationTool + " (polkit) is not installed"
                    : "cannot run " + helperPath_);
    return elevated ? kElevationToolMissing : kHelperMissing;
  }
  pid_ = pid;
  socket_ = ends[0];
  errors_ = errors[0];

  std::string line;
  const Read read = ReadLineLocked(line, launch_.readyTimeout);
  if (read == Read::kLine && line == protocol::kReady) {
    close(errors_);  // the helper lets go of it before it says it is ready
    errors_ = -1;
    return kSOk;
  }
  const int status = StopLocked();
  std::string said = DrainLocked();
  if (read == Read::kTimedOut) {
    // Most likely a password question nobody answered; stopping the tool closed it.
    const std::string waited =
        std::to_string(std::chrono::ceil<std::chrono::seconds>(launch_.readyTimeout).count());
    if (elevated) {
      Report("the administrator's password was not given within " + waited + " s");
      return kRefusedByUser;
    }
    Report("the sharing helper was not ready within " + waited + " s");
    return kEFail;
  }
  Report(said.empty() ? "the sharing helper ended before it was ready" : said);
  if (!elevated || status < 0 || !WIFEXITED(status)) return kEFail;
  switch (WEXITSTATUS(status)) {
    case kExitDismissed:
      Report("the administrator's password was not given");
      return kRefusedByUser;
    case kExitNotAuthorized:
      if (said.find("authentication agent") != std::string::npos) return kNoAuthenticationAgent;
      return kEAccessDenied;
    default:
      return kEFail;
  }
}

std::string SharingHelperClient::DrainLocked() {
  std::string text;
  if (errors_ < 0) return text;
  char buffer[512];
  for (ssize_t got; (got = read(errors_, buffer, sizeof buffer)) > 0 && text.size() < 4096;)
    text.append(buffer, static_cast<std::size_t>(got));
  close(errors_);
  errors_ = -1;
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  return text;
}

int SharingHelperClient::StopLocked() {
  if (pid_ <= 0) return -1;
  close(socket_);  // the helper undoes everything and exits
  socket_ = -1;
  const auto deadline = std::chrono::steady_clock::now() + kExitWait;
  int status = -1;
  while (waitpid(pid_, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() >= deadline) {
      // A helper started through pkexec runs as root and cannot be killed from here; it still
      // ends once it has undone its work, and must then be reaped rather than left a zombie.
      if (kill(pid_, SIGKILL) == 0) {
        waitpid(pid_, &status, 0);
      } else {
        std::thread([pid = pid_] { waitpid(pid, nullptr, 0); }).detach();
        status = -1;
      }
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  pid_ = -1;
  pending_.clear();
  return status;
}

SharingHelperClient::Read SharingHelperClient::ReadLineLocked(std::string& line,
                                                              std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (auto end = pending_.find('\n'); end != std::string::npos) {
      line = pending_.substr(0, end);
      pending_.erase(0, end + 1);
      return Read::kLine;
    }
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return Read::kTimedOut;
    pollfd fd{socket_, POLLIN, 0};
    int ready = poll(&fd, 1, static_cast<int>(left.count()));
    if (ready < 0 && errno == EINTR) continue;
    if (ready == 0) return Read::kTimedOut;
    if (ready < 0) return Read::kClosed;
    char buffer[256];
    ssize_t got = recv(socket_, buffer, sizeof buffer, 0);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return Read::kClosed;
    pending_.append(buffer, static_cast<std::size_t>(got));
  }
}

std::string SharingHelperClient::LastErrorText() {
  return lastErrorText;
}

HResult SharingHelperClient::Call(const std::string& verb, const std::string& interfaceName,
                                  bool start, std::string& answer) {
  std::lock_guard lock(mutex_);
  answer.clear();
  lastErrorText.clear();
  if (!RunningLocked()) {
    // A helper that died left settings behind that only a new helper can undo.
    const bool leftovers =
        SharingJournal(kJournalFolder, NetworkNamespaceId(), static_cast<int>(getpid()))
            .HasOrphans();
    if (!start && !leftovers) return kSFalse;
    if (HResult hr = StartLocked(); Failed(hr)) return hr;
  }
  std::string line;
  if (!SendAll(socket_, verb + " " + interfaceName + "\n") ||
      ReadLineLocked(line, kReplyTimeout) != Read::kLine) {
    StopLocked();  // a helper that stops answering is of no use; a new one starts next time
    Report("the sharing helper stopped answering");
    return kEFail;
  }
  const std::string ok = protocol::kOk;
  if (line == ok) return kSOk;
  if (line.rfind(ok + " ", 0) == 0) {
    answer = line.substr(ok.size() + 1);
    return kSOk;
  }
  // "error <hresult> <text>": the text is the reason, passed on as it is, so that a new refusal
  // of the helper reaches the window without any change here.
  answer = line;
  std::fprintf(stderr, "orvane: sharing: %s %s: %s\n", verb.c_str(), interfaceName.c_str(),
               line.c_str());
  HResult result = kEFail;
  std::string reason = line;
  const std::string error = protocol::kError;
  if (line.rfind(error + " ", 0) == 0) {
    char* end = nullptr;
    unsigned long code = std::strtoul(line.c_str() + error.size() + 1, &end, 16);
    if (end != nullptr && *end == ' ') {
      if (Failed(static_cast<HResult>(code))) result = static_cast<HResult>(code);
      reason = end + 1;
    }
  }
  lastErrorText = reason;
  // The kernel keeps a table owned by another helper from this one: say who is in the way
  // rather than what nftables answered.
  if (verb != protocol::kDisable &&
      SharingJournal(kJournalFolder, NetworkNamespaceId(), static_cast<int>(pid_))
          .OtherHelperSharing())
    return kSharedByAnother;
  return result;
}

}  // namespace orvane::platform::linux_backend
