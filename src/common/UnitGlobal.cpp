#include "UnitGlobal.h"

#include <filesystem>
#include <utility>

#include "Base64.h"
#include "IniText.h"
#include "SystemHelpers.h"
#include "TextFile.h"

namespace orvane {

namespace {

constexpr const char* kSection = "System";

ProductInfo& Current() {
  static ProductInfo info;
  return info;
}

}  // namespace

ProductInfo ReadProductInfo(const std::string& folder, ProductInfo current) {
  const auto encoded =
      ReadTextFile(std::filesystem::path(folder) / kProductInfoFileName, kMaxProductInfoFileSize);
  if (!encoded) return current;
  return ParseProductInfo(*encoded, std::move(current));
}

ProductInfo ParseProductInfo(std::string_view encoded, ProductInfo current) {
  const auto decoded = Base64Decode(encoded);
  if (!decoded) return current;

  const IniText ini(*decoded);
  if (auto name = ini.Read(kSection, "APPLICATION_NAME")) current.applicationName = *name;
  if (auto url = ini.Read(kSection, "PRODUCT_URL")) current.productURL = *url;
  return current;
}

const std::string& ApplicationName() {
  return Current().applicationName;
}
const std::string& ProductURL() {
  return Current().productURL;
}
const std::string& SupportAddress() {
  return Current().supportAddress;
}

void LoadProductInfo(const std::string& folder) {
  Current() = ReadProductInfo(folder, Current());
}

void LoadProductInfoBesideProgram(platform::ISystemInfo& system) {
  LoadProductInfo(FolderOf(system.ExecutablePath()));
}

}  // namespace orvane
