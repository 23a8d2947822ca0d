#include "SimCallLog.h"

#include <algorithm>

namespace orvane::sim {

std::string SimCallLog::NameOf(const std::string& call) {
  return call.substr(0, call.find(' '));
}

std::optional<int64_t> SimCallLog::Record(const std::string& call) {
  std::lock_guard lock(mutex_);
  calls_.push_back(call);
  const std::string name = NameOf(call);
  for (auto& rule : rules_) {
    if (rule.times == 0 || (rule.pattern != call && rule.pattern != name)) continue;
    if (rule.skip > 0) {
      --rule.skip;
      continue;
    }
    if (rule.times > 0) --rule.times;
    return rule.code;
  }
  return std::nullopt;
}

void SimCallLog::FailCall(const std::string& pattern, int64_t code, int times, int after) {
  std::lock_guard lock(mutex_);
  rules_.push_back({pattern, code, times, after});
}

void SimCallLog::ClearFailures() {
  std::lock_guard lock(mutex_);
  rules_.clear();
}

std::vector<std::string> SimCallLog::Calls() const {
  std::lock_guard lock(mutex_);
  return calls_;
}

std::vector<std::string> SimCallLog::CallsNamed(const std::string& name) const {
  std::lock_guard lock(mutex_);
  std::vector<std::string> named;
  std::copy_if(calls_.begin(), calls_.end(), std::back_inserter(named),
               [&](const std::string& call) { return NameOf(call) == name; });
  return named;
}

std::size_t SimCallLog::Count(const std::string& name) const {
  return CallsNamed(name).size();
}

void SimCallLog::ClearCalls() {
  std::lock_guard lock(mutex_);
  calls_.clear();
}

}  // namespace orvane::sim
