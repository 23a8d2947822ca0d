#pragma once

#include <sys/types.h>

#include <mutex>
#include <string>

#include "platform/SharingService.h"

namespace orvane::platform::linux_backend {

// The program's end of the privileged sharing helper. The helper is started on first need
// (directly when the program runs as root, through pkexec otherwise) and lives as long as this
// object: when its connection closes, it undoes all sharing and exits. Safe to use from several
// threads.
class SharingHelperClient {
 public:
  explicit SharingHelperClient(std::string helperPath);
  ~SharingHelperClient();
  SharingHelperClient(const SharingHelperClient&) = delete;
  SharingHelperClient& operator=(const SharingHelperClient&) = delete;

  // Sends "<verb> <interface>" and answers S_OK with the text after "ok", or a failure:
  // E_ACCESSDENIED when the helper could not be started with the privilege it needs.
  // Without start, a helper that is not running answers S_FALSE (nothing is shared), unless a
  // helper of this namespace died and left settings behind: then one starts to undo them.
  HResult Call(const std::string& verb, const std::string& interfaceName, bool start,
               std::string& answer);

 private:
  HResult StartLocked();
  void StopLocked();
  bool ReadLineLocked(std::string& line, int timeoutMs);
  bool RunningLocked();

  std::string helperPath_;
  std::mutex mutex_;
  pid_t pid_ = -1;
  int socket_ = -1;
  std::string pending_;
};

}  // namespace orvane::platform::linux_backend
