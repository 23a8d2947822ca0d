#include "platform/linux/LinuxSharingService.h"

#include "platform/linux/DeviceListText.h"
#include "platform/linux/SharingProtocol.h"

namespace orvane::platform::linux_backend {
namespace {

class LinuxConnection : public INetConnection {
 public:
  LinuxConnection(NetConProperties properties, std::string interfaceName)
      : properties_(std::move(properties)), interfaceName_(std::move(interfaceName)) {}
  NetConProperties GetProperties() override { return properties_; }
  const std::string& InterfaceName() const { return interfaceName_; }

 private:
  NetConProperties properties_;
  std::string interfaceName_;
};

class ConnectionEnumerator : public IConnectionEnumerator {
 public:
  explicit ConnectionEnumerator(std::vector<std::unique_ptr<LinuxConnection>> connections)
      : connections_(std::move(connections)) {}
  HResult Next(std::unique_ptr<INetConnection>& item) override {
    if (next_ >= connections_.size()) return kSFalse;
    item = std::move(connections_[next_++]);
    return kSOk;
  }

 private:
  std::vector<std::unique_ptr<LinuxConnection>> connections_;
  std::size_t next_ = 0;
};

class LinuxSharingConfiguration : public ISharingConfiguration {
 public:
  LinuxSharingConfiguration(SharingHelperClient& helper, std::string interfaceName)
      : helper_(helper), interfaceName_(std::move(interfaceName)) {}

  HResult GetSharingEnabled(bool& enabled) override {
    std::string role;
    // No helper running means nothing of ours is shared: no need to ask for the privilege.
    HResult hr = helper_.Call(protocol::kState, interfaceName_, false, role);
    enabled = hr == kSOk && role != protocol::kRoleNone;
    return Failed(hr) ? hr : kSOk;
  }

  HResult EnableSharing(int32_t sharingType) override {
    const char* verb = sharingType == kIcsSharingTypePublic    ? protocol::kEnablePublic
                       : sharingType != kIcsSharingTypePrivate ? nullptr
                       : helper_.GuestsReachLocalNetwork()
                           ? protocol::kEnablePrivateWithLocalNetwork
                           : protocol::kEnablePrivate;
    if (verb == nullptr) return kEInvalidArg;
    std::string answer;
    return helper_.Call(verb, interfaceName_, true, answer);
  }

  HResult DisableSharing() override {
    std::string answer;
    HResult hr = helper_.Call(protocol::kDisable, interfaceName_, false, answer);
    return Failed(hr) ? hr : kSOk;
  }

  HResult GetConnectedDevices(std::vector<ConnectedDevice>& devices) override {
    devices.clear();
    std::string list;
    // Asked as often as the Internet check runs: never a reason to start the helper.
    HResult hr = helper_.Call(protocol::kDevices, interfaceName_, false, list);
    if (Failed(hr)) return hr;
    devices = ParseDeviceListText(list);
    return kSOk;
  }

 private:
  static constexpr HResult kEInvalidArg = static_cast<HResult>(0x80070057u);
  SharingHelperClient& helper_;
  std::string interfaceName_;
};

class LinuxSharingManager : public ISharingManager {
 public:
  LinuxSharingManager(SharingHelperClient& helper, ISystemInfo& text, const MachinePaths& paths)
      : helper_(helper), text_(text), paths_(paths) {}

  HResult EnumEveryConnection(std::unique_ptr<IConnectionEnumerator>& enumerator) override {
    std::vector<InterfaceView> interfaces;
    try {
      interfaces = ReadInterfaces(paths_);
    } catch (const NetlinkError&) {
      return kEFail;
    }
    std::vector<std::unique_ptr<LinuxConnection>> connections;
    for (const InterfaceView& view : interfaces) {
      if (view.IsLoopback()) continue;
      NetConProperties properties;
      properties.guidId = view.guid;
      properties.name = text_.ToUtf16(view.connectionName);
      properties.deviceName = text_.ToUtf16(view.facts.description);
      properties.status = NetconStatusOf(view.link.flags, view.link.operState);
      properties.mediaType = MediaTypeOf(view.adapterType, view.link.kind);
      connections.push_back(std::make_unique<LinuxConnection>(properties, view.link.name));
    }
    enumerator = std::make_unique<ConnectionEnumerator>(std::move(connections));
    return kSOk;
  }

  HResult GetConfiguration(INetConnection& connection,
                           std::unique_ptr<ISharingConfiguration>& configuration) override {
    auto* own = dynamic_cast<LinuxConnection*>(&connection);
    if (own == nullptr) return kEFail;  // not one of this service's connections
    configuration = std::make_unique<LinuxSharingConfiguration>(helper_, own->InterfaceName());
    return kSOk;
  }

 private:
  SharingHelperClient& helper_;
  ISystemInfo& text_;
  MachinePaths paths_;
};

}  // namespace

HResult LinuxSharingService::CreateSharingManager(std::unique_ptr<ISharingManager>& manager) {
  manager = std::make_unique<LinuxSharingManager>(helper_, text_, paths_);
  return kSOk;
}

}  // namespace orvane::platform::linux_backend
