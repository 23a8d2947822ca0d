#include "platform/sim/SimSharing.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>
#include <utility>

namespace orvane::sim {

// Every object handed out counts itself as live until it is released.
class SimSharing::Counted {
 public:
  explicit Counted(SimSharing& sim) : sim_(sim) { ++sim_.live_; }
  virtual ~Counted() { --sim_.live_; }
  Counted(const Counted&) = delete;
  Counted& operator=(const Counted&) = delete;

 protected:
  SimSharing& sim_;
};

class SimSharing::NetConnection : public platform::INetConnection, public Counted {
 public:
  NetConnection(SimSharing& sim, std::size_t index) : Counted(sim), index_(index) {}
  std::size_t Index() const { return index_; }

  platform::NetConProperties GetProperties() override {
    const SimConnection& c = sim_.connections_.at(index_);
    return {ParseGuid(c.guid), c.name, c.deviceName, c.status, c.mediaType};
  }

 private:
  std::size_t index_;
};

class SimSharing::Configuration : public platform::ISharingConfiguration, public Counted {
 public:
  Configuration(SimSharing& sim, std::size_t index) : Counted(sim), index_(index) {}

  platform::HResult GetSharingEnabled(bool& enabled) override {
    const platform::HResult hr = sim_.Answer("GetSharingEnabled " + Target().guid);
    if (hr == platform::kSOk) enabled = Target().sharingEnabled;
    return hr;
  }

  platform::HResult EnableSharing(int32_t sharingType) override {
    const platform::HResult hr =
        sim_.Answer("EnableSharing " + Target().guid + " " + std::to_string(sharingType));
    if (hr == platform::kSOk) {
      Target().sharingEnabled = true;
      Target().sharingType = sharingType;
    }
    return hr;
  }

  platform::HResult DisableSharing() override {
    const platform::HResult hr = sim_.Answer("DisableSharing " + Target().guid);
    if (hr == platform::kSOk) Target().sharingEnabled = false;
    return hr;
  }

  platform::HResult GetConnectedDevices(std::vector<platform::ConnectedDevice>& devices) override {
    const platform::HResult hr = sim_.Answer("GetConnectedDevices " + Target().guid);
    if (hr != platform::kSOk) return hr;
    const bool sharesPrivate =
        Target().sharingEnabled && Target().sharingType == platform::kIcsSharingTypePrivate;
    const auto found = sim_.devices_.find(Target().guid);
    devices.clear();
    if (sharesPrivate && found != sim_.devices_.end()) devices = found->second;
    return hr;
  }

 private:
  SimConnection& Target() { return sim_.connections_.at(index_); }

  std::size_t index_;
};

class SimSharing::Enumerator : public platform::IConnectionEnumerator, public Counted {
 public:
  using Counted::Counted;

  platform::HResult Next(std::unique_ptr<platform::INetConnection>& item) override {
    const platform::HResult hr = sim_.Answer("Next");
    if (hr != platform::kSOk) return hr;
    if (next_ >= sim_.connections_.size()) return platform::kSFalse;
    item = std::make_unique<NetConnection>(sim_, next_++);
    return platform::kSOk;
  }

 private:
  std::size_t next_ = 0;
};

class SimSharing::Manager : public platform::ISharingManager, public Counted {
 public:
  using Counted::Counted;

  platform::HResult EnumEveryConnection(
      std::unique_ptr<platform::IConnectionEnumerator>& enumerator) override {
    const platform::HResult hr = sim_.Answer("EnumEveryConnection");
    if (hr == platform::kSOk) enumerator = std::make_unique<Enumerator>(sim_);
    return hr;
  }

  platform::HResult GetConfiguration(
      platform::INetConnection& connection,
      std::unique_ptr<platform::ISharingConfiguration>& configuration) override {
    // Only connections of this service can be asked about.
    auto* own = dynamic_cast<NetConnection*>(&connection);
    if (own == nullptr) return platform::kEFail;
    const platform::HResult hr =
        sim_.Answer("GetConfiguration " + sim_.connections_.at(own->Index()).guid);
    if (hr == platform::kSOk) configuration = std::make_unique<Configuration>(sim_, own->Index());
    return hr;
  }
};

SimSharing::SimSharing(SimCallLog& log) : log_(log) {}

SimSharing::~SimSharing() = default;

void SimSharing::AddConnection(SimConnection connection) {
  connection.guid = UpperGuid(connection.guid);
  connections_.push_back(std::move(connection));
}

std::string SimSharing::UpperGuid(std::string_view text) {
  ParseGuid(text);
  std::string upper(text);
  std::ranges::transform(upper, upper.begin(),
                         [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return upper;
}

void SimSharing::SetConnectedDevices(std::string_view guid,
                                     const std::vector<platform::ConnectedDevice>& devices) {
  devices_[UpperGuid(guid)] = devices;
}

platform::Guid SimSharing::ParseGuid(std::string_view text) {
  // Positions of the hex digit pairs, byte by byte, in "{00112233-4455-6677-8899-AABBCCDDEEFF}".
  static constexpr std::size_t kPairs[16] = {1,  3,  5,  7,  10, 12, 15, 17,
                                             20, 22, 25, 27, 29, 31, 33, 35};
  const auto malformed = [&] {
    return std::invalid_argument("not a GUID text: " + std::string(text));
  };
  if (text.size() != 38 || text[0] != '{' || text[37] != '}' || text[9] != '-' || text[14] != '-' ||
      text[19] != '-' || text[24] != '-')
    throw malformed();
  uint8_t bytes[16];
  for (std::size_t i = 0; i < 16; ++i) {
    unsigned value = 0;
    for (std::size_t k = 0; k < 2; ++k) {
      const char c = text[kPairs[i] + k];
      if (!std::isxdigit(static_cast<unsigned char>(c))) throw malformed();
      value = value * 16 + static_cast<unsigned>(std::isdigit(static_cast<unsigned char>(c))
                                                     ? c - '0'
                                                     : std::toupper(c) - 'A' + 10);
    }
    bytes[i] = static_cast<uint8_t>(value);
  }
  platform::Guid guid;
  guid.data1 =
      uint32_t{bytes[0]} << 24 | uint32_t{bytes[1]} << 16 | uint32_t{bytes[2]} << 8 | bytes[3];
  guid.data2 = static_cast<uint16_t>(bytes[4] << 8 | bytes[5]);
  guid.data3 = static_cast<uint16_t>(bytes[6] << 8 | bytes[7]);
  std::copy(bytes + 8, bytes + 16, guid.data4.begin());
  return guid;
}

platform::HResult SimSharing::Answer(const std::string& call) {
  if (beforeCall_) beforeCall_(call);
  const auto code = log_.Record(call);
  return code ? static_cast<platform::HResult>(*code) : platform::kSOk;
}

platform::HResult SimSharing::CoInitialize() {
  return Answer("CoInitialize");
}

void SimSharing::CoUninitialize() {
  log_.Record("CoUninitialize");
  liveAtUninitialize_ = live_;
}

platform::HResult SimSharing::CreateSharingManager(
    std::unique_ptr<platform::ISharingManager>& manager) {
  const platform::HResult hr = Answer("CreateSharingManager");
  if (hr == platform::kSOk) manager = std::make_unique<Manager>(*this);
  return hr;
}

}  // namespace orvane::sim
