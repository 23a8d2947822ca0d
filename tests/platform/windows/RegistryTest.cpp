// The registry as the Windows backend reads and writes it; every key and value made here is
// removed again, and the tests check that it is.

#include <gtest/gtest.h>

#include "common/Errors.h"
#include "common/SystemHelpers.h"
#include "platform/windows/RegistryStores.h"

namespace orvane::platform::windows_backend {
namespace {

constexpr const char* kGuid = "{0E7F6A2B-51C4-4C4B-9D1E-7A6C3B2F1D09}";

std::string ConnectionKeyPath() {
  return std::string(kNetworkClassKey) + kGuid + "\\Connection";
}

bool KeyExists(const std::string& path) {
  RegistryKey key;
  return key.Open(HKEY_LOCAL_MACHINE, path, KEY_READ) == ERROR_SUCCESS;
}

// A connection's key under the network class key, made for one test and deleted after it.
class ConnectionKey : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(key_.Create(HKEY_LOCAL_MACHINE, ConnectionKeyPath(), KEY_ALL_ACCESS), ERROR_SUCCESS);
  }
  void TearDown() override {
    key_ = RegistryKey();
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, ConnectionKeyPath().c_str());
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, (std::string(kNetworkClassKey) + kGuid).c_str());
    EXPECT_FALSE(KeyExists(std::string(kNetworkClassKey) + kGuid)) << "the test key is gone";
  }
  RegistryKey key_;
  WinConnectionKinds kinds_;
};

TEST_F(ConnectionKey, ReadsBothValuesOfAConnection) {
  ASSERT_EQ(key_.WriteText("PnpInstanceID", "PCI\\VEN_8086&DEV_4229\\1"), ERROR_SUCCESS);
  ASSERT_EQ(key_.WriteNumber("MediaSubType", 2), ERROR_SUCCESS);
  const ConnectionKindFacts facts = kinds_.ReadConnectionKindFacts(kGuid);
  EXPECT_TRUE(facts.keyOpened);
  ASSERT_EQ(facts.pnpInstanceId.state, ValueState::Present);
  EXPECT_EQ(facts.pnpInstanceId.value, "PCI\\VEN_8086&DEV_4229\\1");
  ASSERT_EQ(facts.mediaSubType.state, ValueState::Present);
  EXPECT_EQ(facts.mediaSubType.value, 2u);
}

TEST_F(ConnectionKey, TellsMissingValuesFromValuesOfTheWrongType) {
  ConnectionKindFacts facts = kinds_.ReadConnectionKindFacts(kGuid);
  EXPECT_TRUE(facts.keyOpened);
  EXPECT_EQ(facts.pnpInstanceId.state, ValueState::Missing);
  EXPECT_EQ(facts.mediaSubType.state, ValueState::Missing);

  ASSERT_EQ(key_.WriteNumber("PnpInstanceID", 7), ERROR_SUCCESS);
  ASSERT_EQ(key_.WriteText("MediaSubType", "2"), ERROR_SUCCESS);
  facts = kinds_.ReadConnectionKindFacts(kGuid);
  EXPECT_EQ(facts.pnpInstanceId.state, ValueState::WrongType);
  EXPECT_EQ(facts.mediaSubType.state, ValueState::WrongType);

  // An eight-byte number is no 32-bit one, however small.
  const uint64_t wide = 2;
  ASSERT_EQ(RegSetKeyValueA(HKEY_LOCAL_MACHINE, ConnectionKeyPath().c_str(), "MediaSubType",
                            REG_QWORD, &wide, sizeof(wide)),
            ERROR_SUCCESS);
  EXPECT_EQ(kinds_.ReadConnectionKindFacts(kGuid).mediaSubType.state, ValueState::WrongType);
}

TEST(WindowsRegistry, AMissingConnectionKeyIsNotOpened) {
  WinConnectionKinds kinds;
  const ConnectionKindFacts facts =
      kinds.ReadConnectionKindFacts("{00000000-0000-0000-0000-000000000000}");
  EXPECT_FALSE(facts.keyOpened);
  EXPECT_EQ(facts.pnpInstanceId.state, ValueState::Missing);
}

TEST(WindowsRegistry, TheRunEntryIsWrittenAndRemoved) {
  constexpr const char* kName = "OrvaneBackendTest";
  WinAutoRunStore store;
  SetAutoRun(store, "C:\\Orvane\\orvane.exe", kName);
  RegistryKey run;
  ASSERT_EQ(run.Open(HKEY_LOCAL_MACHINE, kRunKey, KEY_READ), ERROR_SUCCESS);
  const StoredText written = run.ReadText(kName);
  ASSERT_EQ(written.state, ValueState::Present);
  EXPECT_EQ(written.value, "C:\\Orvane\\orvane.exe");

  RemoveAutoRun(store, kName);
  EXPECT_EQ(run.ReadText(kName).state, ValueState::Missing);
  RemoveAutoRun(store, kName);  // a missing entry is no error
  const auto key = store.OpenRunKey();
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->DeleteValue(kName), kRegistryFileNotFound);
}

}  // namespace
}  // namespace orvane::platform::windows_backend
