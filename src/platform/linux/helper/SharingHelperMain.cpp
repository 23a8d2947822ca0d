// The privileged sharing helper. It reads commands on standard input and answers on standard
// output; when the program closes its end (or dies), it undoes all sharing and exits.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cstdio>
#include <exception>
#include <string>
#include <utility>
#include <variant>

#include "platform/SharingService.h"
#include "platform/linux/DeviceListText.h"
#include "platform/linux/SharingProtocol.h"
#include "platform/linux/helper/HelperRequest.h"
#include "platform/linux/helper/SharingHelper.h"

namespace {

using namespace orvane::platform;
using namespace orvane::platform::linux_backend;

// How soon an interface created anew gets its role back and a dead server is restarted, when
// the program asks nothing meanwhile.
constexpr int kRepairIntervalMs = 1000;

bool WriteLine(const std::string& line) {
  std::string text = line + "\n";
  const char* data = text.data();
  std::size_t left = text.size();
  while (left > 0) {
    ssize_t written = write(STDOUT_FILENO, data, left);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += written;
    left -= static_cast<std::size_t>(written);
  }
  return true;
}

std::string Failure(HResult result, std::string error) {
  for (char& c : error)
    if (c == '\n' || c == '\r') c = ' ';
  char code[16];
  std::snprintf(code, sizeof code, "%08X", static_cast<unsigned>(result));
  return std::string(protocol::kError) + " " + code + " " + error;
}

std::string Answer(SharingHelper& helper, const std::string& line) {
  auto parsed = ParseHelperRequest(line);
  std::string error;
  helper.Repair();  // every answer is about the machine as it is now
  if (auto* failure = std::get_if<std::string>(&parsed)) {
    error = std::move(*failure);
  } else {
    const auto& request = std::get<HelperRequest>(parsed);
    switch (request.verb) {
      case HelperVerb::State:
        return std::string(protocol::kOk) + " " + helper.Role(request.interfaceName);
      case HelperVerb::Devices: {
        if (std::string lost = helper.Lost(request.interfaceName); !lost.empty())
          return Failure(kSharedNetworkLost, lost);
        const std::string list = DeviceListText(helper.Devices(request.interfaceName));
        return list.empty() ? std::string(protocol::kOk) : std::string(protocol::kOk) + " " + list;
      }
      case HelperVerb::EnablePublic:
        error = helper.EnablePublic(request.interfaceName);
        break;
      case HelperVerb::EnablePrivate:
        error = helper.EnablePrivate(request.interfaceName);
        break;
      case HelperVerb::EnablePrivateWithLocalNetwork:
        error = helper.EnablePrivate(request.interfaceName, true);
        break;
      case HelperVerb::Disable:
        error = helper.Disable(request.interfaceName);
        break;
    }
  }
  if (error.empty()) return protocol::kOk;
  return Failure(kEFail, std::move(error));
}

}  // namespace

int main() {
  signal(SIGPIPE, SIG_IGN);
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGTERM);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGHUP);
  sigprocmask(SIG_BLOCK, &stopSignals, nullptr);
  const int signalFd = signalfd(-1, &stopSignals, SFD_CLOEXEC);
  // Without the descriptor the signals would stay blocked and the helper could not be stopped.
  if (signalFd < 0) sigprocmask(SIG_UNBLOCK, &stopSignals, nullptr);

  try {
    SharingHelper helper(kJournalFolder);
    helper.Recover();
    // Standard error is the program's until the helper is ready; it stops reading it then, and
    // neither the helper nor its servers may block on it.
    if (const int null = open("/dev/null", O_WRONLY | O_CLOEXEC); null >= 0) {
      dup2(null, STDERR_FILENO);
      close(null);
    }
    if (!WriteLine(protocol::kReady)) return 1;

    std::string pending;
    char buffer[512];
    for (;;) {
      pollfd fds[2] = {{STDIN_FILENO, POLLIN, 0}, {signalFd, POLLIN, 0}};
      const int ready = poll(fds, signalFd >= 0 ? 2 : 1, kRepairIntervalMs);
      if (ready < 0) {
        if (errno == EINTR) continue;
        break;
      }
      if (ready == 0) {
        helper.Repair();
        continue;
      }
      if (signalFd >= 0 && (fds[1].revents & POLLIN) != 0) break;
      ssize_t got = read(STDIN_FILENO, buffer, sizeof buffer);
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) break;  // the program is gone
      pending.append(buffer, static_cast<std::size_t>(got));
      for (auto end = pending.find('\n'); end != std::string::npos; end = pending.find('\n')) {
        std::string line = pending.substr(0, end);
        pending.erase(0, end + 1);
        if (!WriteLine(Answer(helper, line))) return 0;  // helper's destructor undoes all
      }
      if (pending.size() > 4096) break;  // not our program talking
    }
    return 0;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "orvane-sharing-helper: %s\n", error.what());
    return 1;
  }
}
