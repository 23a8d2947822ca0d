#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "SimCallLog.h"
#include "platform/AutoRunStore.h"

namespace orvane::sim {

// The simulated Run key: value names (matched without regard to case) and their data. Calls
// are recorded as "OpenRunKey", "WriteString <name> <data>", "DeleteValue <name>" and, when an
// opened key is released, "CloseRunKey". A failed "OpenRunKey" answers no key; a failed write
// or delete answers the scripted code and changes nothing. Keys must be released before the
// store is destroyed.
class SimAutoRun : public platform::IAutoRunStore {
 public:
  explicit SimAutoRun(SimCallLog& log);

  // When false, OpenRunKey answers no key (as for a user without rights on the key).
  void SetOpenable(bool openable) { openable_ = openable; }
  void SetValue(const std::string& name, const std::string& data);

  std::optional<std::string> Value(const std::string& name) const;
  std::size_t ValueCount() const { return values_.size(); }
  int OpenKeyCount() const { return openKeys_; }

  std::unique_ptr<platform::IRunKey> OpenRunKey() override;

 private:
  class Key;
  struct CaseInsensitiveLess {
    bool operator()(const std::string& a, const std::string& b) const;
  };

  SimCallLog& log_;
  bool openable_ = true;
  int openKeys_ = 0;
  std::map<std::string, std::string, CaseInsensitiveLess> values_;
};

}  // namespace orvane::sim
