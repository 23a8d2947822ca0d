#include "app/ui/ShutdownSignals.h"

#include <QSocketNotifier>

#ifdef __linux__
#include <sys/socket.h>
#include <unistd.h>
#include <cerrno>
#include <csignal>

namespace {

// The signal handler may only write to a descriptor; the notifier reads the other end on the
// user-interface thread.
int pipeEnds[2] = {-1, -1};

// The write must neither block (a full socket already holds a wake-up) nor leave errno changed
// for the code the signal interrupted.
void OnSignal(int) {
  const int savedErrno = errno;
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = ::write(pipeEnds[0], &byte, 1);
  errno = savedErrno;
}

}  // namespace

namespace orvane::ui {

ShutdownSignals::ShutdownSignals(QObject* parent) : QObject(parent) {
  if (pipeEnds[0] >= 0 ||
      ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, pipeEnds) != 0) {
    return;
  }
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  if (::sigaction(SIGTERM, &action, nullptr) != 0 || ::sigaction(SIGINT, &action, nullptr) != 0) {
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
    pipeEnds[0] = pipeEnds[1] = -1;
    return;
  }
  notifier_ = std::make_unique<QSocketNotifier>(pipeEnds[1], QSocketNotifier::Read);
  connect(notifier_.get(), &QSocketNotifier::activated, this, &ShutdownSignals::Drain);
}

ShutdownSignals::~ShutdownSignals() {
  // Only the instance that installed the handlers takes them down.
  if (!notifier_) return;
  struct sigaction action {};
  action.sa_handler = SIG_DFL;
  sigemptyset(&action.sa_mask);
  ::sigaction(SIGTERM, &action, nullptr);
  ::sigaction(SIGINT, &action, nullptr);
  notifier_.reset();
  ::close(pipeEnds[0]);
  ::close(pipeEnds[1]);
  pipeEnds[0] = pipeEnds[1] = -1;
}

void ShutdownSignals::Drain() {
  char bytes[16];
  [[maybe_unused]] const ssize_t read = ::read(pipeEnds[1], bytes, sizeof bytes);
  emit Requested();
}

}  // namespace orvane::ui

#else

namespace orvane::ui {

ShutdownSignals::ShutdownSignals(QObject* parent) : QObject(parent) {}
ShutdownSignals::~ShutdownSignals() = default;
void ShutdownSignals::Drain() {}

}  // namespace orvane::ui

#endif
