#include "platform/linux/SignalEndRequests.h"

#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

namespace orvane::platform::linux_backend {
namespace {

// The handler may only write to a descriptor; the event loop reads the other end.
int pipeEnds[2] = {-1, -1};

// The write must neither block (a full socket already holds a wake-up) nor leave errno changed
// for the code the signal interrupted.
void OnSignal(int) {
  const int savedErrno = errno;
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = ::write(pipeEnds[0], &byte, 1);
  errno = savedErrno;
}

bool SetHandlers(void (*handler)(int)) {
  struct sigaction action {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  return ::sigaction(SIGTERM, &action, nullptr) == 0 && ::sigaction(SIGINT, &action, nullptr) == 0;
}

void ClosePipe() {
  ::close(pipeEnds[0]);
  ::close(pipeEnds[1]);
  pipeEnds[0] = pipeEnds[1] = -1;
}

class SignalEndRequests : public EndRequestSource {
 public:
  ~SignalEndRequests() override {
    SetHandlers(SIG_DFL);
    ClosePipe();
  }
  int ReadableHandle() const override { return pipeEnds[1]; }
  void Acknowledge() override {
    char bytes[16];
    while (::read(pipeEnds[1], bytes, sizeof bytes) == static_cast<ssize_t>(sizeof bytes)) {
    }
  }
};

}  // namespace

std::unique_ptr<EndRequestSource> CreateSignalEndRequests() {
  if (pipeEnds[0] >= 0 ||
      ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, pipeEnds) != 0) {
    return nullptr;
  }
  if (!SetHandlers(OnSignal)) {
    SetHandlers(SIG_DFL);
    ClosePipe();
    return nullptr;
  }
  return std::make_unique<SignalEndRequests>();
}

}  // namespace orvane::platform::linux_backend
