#include "SimAutoRun.h"

#include <algorithm>

namespace orvane::sim {

namespace {

char FoldCase(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool SimAutoRun::CaseInsensitiveLess::operator()(const std::string& a, const std::string& b) const {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char x, char y) { return FoldCase(x) < FoldCase(y); });
}

class SimAutoRun::Key : public platform::IRunKey {
 public:
  explicit Key(SimAutoRun& store) : store_(store) { ++store_.openKeys_; }
  ~Key() override {
    store_.log_.Record("CloseRunKey");
    --store_.openKeys_;
  }
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;

  int32_t WriteString(const std::string& name, const std::string& data) override {
    if (const auto code = store_.log_.Record("WriteString " + name + " " + data)) {
      return static_cast<int32_t>(*code);
    }
    store_.values_[name] = data;
    return platform::kRegistrySuccess;
  }

  int32_t DeleteValue(const std::string& name) override {
    if (const auto code = store_.log_.Record("DeleteValue " + name)) {
      return static_cast<int32_t>(*code);
    }
    return store_.values_.erase(name) > 0 ? platform::kRegistrySuccess
                                          : platform::kRegistryFileNotFound;
  }

 private:
  SimAutoRun& store_;
};

SimAutoRun::SimAutoRun(SimCallLog& log) : log_(log) {}

void SimAutoRun::SetValue(const std::string& name, const std::string& data) {
  values_[name] = data;
}

std::optional<std::string> SimAutoRun::Value(const std::string& name) const {
  const auto value = values_.find(name);
  if (value == values_.end()) return std::nullopt;
  return value->second;
}

std::unique_ptr<platform::IRunKey> SimAutoRun::OpenRunKey() {
  if (log_.Record("OpenRunKey") || !openable_) return nullptr;
  return std::make_unique<Key>(*this);
}

}  // namespace orvane::sim
