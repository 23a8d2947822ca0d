#pragma once

#include <string>

#include "platform/AutoRunStore.h"

namespace orvane::platform::linux_backend {

// Programs started with the desktop session: one XDG autostart entry per value,
// "<folder>/<value name>.desktop", whose Exec line starts the value's data.
class XdgAutoRunStore : public IAutoRunStore {
 public:
  // folder empty: $XDG_CONFIG_HOME/autostart (default ~/.config/autostart).
  explicit XdgAutoRunStore(std::string folder = {}) : folder_(std::move(folder)) {}
  std::unique_ptr<IRunKey> OpenRunKey() override;

 private:
  std::string folder_;
};

// The Exec value for a Run-key command (a program path, in double quotes when it has a blank):
// the path alone, quoted and escaped as the desktop entry rules ask.
std::string DesktopExecValue(const std::string& command);

}  // namespace orvane::platform::linux_backend
