// Identity, text and small system facts of the Linux backend (no privilege needed).

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "TestNamespace.h"
#include "platform/linux/InterfaceGuid.h"
#include "platform/linux/LinuxSystemInfo.h"
#include "platform/linux/XdgAutoRunStore.h"

namespace orvane::platform::linux_backend {
namespace {

TEST(InterfaceGuidTest, IsTheNameBasedUuidOfTheInterfaceName) {
  // Values from an independent UUID version 5 implementation with the same namespace: a
  // change here would orphan every saved source and destination.
  EXPECT_EQ(GuidText(InterfaceGuid("eth0")), "{19402CD5-F22B-5B32-A261-B9F719FF2736}");
  EXPECT_EQ(GuidText(InterfaceGuid("wlp2s0")), "{ED30DF26-DB64-5590-B35F-BB6B5B4A4763}");
  EXPECT_EQ(GuidText(InterfaceGuid("")), "{A9419767-B9EE-5C49-B2CC-81615DB16152}");
}

TEST(InterfaceGuidTest, StructAndTextAgree) {
  const Guid guid = InterfaceGuid("eth0");
  EXPECT_EQ(guid.data1, 0x19402CD5u);
  EXPECT_EQ(guid.data2, 0xF22Bu);
  EXPECT_EQ(guid.data3, 0x5B32u);
  EXPECT_EQ(guid.data4[0], 0xA2);
  EXPECT_EQ(guid.data4[7], 0x36);
  EXPECT_NE(InterfaceGuid("eth0"), InterfaceGuid("eth1"));
}

TEST(KernelReleaseTest, ReadsLeadingNumbersAndNeverReportsFivePointOne) {
  OsVersion version;
  ASSERT_TRUE(ParseKernelRelease("6.1.0-13-amd64", version));
  EXPECT_EQ(version.major, 6u);
  EXPECT_EQ(version.minor, 1u);
  EXPECT_EQ(version.build, 0u);
  ASSERT_TRUE(ParseKernelRelease("5.1.21", version));
  EXPECT_FALSE(version.major == 5 && version.minor == 1);
  ASSERT_TRUE(ParseKernelRelease("4", version));
  EXPECT_EQ(version.major, 4u);
  EXPECT_EQ(version.minor, 0u);
  EXPECT_FALSE(ParseKernelRelease("rc-kernel", version));
  EXPECT_FALSE(ParseKernelRelease("", version));
}

TEST(SystemInfoTest, VersionDataExistsOnlyForTheProgramItself) {
  LinuxSystemInfo system;
  const std::string own = system.ExecutablePath();
  ASSERT_FALSE(own.empty());
  const uint32_t size = system.GetFileVersionInfoSize(own);
  ASSERT_GT(size, 0u);
  std::vector<uint8_t> data;
  ASSERT_TRUE(system.GetFileVersionInfo(own, data));
  EXPECT_EQ(data.size(), size);
  FixedFileVersion version;
  ASSERT_TRUE(system.QueryFixedFileVersion(data, version));
  EXPECT_EQ(version.fileVersionMs, BuiltInVersion().fileVersionMs);
  EXPECT_EQ(version.fileVersionLs, BuiltInVersion().fileVersionLs);
  EXPECT_NE(version.fileVersionMs | version.fileVersionLs, 0u);

  EXPECT_EQ(system.GetFileVersionInfoSize("/bin/sh"), 0u);
  EXPECT_FALSE(system.GetFileVersionInfo("/bin/sh", data));
  EXPECT_EQ(system.GetFileVersionInfoSize("/no/such/file"), 0u);
  EXPECT_FALSE(system.QueryFixedFileVersion({1, 2, 3}, version));
  EXPECT_FALSE(system.QueryFixedFileVersion(std::vector<uint8_t>(12, 0), version));
}

TEST(SystemInfoTest, ErrorTextsAndOsVersion) {
  LinuxSystemInfo system;
  // Codes the backend never answers with read as the system's own texts.
  EXPECT_EQ(system.SystemErrorMessage(2), "No such file or directory");
  // The Win32 codes the backend answers with keep their own meaning.
  EXPECT_EQ(system.SystemErrorMessage(13), "The data is invalid.");
  EXPECT_NE(system.SystemErrorMessage(1060).find("service does not exist"), std::string::npos);
  EXPECT_NE(system.SystemErrorMessage(5), system.SystemErrorMessage(13));
  OsVersion version;
  ASSERT_TRUE(system.GetOsVersion(version));
  EXPECT_GE(version.major, 2u);
}

TEST(SettingsFolderTest, ProgramFolderWhenWritableElseXdgConfig) {
  test::TempFolder temp;
  namespace fs = std::filesystem;
  const fs::path programFolder = fs::path(temp.Path()) / "portable";
  fs::create_directories(programFolder);
  EXPECT_EQ(ChooseSettingsFolder((programFolder / "orvane").string(), nullptr, "/home/x"),
            programFolder.string() + "/");

  const std::string missingProgram = "/proc/no-such-folder/orvane";  // never writable
  const fs::path config = fs::path(temp.Path()) / "config";
  EXPECT_EQ(ChooseSettingsFolder(missingProgram, config.c_str(), "/home/x"),
            (config / "orvane").string() + "/");
  EXPECT_TRUE(fs::is_directory(config / "orvane"));

  // An installed program keeps its settings per user, even when root could write beside it.
  EXPECT_EQ(ChooseSettingsFolder("/usr/bin/orvane", config.c_str(), "/home/x"),
            (config / "orvane").string() + "/");

  // A relative XDG_CONFIG_HOME is ignored in favour of ~/.config.
  EXPECT_EQ(ChooseSettingsFolder(missingProgram, "relative/path", temp.Path()),
            (fs::path(temp.Path()) / ".config" / "orvane").string() + "/");
}

TEST(AutoRunStoreTest, WritesReplacesAndDeletesTheAutostartEntry) {
  test::TempFolder temp;
  const std::string folder = temp.Path() + "/autostart";
  XdgAutoRunStore store(folder);
  auto key = store.OpenRunKey();
  ASSERT_NE(key, nullptr);
  ASSERT_EQ(key->WriteString("Orvane", "/opt/orvane/orvane"), kRegistrySuccess);
  ASSERT_EQ(key->WriteString("Orvane", "\"/opt/my apps/orvane\""), kRegistrySuccess);

  std::ifstream file(folder + "/Orvane.desktop");
  std::string text(std::istreambuf_iterator<char>(file), {});
  EXPECT_NE(text.find("[Desktop Entry]\n"), std::string::npos);
  EXPECT_NE(text.find("Exec=\"/opt/my apps/orvane\"\n"), std::string::npos);
  EXPECT_EQ(text.find("/opt/orvane/orvane"), std::string::npos);

  EXPECT_EQ(key->DeleteValue("Orvane"), kRegistrySuccess);
  EXPECT_FALSE(std::filesystem::exists(folder + "/Orvane.desktop"));
  EXPECT_EQ(key->DeleteValue("Orvane"), kRegistryFileNotFound);
  EXPECT_NE(key->WriteString("../escape", "/bin/true"), kRegistrySuccess);
  EXPECT_FALSE(std::filesystem::exists(temp.Path() + "/escape.desktop"));
}

TEST(AutoRunStoreTest, ExecValueEscapesWhatTheDesktopRulesReserve) {
  EXPECT_EQ(DesktopExecValue("/usr/bin/orvane"), "\"/usr/bin/orvane\"");
  EXPECT_EQ(DesktopExecValue("/a b/100%/$x"), "\"/a b/100%%/\\\\$x\"");
  EXPECT_EQ(DesktopExecValue("/q\"uote"), "\"/q\\\\\"uote\"");
}

TEST(AutoRunStoreTest, UnusableFolderGivesNoKey) {
  test::TempFolder temp;
  const std::string blocker = temp.Path() + "/file";
  std::ofstream(blocker) << "not a folder";
  XdgAutoRunStore store(blocker + "/autostart");
  EXPECT_EQ(store.OpenRunKey(), nullptr);
}

}  // namespace
}  // namespace orvane::platform::linux_backend
