#include "common/Settings.h"

#include <gtest/gtest.h>

#include "RunUnprivileged.h"
#include "TempFolder.h"
#include "common/Errors.h"
#include "common/IniFile.h"

namespace orvane {
namespace {

using testing::RunAsOwnerWithoutPrivileges;
using testing::TempFolder;
namespace fs = std::filesystem;

TEST(Settings, FirstStartGivesTheDefaults) {
  TempFolder folder;
  const Settings settings = LoadSettings(folder.Folder(), "Orvane");
  EXPECT_FALSE(settings.AutoRun);
  EXPECT_FALSE(settings.CheckForUpdates);
  EXPECT_FALSE(settings.StartMinimized);
  EXPECT_FALSE(settings.GuestsReachLocalNetwork);  // guests reach the Internet only
  EXPECT_EQ(settings.SourceGUID, "");
  EXPECT_EQ(settings.DestGUID, "");
  EXPECT_EQ(settings.SSID, "Orvane");
  EXPECT_EQ(settings.Security, NetworkSecurity::Wpa2);
  EXPECT_EQ(LoadSettings(folder.Folder()).SSID, ApplicationName());
}

TEST(Settings, ANewInstallationGetsAKeyOfItsOwnThatTheFirstSaveKeeps) {
  TempFolder first;
  TempFolder second;
  const Settings one = LoadSettings(first.Folder(), "Orvane");
  const Settings other = LoadSettings(second.Folder(), "Orvane");
  ASSERT_EQ(one.Password.size(), kNewKeyLength);
  EXPECT_EQ(one.Password.find_first_not_of(kNewKeyAlphabet), std::string::npos) << one.Password;
  EXPECT_EQ(kNewKeyAlphabet.find_first_of("0Oo1Il"), std::string::npos) << "no look-alikes";
  EXPECT_NE(one.Password, other.Password);
  EXPECT_EQ(CheckNetworkKey(NetworkSecurity::Wpa2, one.Password), KeyProblem::None);
  EXPECT_FALSE(fs::exists(first.Path() / "setup.ini")) << "loading writes nothing";

  SaveSettings(first.Folder(), one);
  const Settings again = LoadSettings(first.Folder(), "Orvane");
  EXPECT_EQ(again.Password, one.Password);
  EXPECT_EQ(again.Security, NetworkSecurity::Wpa2);
}

TEST(Settings, SecurityFollowsTheFileAndAnOldWepKeyStaysWep) {
  struct Case {
    const char* file;
    NetworkSecurity expected;
  };
  const Case cases[] = {
      // Written before there was a choice: a WEP-length key is a WEP network.
      {"[System]\r\nPassword=12345\r\n", NetworkSecurity::Wep},
      {"[System]\r\nPassword= abcdefghijklm \r\n", NetworkSecurity::Wep},
      {"[System]\r\nPassword=longer key\r\n", NetworkSecurity::Wpa2},
      {"[System]\r\nPassword=12345\r\nSecurity=wpa2\r\n", NetworkSecurity::Wpa2},
      {"[System]\r\nPassword=longer key\r\nSecurity=WEP\r\n", NetworkSecurity::Wep},
      {"[System]\r\nPassword=12345\r\nSecurity=WPA9\r\n", NetworkSecurity::Wep},
      {"[System]\r\nPassword=\r\nSecurity=WEP\r\n", NetworkSecurity::Wpa2},
  };
  for (const Case& c : cases) {
    TempFolder folder;
    folder.Write("setup.ini", c.file);
    const Settings settings = LoadSettings(folder.Folder(), "Orvane");
    EXPECT_EQ(settings.Security, c.expected) << c.file;
    EXPECT_EQ(folder.Read("setup.ini"), c.file) << "left as it was until the settings are saved";
  }
}

TEST(Settings, AFreshlyWrittenFileIsForItsOwnerOnly) {
  TempFolder folder;
  SaveSettings(folder.Folder(), Settings{});
  const fs::perms perms = fs::status(folder.Path() / "setup.ini").permissions();
#ifdef _WIN32
  GTEST_SKIP() << "the file's access follows its folder's";
#endif
  EXPECT_EQ(perms & fs::perms::mask, fs::perms::owner_read | fs::perms::owner_write);
}

TEST(Settings, BooleansAreIntegersInAnyOfTheirForms) {
  TempFolder folder;
  folder.Write("setup.ini",
               "[System]\nAutoRun=2\nCheckForUpdates=0x10\nStartMinimized=$0\nSSID=Net\n");
  const Settings settings = LoadSettings(folder.Folder(), "Orvane");
  EXPECT_TRUE(settings.AutoRun);
  EXPECT_TRUE(settings.CheckForUpdates);
  EXPECT_FALSE(settings.StartMinimized);

  SaveSettings(folder.Folder(), settings);
  const IniFile saved(folder.Path() / "setup.ini");
  EXPECT_EQ(saved.ReadString("System", "AutoRun", ""), "1") << "written back as 1";
  EXPECT_EQ(saved.ReadString("System", "CheckForUpdates", ""), "1");
  EXPECT_EQ(saved.ReadString("System", "StartMinimized", ""), "0");
}

TEST(Settings, AWordIsNoIntegerAndGivesTheDefault) {
  TempFolder folder;
  folder.Write("setup.ini", "[System]\nAutoRun=yes\nStartMinimized=0X1\nCheckForUpdates=\n");
  EXPECT_FALSE(LoadSettings(folder.Folder(), "Orvane").AutoRun);

  // The store's defaults are all false, so show the fallback with a true default.
  const IniFile file(folder.Path() / "setup.ini");
  EXPECT_TRUE(file.ReadBool("System", "AutoRun", true));
  EXPECT_TRUE(file.ReadBool("System", "CheckForUpdates", true));
  EXPECT_TRUE(file.ReadBool("System", "StartMinimized", false));
}

TEST(Settings, QuotedValuesAreReadWithoutTheirQuotes) {
  TempFolder folder;
  folder.Write("setup.ini",
               "[System]\nPassword=\"12345\"\nSSID='Cafe net'\nAutoRun=\"1\"\n"
               "SourceGUID=\"{A}\nDestGUID=\"\n");
  const Settings settings = LoadSettings(folder.Folder(), "Orvane");
  EXPECT_EQ(settings.Password, "12345");
  EXPECT_EQ(settings.SSID, "Cafe net");
  EXPECT_TRUE(settings.AutoRun);
  // Unmatched quotes are part of the value.
  EXPECT_EQ(settings.SourceGUID, "\"{A}");
  EXPECT_EQ(settings.DestGUID, "\"");
}

TEST(Settings, AValueInItsOwnQuotesSurvivesSaveAndLoad) {
  TempFolder folder;
  Settings settings;
  settings.SSID = "\"quoted\"";
  settings.Password = "'abc'";
  SaveSettings(folder.Folder(), settings);
  const Settings loaded = LoadSettings(folder.Folder(), "Orvane");
  EXPECT_EQ(loaded.SSID, "\"quoted\"");
  EXPECT_EQ(loaded.Password, "'abc'");
}

TEST(Settings, SavesAllEightKeysInTheirOrder) {
  TempFolder folder;
  folder.Write("setup.ini", "");
  Settings settings;
  settings.AutoRun = true;
  settings.StartMinimized = true;
  settings.GuestsReachLocalNetwork = true;
  settings.SourceGUID = "{11111111-2222-3333-4444-555555555555}";
  settings.DestGUID = "{AAAAAAAA-BBBB-CCCC-DDDD-EEEEEEEEEEEE}";
  settings.SSID = "Caf\xC3\xA9 net";
  settings.Password = "12345";
  settings.Security = NetworkSecurity::Wep;
  SaveSettings(folder.Folder(), settings);

  EXPECT_EQ(folder.Read("setup.ini"),
            "[System]\r\n"
            "AutoRun=1\r\n"
            "CheckForUpdates=0\r\n"
            "StartMinimized=1\r\n"
            "GuestsReachLocalNetwork=1\r\n"
            "SSID=Caf\xC3\xA9 net\r\n"
            "Password=12345\r\n"
            "Security=WEP\r\n"
            "SourceGUID={11111111-2222-3333-4444-555555555555}\r\n"
            "DestGUID={AAAAAAAA-BBBB-CCCC-DDDD-EEEEEEEEEEEE}\r\n");

  const Settings loaded = LoadSettings(folder.Folder(), "Orvane");
  EXPECT_TRUE(loaded.AutoRun);
  EXPECT_FALSE(loaded.CheckForUpdates);
  EXPECT_TRUE(loaded.StartMinimized);
  EXPECT_TRUE(loaded.GuestsReachLocalNetwork);
  EXPECT_EQ(loaded.SourceGUID, settings.SourceGUID);
  EXPECT_EQ(loaded.DestGUID, settings.DestGUID);
  EXPECT_EQ(loaded.SSID, settings.SSID);
  EXPECT_EQ(loaded.Password, settings.Password);
  EXPECT_EQ(loaded.Security, NetworkSecurity::Wep);

  std::size_t files = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder.Path())) ++files;
  EXPECT_EQ(files, 1u) << "no temporary file is left behind";
}

