#include "platform/sim/SimSharing.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace orvane::sim {
namespace {

constexpr const char* kGuidA = "{0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9}";
constexpr const char* kGuidB = "{11111111-2222-3333-4444-555555555555}";

TEST(SimSharing, GuidTextsAreParsedAndKeptInUpperCase) {
  const platform::Guid guid = SimSharing::ParseGuid("{0a1b2c3d-4e5f-6071-8293-a4b5c6d7e8f9}");
  EXPECT_EQ(guid.data1, 0x0a1b2c3du);
  EXPECT_EQ(guid.data2, 0x4e5f);
  EXPECT_EQ(guid.data3, 0x6071);
  EXPECT_EQ(guid.data4, (std::array<uint8_t, 8>{0x82, 0x93, 0xa4, 0xb5, 0xc6, 0xd7, 0xe8, 0xf9}));

  for (const char* bad :
       {"", "0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9", "{0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8FG}",
        "{0A1B2C3D-4E5F-6071+8293-A4B5C6D7E8F9}"}) {
    EXPECT_THROW(SimSharing::ParseGuid(bad), std::invalid_argument) << bad;
  }

  SimCallLog log;
  SimSharing sharing(log);
  sharing.AddConnection({"{0a1b2c3d-4e5f-6071-8293-a4b5c6d7e8f9}", u"LAN", u"Dev"});
  EXPECT_EQ(sharing.Connection(0).guid, kGuidA);
  EXPECT_THROW(sharing.AddConnection({"{nope}", u"X", u"Y"}), std::invalid_argument);
  EXPECT_EQ(sharing.ConnectionCount(), 1u);
}

TEST(SimSharing, EnumeratesInOrderAndChangesTheLiveSharingState) {
  SimCallLog log;
  SimSharing sharing(log);
  sharing.AddConnection({kGuidA, u"LAN", u"Dev A", platform::kNcsConnected});
  sharing.AddConnection({kGuidB, u"Off", u"Dev B", platform::kNcsDisconnected, platform::kNcmLan,
                         true, platform::kIcsSharingTypePrivate});

  std::unique_ptr<platform::ISharingManager> manager;
  ASSERT_EQ(sharing.CreateSharingManager(manager), platform::kSOk);
  std::unique_ptr<platform::IConnectionEnumerator> enumerator;
  ASSERT_EQ(manager->EnumEveryConnection(enumerator), platform::kSOk);
  std::unique_ptr<platform::INetConnection> first, second, end;
  ASSERT_EQ(enumerator->Next(first), platform::kSOk);
  ASSERT_EQ(enumerator->Next(second), platform::kSOk);
  EXPECT_EQ(enumerator->Next(end), platform::kSFalse);
  EXPECT_EQ(end, nullptr);

  const platform::NetConProperties properties = second->GetProperties();
  EXPECT_EQ(properties.guidId, SimSharing::ParseGuid(kGuidB));
  EXPECT_EQ(properties.name, u"Off");
  EXPECT_EQ(properties.deviceName, u"Dev B");
  EXPECT_EQ(properties.status, platform::kNcsDisconnected);

  std::unique_ptr<platform::ISharingConfiguration> configA, configB;
  ASSERT_EQ(manager->GetConfiguration(*first, configA), platform::kSOk);
  ASSERT_EQ(manager->GetConfiguration(*second, configB), platform::kSOk);
  bool enabled = true;
  ASSERT_EQ(configA->GetSharingEnabled(enabled), platform::kSOk);
  EXPECT_FALSE(enabled);
  ASSERT_EQ(configA->EnableSharing(platform::kIcsSharingTypePublic), platform::kSOk);
  EXPECT_TRUE(sharing.Connection(0).sharingEnabled);
  ASSERT_EQ(configB->DisableSharing(), platform::kSOk);
  EXPECT_FALSE(sharing.Connection(1).sharingEnabled);

  EXPECT_EQ(
      log.Calls(),
      (std::vector<std::string>{
          "CreateSharingManager", "EnumEveryConnection", "Next", "Next", "Next",
          std::string("GetConfiguration ") + kGuidA, std::string("GetConfiguration ") + kGuidB,
          std::string("GetSharingEnabled ") + kGuidA, std::string("EnableSharing ") + kGuidA + " 0",
          std::string("DisableSharing ") + kGuidB}));
}

TEST(SimSharing, ScriptedFailuresLeaveTheStateAlone) {
  SimCallLog log;
  SimSharing sharing(log);
  sharing.AddConnection({kGuidA, u"LAN", u"Dev"});
  log.FailCall(std::string("EnableSharing ") + kGuidA + " 1", platform::kEAccessDenied);
  log.FailCall("Next", platform::kEFail, 1, 1);

  std::unique_ptr<platform::ISharingManager> manager;
  ASSERT_EQ(sharing.CreateSharingManager(manager), platform::kSOk);
  std::unique_ptr<platform::IConnectionEnumerator> enumerator;
  ASSERT_EQ(manager->EnumEveryConnection(enumerator), platform::kSOk);
  std::unique_ptr<platform::INetConnection> item, failed;
  ASSERT_EQ(enumerator->Next(item), platform::kSOk);
  EXPECT_EQ(enumerator->Next(failed), platform::kEFail);
  EXPECT_EQ(failed, nullptr);

  std::unique_ptr<platform::ISharingConfiguration> config;
  ASSERT_EQ(manager->GetConfiguration(*item, config), platform::kSOk);
  EXPECT_EQ(config->EnableSharing(platform::kIcsSharingTypePrivate), platform::kEAccessDenied);
  EXPECT_FALSE(sharing.Connection(0).sharingEnabled);
  EXPECT_EQ(config->EnableSharing(platform::kIcsSharingTypePublic), platform::kSOk);
  EXPECT_EQ(sharing.Connection(0).sharingType, platform::kIcsSharingTypePublic);

  log.FailCall("CoInitialize", platform::kRpcEChangedMode, 1);
  EXPECT_EQ(sharing.CoInitialize(), platform::kRpcEChangedMode);
  log.FailCall("CreateSharingManager", platform::kEFail, 1);
  std::unique_ptr<platform::ISharingManager> none;
  EXPECT_EQ(sharing.CreateSharingManager(none), platform::kEFail);
  EXPECT_EQ(none, nullptr);
}

// A connection the service did not hand out.
class ForeignConnection : public platform::INetConnection {
 public:
  platform::NetConProperties GetProperties() override { return {}; }
};

TEST(SimSharing, CountsTheObjectsStillHeldAtUninitialize) {
  SimCallLog log;
  SimSharing sharing(log);
  sharing.AddConnection({kGuidA, u"LAN", u"Dev"});
  {
    std::unique_ptr<platform::ISharingManager> manager;
    ASSERT_EQ(sharing.CreateSharingManager(manager), platform::kSOk);
    ForeignConnection foreign;
    std::unique_ptr<platform::ISharingConfiguration> config;
    EXPECT_EQ(manager->GetConfiguration(foreign, config), platform::kEFail);
    EXPECT_EQ(sharing.LiveObjects(), 1u);
    sharing.CoUninitialize();
    EXPECT_EQ(sharing.LiveObjectsAtLastUninitialize(), 1u);
  }
  EXPECT_EQ(sharing.LiveObjects(), 0u);
  sharing.CoUninitialize();
  EXPECT_EQ(sharing.LiveObjectsAtLastUninitialize(), 0u);
}

}  // namespace
}  // namespace orvane::sim
