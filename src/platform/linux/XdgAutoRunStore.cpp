#include "platform/linux/XdgAutoRunStore.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace orvane::platform::linux_backend {
namespace {

namespace fs = std::filesystem;

constexpr int32_t kErrorAccessDenied = 5;
constexpr int32_t kErrorWriteFault = 29;
constexpr int32_t kErrorInvalidName = 123;

int32_t CodeOf(const std::error_code& error) {
  if (error == std::errc::permission_denied || error == std::errc::operation_not_permitted ||
      error == std::errc::read_only_file_system) {
    return kErrorAccessDenied;
  }
  if (error == std::errc::no_such_file_or_directory) return kRegistryFileNotFound;
  return kErrorWriteFault;
}

// A value name becomes a file name: nothing that leaves the folder or hides the file.
bool ValidValueName(const std::string& name) {
  return !name.empty() && name.find('/') == std::string::npos &&
         name.find('\0') == std::string::npos && name.front() != '.';
}

// Newlines would end the key=value line early.
std::string OneLine(std::string text) {
  for (char& c : text)
    if (c == '\n' || c == '\r') c = ' ';
  return text;
}

class AutostartFolder : public IRunKey {
 public:
  explicit AutostartFolder(fs::path folder) : folder_(std::move(folder)) {}

  int32_t WriteString(const std::string& name, const std::string& data) override {
    if (!ValidValueName(name)) return kErrorInvalidName;
    const fs::path target = folder_ / (name + ".desktop");
    const fs::path temporary = folder_ / ("." + name + ".desktop.new");
    {
      std::ofstream file(temporary, std::ios::trunc);
      file << "[Desktop Entry]\n"
           << "Type=Application\n"
           << "Name=" << OneLine(name) << "\n"
           << "Exec=" << DesktopExecValue(OneLine(data)) << "\n"
           << "X-GNOME-Autostart-enabled=true\n";
      file.flush();
      if (!file) {
        std::error_code removeError;
        fs::remove(temporary, removeError);
        return kErrorWriteFault;
      }
    }
    std::error_code error;
    fs::rename(temporary, target, error);  // a reader sees the old entry or the new one
    if (error) {
      std::error_code removeError;
      fs::remove(temporary, removeError);
      return CodeOf(error);
    }
    return kRegistrySuccess;
  }

  int32_t DeleteValue(const std::string& name) override {
    if (!ValidValueName(name)) return kRegistryFileNotFound;
    std::error_code error;
    if (fs::remove(folder_ / (name + ".desktop"), error)) return kRegistrySuccess;
    return error ? CodeOf(error) : kRegistryFileNotFound;
  }

 private:
  fs::path folder_;
};

fs::path DefaultFolder() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config != nullptr && config[0] == '/') return fs::path(config) / "autostart";
  const char* home = std::getenv("HOME");
  if (home == nullptr || home[0] == '\0') return {};
  return fs::path(home) / ".config" / "autostart";
}

}  // namespace

std::string DesktopExecValue(const std::string& command) {
  const bool wrapped = command.size() >= 2 && command.front() == '"' && command.back() == '"';
  const std::string programPath = wrapped ? command.substr(1, command.size() - 2) : command;
  // Inside the quotes, ", `, $ and \ are escaped with a backslash; then the value itself
  // escapes every backslash once more, and % stands for field codes.
  std::string quoted = "\"";
  for (char c : programPath) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
    quoted += c;
  }
  quoted += '"';
  std::string value;
  for (char c : quoted) {
    if (c == '\\') {
      value += "\\\\";
    } else if (c == '%') {
      value += "%%";
    } else {
      value += c;
    }
  }
  return value;
}

std::unique_ptr<IRunKey> XdgAutoRunStore::OpenRunKey() {
  const fs::path folder = folder_.empty() ? DefaultFolder() : fs::path(folder_);
  if (folder.empty()) return nullptr;
  std::error_code error;
  fs::create_directories(folder, error);
  if (error || !fs::is_directory(folder, error)) return nullptr;
  return std::make_unique<AutostartFolder>(folder);
}

}  // namespace orvane::platform::linux_backend