TEST(Settings, KeepsOtherSectionsAndKeys) {
  TempFolder folder;
  folder.Write(
      "setup.ini",
      "[Window]\r\nLeft=10\r\n\r\n[system]\r\nssid=Old\r\nTheme=dark\r\n\r\n[Z]\r\nk=v\r\n");
  Settings settings;
  settings.SSID = "New";
  settings.Password = "73915";
  SaveSettings(folder.Folder(), settings);
  EXPECT_EQ(folder.Read("setup.ini"),
            "[Window]\r\nLeft=10\r\n\r\n"
            "[system]\r\nSSID=New\r\nTheme=dark\r\nAutoRun=0\r\nCheckForUpdates=0\r\n"
            "StartMinimized=0\r\nGuestsReachLocalNetwork=0\r\nPassword=73915\r\nSecurity=WPA2\r\n"
            "SourceGUID=\r\nDestGUID=\r\n\r\n"
            "[Z]\r\nk=v\r\n");
}

TEST(Settings, ValuesAreReadUpTo2047Characters) {
  TempFolder folder;
  Settings settings;
  settings.Password = std::string(3000, 'p');
  settings.SSID = std::string(2047, 's');
  settings.DestGUID = "{after}";
  SaveSettings(folder.Folder(), settings);
  EXPECT_NE(folder.Read("setup.ini").find(settings.Password), std::string::npos)
      << "written in full";

  const Settings loaded = LoadSettings(folder.Folder(), "Orvane");
  EXPECT_EQ(loaded.Password, std::string(2047, 'p'));
  EXPECT_EQ(loaded.SSID, settings.SSID);
  EXPECT_EQ(loaded.DestGUID, "{after}");
}

