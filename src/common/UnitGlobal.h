#pragma once

#include <string>
#include <string_view>

#include "platform/SystemInfo.h"

namespace orvane {

// The texts that name the product and its addresses.
struct ProductInfo {
  std::string applicationName = "Orvane";
  std::string productURL = "https://orvane.org/";
  std::string supportAddress = "support@orvane.org";
};

// The product information side file's name and the largest size it may have; a larger file is
// ignored rather than read into memory.
inline constexpr const char* kProductInfoFileName = "update.dll";
inline constexpr std::size_t kMaxProductInfoFileSize = std::size_t{64} * 1024;

// current with the application name and product web page replaced from "update.dll" in folder
// (a folder with trailing separator). A missing, unreadable, oversized or non-Base64 file, or
// one without the keys, leaves current as it is; a key present with an empty value counts.
ProductInfo ReadProductInfo(const std::string& folder, ProductInfo current);
// The same for the file's content already in memory.
ProductInfo ParseProductInfo(std::string_view encoded, ProductInfo current);

// The process-wide product information. LoadProductInfo runs once at start-up, before any
// window or thread exists; afterwards the texts are only read.
const std::string& ApplicationName();
const std::string& ProductURL();
const std::string& SupportAddress();
void LoadProductInfo(const std::string& folder);
// The same from the program file's own folder, wherever the settings are kept.
void LoadProductInfoBesideProgram(platform::ISystemInfo& system);

}  // namespace orvane
