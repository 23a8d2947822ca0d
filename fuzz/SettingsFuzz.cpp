// The settings file as the program loads it at start and saves it again.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "FuzzCheck.h"
#include "common/Settings.h"

namespace {

namespace fs = std::filesystem;

bool operator==(const orvane::Settings& a, const orvane::Settings& b) {
  return a.AutoRun == b.AutoRun && a.CheckForUpdates == b.CheckForUpdates &&
         a.StartMinimized == b.StartMinimized && a.SourceGUID == b.SourceGUID &&
         a.DestGUID == b.DestGUID && a.SSID == b.SSID && a.Password == b.Password;
}

// In memory where the machine has such a folder: every run writes the file twice.
fs::path Base() {
  std::error_code error;
  return fs::is_directory("/dev/shm", error) ? fs::path("/dev/shm") : fs::temp_directory_path();
}

// One private folder for the whole run, removed at its end.
struct Folder {
  fs::path path = Base() / ("orvane-settings-fuzz-" + std::to_string(std::random_device{}()));
  Folder() { fs::create_directories(path); }
  ~Folder() {
    std::error_code error;
    fs::remove_all(path, error);
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static const Folder folder;
  const std::string name = folder.path.string() + "/";
  {
    std::ofstream file(folder.path / orvane::kSettingsFileName, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  const orvane::Settings loaded = orvane::LoadSettings(name, "Orvane");
  // What was loaded is saved unchanged and loads back the same.
  orvane::SaveSettings(name, loaded);
  FUZZ_CHECK(orvane::LoadSettings(name, "Orvane") == loaded);
  return 0;
}