void ExpectUnableToWrite(const fs::path& folder) {
  const std::string path = (folder / "setup.ini").string();
  try {
    SaveSettings((folder / "").string(), Settings{});
    FAIL() << "no error raised for " << path;
  } catch (const IniFileError& error) {
    EXPECT_EQ(std::string(error.what()), "Unable to write to " + path);
  }
}

TEST(Settings, MissingFolderRaisesUnableToWrite) {
  TempFolder folder;
  ExpectUnableToWrite(folder.Path() / "gone");
}

TEST(Settings, ReadOnlyFolderRaisesAndKeepsTheOldFile) {
  TempFolder folder;
  const std::string old = "[System]\r\nSSID=Old\r\n";
  folder.Write("setup.ini", old);
  RunAsOwnerWithoutPrivileges(folder, [&] {
    fs::permissions(folder.Path(), fs::perms::owner_read | fs::perms::owner_exec);
    ASSERT_FALSE(std::ofstream(folder.Path() / "probe")) << "the folder is still writable";
    ExpectUnableToWrite(folder.Path());
  });
  EXPECT_EQ(folder.Read("setup.ini"), old);
}

TEST(Settings, FailedReplaceRaisesAndLeavesNoTemporaryFile) {
  TempFolder folder;
  // A non-empty folder where the file should be cannot be replaced, even by root.
  fs::create_directory(folder.Path() / "setup.ini");
  folder.Write("setup.ini/keep", "data");
  ExpectUnableToWrite(folder.Path());
  EXPECT_EQ(folder.Read("setup.ini/keep"), "data");
  std::size_t files = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder.Path())) ++files;
  EXPECT_EQ(files, 1u);
}

TEST(Settings, AFileThatCannotBeReadIsNeverReplaced) {
  TempFolder folder;
  // Sparse, so it costs no disk; over the size that is read into memory.
  const std::string head = "[System]\r\nSSID=Huge\r\n";
  folder.Write("setup.ini", head);
  fs::resize_file(folder.Path() / "setup.ini", IniFile::kMaxFileSize + 1);
  EXPECT_EQ(LoadSettings(folder.Folder(), "Orvane").SSID, "Orvane");
  ExpectUnableToWrite(folder.Path());
  EXPECT_EQ(fs::file_size(folder.Path() / "setup.ini"), IniFile::kMaxFileSize + 1);
  EXPECT_EQ(folder.Read("setup.ini").substr(0, head.size()), head);
}

TEST(Settings, AnUnreadableFileIsNeverReplaced) {
  TempFolder folder;
  const std::string old = "[Other]\r\nkeep=1\r\n";
  folder.Write("setup.ini", old);
  RunAsOwnerWithoutPrivileges(folder, [&] {
    fs::permissions(folder.Path() / "setup.ini", fs::perms::none);
    ASSERT_FALSE(std::ifstream(folder.Path() / "setup.ini")) << "the file is still readable";
    EXPECT_EQ(LoadSettings(folder.Folder(), "Orvane").SSID, "Orvane");
    ExpectUnableToWrite(folder.Path());
    fs::permissions(folder.Path() / "setup.ini", fs::perms::owner_read);
  });
  EXPECT_EQ(folder.Read("setup.ini"), old);
}

}  // namespace
}  // namespace orvane
