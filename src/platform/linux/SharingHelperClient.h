#pragma once

#include <sys/types.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>

#include "platform/SharingService.h"

namespace orvane::platform::linux_backend {

// Why the helper could not be started: the codes of SharingService.h. pkexec refused for
// another reason (not authorised): kEAccessDenied; not installed: kElevationToolMissing.

// How the helper is started. The program always uses the defaults; tests put stand-ins here.
struct SharingHelperLaunch {
  // Gives the helper root when the program lacks it; looked up on PATH.
  std::string elevationTool = "pkexec";
  // How long the helper may take to say it is ready: long enough for a person to answer the
  // password question.
  std::chrono::milliseconds readyTimeout{120'000};
  // Goes through the elevation tool, with its trust check, even when the program runs as root.
  bool elevateAsRoot = false;
};

// The program's end of the privileged sharing helper. The helper is started on first need
// (directly when the program runs as root, through pkexec otherwise) and lives as long as this
// object: when its connection closes, it undoes all sharing and exits. Safe to use from several
// threads.
class SharingHelperClient {
 public:
  explicit SharingHelperClient(std::string helperPath, SharingHelperLaunch launch = {});
  ~SharingHelperClient();
  SharingHelperClient(const SharingHelperClient&) = delete;
  SharingHelperClient& operator=(const SharingHelperClient&) = delete;

  // Sends "<verb> <interface>" and answers S_OK with the text after "ok", or a failure: one of
  // the start failures, or the helper's own code. The reason goes to LastErrorText of the
  // calling thread (and to standard error, for whoever started the program from a terminal).
  // Without start, a helper that is not running answers S_FALSE (nothing is shared), unless a
  // helper of this namespace died and left settings behind: then one starts to undo them.
  HResult Call(const std::string& verb, const std::string& interfaceName, bool start,
               std::string& answer);
  // Why the calling thread's last failed Call failed, in words: what the helper answered, what
  // pkexec said, or why the helper may not be run. Per thread, as the calls are.
  static std::string LastErrorText();

  // Whether a private side shared from now on lets its clients reach the local network; off
  // unless set.
  void SetGuestsReachLocalNetwork(bool allowed) { guestsReachLocalNetwork_ = allowed; }
  bool GuestsReachLocalNetwork() const { return guestsReachLocalNetwork_; }

 private:
  HResult StartLocked();
  // Answers how the helper ended (a waitpid status), -1 when it had to be left running.
  int StopLocked();
  // What the helper (or pkexec) wrote to its standard error before it was ready; closes it.
  std::string DrainLocked();
  enum class Read { kLine, kClosed, kTimedOut };
  Read ReadLineLocked(std::string& line, std::chrono::milliseconds timeout);
  bool RunningLocked();

  std::string helperPath_;
  SharingHelperLaunch launch_;
  std::mutex mutex_;
  pid_t pid_ = -1;
  int socket_ = -1;
  std::string pending_;
  int errors_ = -1;  // the helper's standard error until it is ready
  std::atomic<bool> guestsReachLocalNetwork_{false};
};

}  // namespace orvane::platform::linux_backend
