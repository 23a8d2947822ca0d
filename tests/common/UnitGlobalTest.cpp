#include "common/UnitGlobal.h"

#include <gtest/gtest.h>

#include "TempFolder.h"
#include "platform/sim/SimSystem.h"

namespace orvane {
namespace {

using testing::TempFolder;

// "[System]" CR LF "APPLICATION_NAME=Test"
constexpr const char* kTwoLines = "W1N5c3RlbV0NCkFQUExJQ0FUSU9OX05BTUU9VGVzdA==";
// A comment, an [Other] section with APPLICATION_NAME=Wrong, then [System] with
// "  APPLICATION_NAME =  Test  ", PRODUCT_URL=https://test.example/orvane and UNUSED=1.
constexpr const char* kLonger =
    "OyBwcm9kdWN0IGluZm9ybWF0aW9uDQoNCltPdGhlcl0NCkFQUExJQ0FUSU9OX05BTUU9V3JvbmcNCg0KW1N5c3RlbV"
    "0NCiAgQVBQTElDQVRJT05fTkFNRSA9ICBUZXN0ICANClBST0RVQ1RfVVJMPWh0dHBzOi8vdGVzdC5leGFtcGxlL29y"
    "dmFuZQ0KVU5VU0VEPTENCg==";

std::string InLines(const std::string& text, std::size_t width) {
  std::string lines;
  for (std::size_t i = 0; i < text.size(); i += width) lines += text.substr(i, width) + "\r\n";
  return lines;
}

ProductInfo ReadFrom(const TempFolder& folder) {
  return ReadProductInfo(folder.Folder(), {});
}

TEST(ProductInfo, BuiltInDefaultsAreComplete) {
  const ProductInfo defaults;
  EXPECT_EQ(defaults.applicationName, "Orvane");
  EXPECT_FALSE(defaults.productURL.empty());
  EXPECT_FALSE(defaults.supportAddress.empty());
}

TEST(ProductInfo, ApplicationNameFromTheFileKeepsTheDefaultURL) {
  TempFolder folder;
  folder.Write("update.dll", kTwoLines);
  const ProductInfo info = ReadFrom(folder);
  EXPECT_EQ(info.applicationName, "Test");
  EXPECT_EQ(info.productURL, ProductInfo{}.productURL);
  EXPECT_EQ(info.supportAddress, ProductInfo{}.supportAddress);
}

TEST(ProductInfo, TextSplitIntoLinesOfAnyLengthDecodesTheSame) {
  for (const std::size_t width : {76u, 5u}) {
    TempFolder folder;
    folder.Write("update.dll", InLines(kLonger, width));
    const ProductInfo info = ReadFrom(folder);
    EXPECT_EQ(info.applicationName, "Test") << width;
    EXPECT_EQ(info.productURL, "https://test.example/orvane") << width;
  }
}

TEST(ProductInfo, EmptyValueReplacesTheDefault) {
  TempFolder folder;
  folder.Write("update.dll",
               "W1N5c3RlbV0KQVBQTElDQVRJT05fTkFNRT0K");  // "[System]\nAPPLICATION_NAME=\n"
  EXPECT_EQ(ReadFrom(folder).applicationName, "");
}

TEST(ProductInfo, BadFilesLeaveTheDefaults) {
  const ProductInfo defaults;
  const auto expectDefaults = [&](const TempFolder& folder, const char* what) {
    const ProductInfo info = ReadFrom(folder);
    EXPECT_EQ(info.applicationName, defaults.applicationName) << what;
    EXPECT_EQ(info.productURL, defaults.productURL) << what;
  };

  TempFolder missing;
  expectDefaults(missing, "missing");

  TempFolder directory;
  std::filesystem::create_directory(directory.Path() / "update.dll");
  expectDefaults(directory, "unreadable");

  TempFolder oversized;  // well-formed content, padded past the limit with line breaks
  oversized.Write("update.dll",
                  std::string(kTwoLines) + std::string(kMaxProductInfoFileSize, '\n'));
  expectDefaults(oversized, "oversized");

  TempFolder plainText;
  plainText.Write("update.dll", "[System]\r\nAPPLICATION_NAME=Test\r\n");
  expectDefaults(plainText, "not Base64");

  TempFolder binary;
  std::string bytes;
  for (int i = 0; i < 4096; ++i) bytes.push_back(static_cast<char>(i * 7 % 256));
  binary.Write("update.dll", bytes);
  expectDefaults(binary, "binary");

  TempFolder noSection;
  noSection.Write("update.dll", "QVBQTElDQVRJT05fTkFNRT1UZXN0");  // "APPLICATION_NAME=Test"
  expectDefaults(noSection, "no System section");
}

TEST(ProductInfo, LoadProductInfoSetsTheProcessWideTexts) {
  TempFolder folder;
  folder.Write("update.dll", kLonger);
  const std::string support = SupportAddress();
  LoadProductInfo(folder.Folder());
  EXPECT_EQ(ApplicationName(), "Test");
  EXPECT_EQ(ProductURL(), "https://test.example/orvane");
  EXPECT_EQ(SupportAddress(), support);

  TempFolder empty;
  LoadProductInfo(empty.Folder());
  EXPECT_EQ(ApplicationName(), "Test") << "a missing file keeps what is there";
}

// Changes the process-wide texts; each test runs in a process of its own.
TEST(ProductInfo, IsReadBesideTheProgramNotWhereTheSettingsAre) {
  TempFolder program;
  TempFolder settings;
  // "[System]" CR LF "PRODUCT_URL=https://beside.example/"
  program.Write("update.dll", "W1N5c3RlbV0NClBST0RVQ1RfVVJMPWh0dHBzOi8vYmVzaWRlLmV4YW1wbGUv");
  // "[System]" CR LF "APPLICATION_NAME=Wrong"
  settings.Write("update.dll", "W1N5c3RlbV0NCkFQUExJQ0FUSU9OX05BTUU9V3JvbmcNCg==");
  sim::SimCallLog log;
  sim::SimSystem system(log);
  system.SetExecutablePath(program.Folder() + "orvane");
  system.SetSettingsFolder(settings.Folder());
  LoadProductInfoBesideProgram(system);
  EXPECT_EQ(ProductURL(), "https://beside.example/");
  EXPECT_NE(ApplicationName(), "Wrong");
}

}  // namespace
}  // namespace orvane
