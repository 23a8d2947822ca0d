#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace orvane::sim {

// The simulated machine's record of the calls made on it, and its script of failures.
// A call is recorded as one line: its name, then its arguments separated by blanks
// ("EnableSharing {GUID} 0"). A failure rule matches a call when its pattern equals the
// whole line or the call's name alone. Safe to use from several threads.
class SimCallLog {
 public:
  static constexpr int kAlways = -1;

  // Records the call; answers the code of the first matching failure rule, if any, and uses
  // up one of that rule's times.
  std::optional<int64_t> Record(const std::string& call);

  // Makes matching calls fail with code; times = kAlways for every call, else that many,
  // after skipping the first `after` matching calls.
  void FailCall(const std::string& pattern, int64_t code, int times = kAlways, int after = 0);
  void ClearFailures();

  std::vector<std::string> Calls() const;
  // Only the calls with this name, whole lines, in order.
  std::vector<std::string> CallsNamed(const std::string& name) const;
  std::size_t Count(const std::string& name) const;
  void ClearCalls();

 private:
  struct Rule {
    std::string pattern;
    int64_t code;
    int times;
    int skip;
  };

  static std::string NameOf(const std::string& call);

  mutable std::mutex mutex_;
  std::vector<std::string> calls_;
  std::vector<Rule> rules_;
};

}  // namespace orvane::sim
