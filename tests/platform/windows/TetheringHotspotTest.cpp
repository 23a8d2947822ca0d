// The Mobile Hotspot over a fake Windows Runtime: what it asks in which order, how long it
// waits, and what it answers for each refusal. Wine has no tethering manager to ask.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/windows/TetheringHotspot.h"
#include "platform/windows/WinSystemInfo.h"

namespace orvane::platform::windows_backend {
namespace {

using winrt::IAsyncOperation;
using winrt::ITetheringOperationResult;

constexpr GUID kSourceId = {
    0x6B29FC40, 0xCA47, 0x1067, {0xB3, 0x1D, 0x00, 0xDD, 0x01, 0x06, 0x62, 0xDA}};
constexpr GUID kOtherId = {
    0x0F3A9C12, 0x5D7E, 0x4B21, {0x9A, 0x3C, 0x7E, 0x1D, 0x2B, 0x4C, 0x6A, 0x80}};
constexpr const char* kSourceText = "{6b29fc40-ca47-1067-b31d-00dd010662da}";  // case differs

using CallLog = std::vector<std::string>;

// Reference counting that the test checks for balance; the objects belong to the test.
template <typename Interface>
class Fake : public Interface {
 public:
  explicit Fake(CallLog& log) : log_(log) {}
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++refs); }
  ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--refs); }
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  HRESULT STDMETHODCALLTYPE GetIids(ULONG*, IID**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetRuntimeClassName(HSTRING*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTrustLevel(TrustLevel*) override { return E_NOTIMPL; }
  long refs = 0;

 protected:
  CallLog& log_;
};

class FakeRuntime : public IRuntimeActivation {
 public:
  bool Available() override { return available; }
  HRESULT EnterApartment() override {
    log.push_back("EnterApartment");
    return enterCode;
  }
  void LeaveApartment() override { log.push_back("LeaveApartment"); }
  HRESULT GetActivationFactory(const std::u16string& className, const GUID& iid,
                               void** factory) override {
    *factory = nullptr;
    for (const auto& [name, id, object] : factories) {
      if (name == className && id == iid) {
        log.push_back("Factory " + std::string(className.begin(), className.end()));
        object->AddRef();
        *factory = object;
        return S_OK;
      }
    }
    log.push_back("NoFactory");
    return REGDB_E_CLASSNOTREG;
  }
  HRESULT CreateString(const std::u16string& text, HSTRING* string) override {
    ++liveStrings;
    *string = reinterpret_cast<HSTRING>(new std::u16string(text));
    return S_OK;
  }
  void DeleteString(HSTRING string) override {
    --liveStrings;
    delete reinterpret_cast<std::u16string*>(string);
  }
  std::u16string ReadString(HSTRING string) override {
    return *reinterpret_cast<std::u16string*>(string);
  }
  void Pause(std::chrono::milliseconds interval) override {
    ++pauses;
    std::this_thread::sleep_for(interval);
  }

  CallLog log;
  bool available = true;
  HRESULT enterCode = S_OK;
  struct Entry {
    std::u16string name;
    GUID iid;
    IInspectable* object;
  };
  std::vector<Entry> factories;
  int liveStrings = 0;
  int pauses = 0;
};

template <typename T>
class FakeVector : public Fake<winrt::IVectorView<T>> {
 public:
  FakeVector(CallLog& log, std::vector<T*> items)
      : Fake<winrt::IVectorView<T>>(log), items_(items) {}
  HRESULT STDMETHODCALLTYPE GetAt(UINT32 index, T** item) override {
    if (index >= items_.size()) return E_INVALIDARG;
    items_[index]->AddRef();
    *item = items_[index];
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_Size(UINT32* size) override {
    *size = static_cast<UINT32>(items_.size());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE IndexOf(T*, UINT32*, boolean*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetMany(UINT32, UINT32, T**, UINT32*) override { return E_NOTIMPL; }

 private:
  std::vector<T*> items_;
};

class FakeAdapter : public Fake<winrt::INetworkAdapter> {
 public:
  FakeAdapter(CallLog& log, GUID id) : Fake(log), id_(id) {}
  HRESULT STDMETHODCALLTYPE get_OutboundMaxBitsPerSecond(UINT64*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_InboundMaxBitsPerSecond(UINT64*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_IanaInterfaceType(UINT32*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_NetworkItem(IInspectable**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_NetworkAdapterId(GUID* value) override {
    *value = id_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetConnectedProfileAsync(IInspectable**) override { return E_NOTIMPL; }

 private:
  GUID id_;
};

class FakeProfile : public Fake<winrt::IConnectionProfile> {
 public:
  FakeProfile(CallLog& log, FakeAdapter& adapter) : Fake(log), adapter_(adapter) {}
  HRESULT STDMETHODCALLTYPE get_ProfileName(HSTRING*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetNetworkConnectivityLevel(int32_t* value) override {
    log_.push_back("GetNetworkConnectivityLevel");
    *value = connectivity;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetNetworkNames(IInspectable**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetConnectionCost(IInspectable**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetDataPlanStatus(IInspectable**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_NetworkAdapter(winrt::INetworkAdapter** value) override {
    adapter_.AddRef();
    *value = &adapter_;
    return S_OK;
  }
  int32_t connectivity = kConnectivityInternet;

 private:
  FakeAdapter& adapter_;
};

class FakeInformation : public Fake<winrt::INetworkInformationStatics> {
 public:
  FakeInformation(CallLog& log, FakeVector<winrt::IConnectionProfile>& profiles)
      : Fake(log), profiles_(profiles) {}
  HRESULT STDMETHODCALLTYPE
  GetConnectionProfiles(winrt::IVectorView<winrt::IConnectionProfile>** value) override {
    log_.push_back("GetConnectionProfiles");
    profiles_.AddRef();
    *value = &profiles_;
    return S_OK;
  }

 private:
  FakeVector<winrt::IConnectionProfile>& profiles_;
};

class FakeResult : public Fake<ITetheringOperationResult> {
 public:
  FakeResult(CallLog& log, FakeRuntime& runtime) : Fake(log), runtime_(runtime) {}
  HRESULT STDMETHODCALLTYPE get_Status(int32_t* value) override {
    *value = status;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_AdditionalErrorMessage(HSTRING* value) override {
    return runtime_.CreateString(detail, value);
  }
  int32_t status = kTetheringSuccess;
  std::u16string detail;

 private:
  FakeRuntime& runtime_;
};

constexpr GUID kIidAsyncInfo = winrt::kIidAsyncInfo;

// An operation that ends as told, or never; it says how it was waited on.
template <typename Operation>
class FakeAsync : public Fake<Operation>, public winrt::IAsyncInfo {
 public:
  FakeAsync(CallLog& log, const char* name) : Fake<Operation>(log), name_(name) {}
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++this->refs); }
  ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--this->refs); }
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    *out = nullptr;
    if (iid != kIidAsyncInfo) return E_NOINTERFACE;
    AddRef();
    *out = static_cast<winrt::IAsyncInfo*>(this);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetIids(ULONG*, IID**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetRuntimeClassName(HSTRING*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTrustLevel(TrustLevel*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_Completed(IUnknown*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_Completed(IUnknown**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_Id(UINT32*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_Status(int32_t* status) override {
    ++looks;
    *status = looks > looksBeforeEnd ? endStatus : winrt::kAsyncStarted;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_ErrorCode(HRESULT* code) override {
    *code = errorCode;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Cancel() override {
    this->log_.push_back(std::string("Cancel ") + name_);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Close() override { return S_OK; }

  int looks = 0;
  int looksBeforeEnd = 1;  // still running at the first look
  int32_t endStatus = winrt::kAsyncCompleted;
  HRESULT errorCode = S_OK;

 private:
  const char* name_;
};

class FakeAction : public FakeAsync<winrt::IAsyncAction> {
 public:
  using FakeAsync::FakeAsync;
  HRESULT STDMETHODCALLTYPE GetResults() override { return S_OK; }
};

class FakeStartStop : public FakeAsync<IAsyncOperation<ITetheringOperationResult>> {
 public:
  FakeStartStop(CallLog& log, const char* name, FakeResult& result)
      : FakeAsync(log, name), result_(result) {}
  HRESULT STDMETHODCALLTYPE GetResults(ITetheringOperationResult** results) override {
    result_.AddRef();
    *results = &result_;
    return S_OK;
  }

 private:
  FakeResult& result_;
};

class FakeConfiguration : public Fake<winrt::ITetheringAccessPointConfiguration> {
 public:
  FakeConfiguration(CallLog& log, FakeRuntime& runtime) : Fake(log), runtime_(runtime) {}
  HRESULT STDMETHODCALLTYPE get_Ssid(HSTRING*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_Ssid(HSTRING value) override {
    ssid = runtime_.ReadString(value);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_Passphrase(HSTRING*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_Passphrase(HSTRING value) override {
    passphrase = runtime_.ReadString(value);
    return S_OK;
  }
  std::u16string ssid;
  std::u16string passphrase;

 private:
  FakeRuntime& runtime_;
};

class FakeHostName : public Fake<winrt::IHostName> {
 public:
  FakeHostName(CallLog& log, FakeRuntime& runtime, int32_t type, std::u16string text)
      : Fake(log), runtime_(runtime), type_(type), text_(std::move(text)) {}
  HRESULT STDMETHODCALLTYPE get_IPInformation(IInspectable**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_RawName(HSTRING* value) override {
    return runtime_.CreateString(text_, value);
  }
  HRESULT STDMETHODCALLTYPE get_DisplayName(HSTRING* value) override {
    return runtime_.CreateString(text_, value);
  }
  HRESULT STDMETHODCALLTYPE get_CanonicalName(HSTRING*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_Type(int32_t* value) override {
    *value = type_;
    return S_OK;
  }

 private:
  FakeRuntime& runtime_;
  int32_t type_;
  std::u16string text_;
};

class FakeClient : public Fake<winrt::ITetheringClient> {
 public:
  FakeClient(CallLog& log, FakeRuntime& runtime, FakeVector<winrt::IHostName>& names)
      : Fake(log), runtime_(runtime), names_(names) {}
  HRESULT STDMETHODCALLTYPE get_MacAddress(HSTRING* value) override {
    return runtime_.CreateString(u"AA-BB-CC-DD-EE-0F", value);
  }
  HRESULT STDMETHODCALLTYPE get_HostNames(winrt::IVectorView<winrt::IHostName>** value) override {
    names_.AddRef();
    *value = &names_;
    return S_OK;
  }

 private:
  FakeRuntime& runtime_;
  FakeVector<winrt::IHostName>& names_;
};

class FakeManager : public Fake<winrt::ITetheringManager>, public winrt::ITetheringClientManager {
 public:
  FakeManager(CallLog& log, FakeConfiguration& configuration, FakeAction& configure,
              FakeStartStop& start, FakeStartStop& stop,
              FakeVector<winrt::ITetheringClient>& clients)
      : Fake(log),
        configuration_(configuration),
        configure_(configure),
        start_(start),
        stop_(stop),
        clients_(clients) {}
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++refs); }
  ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--refs); }
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    *out = nullptr;
    if (iid != winrt::kIidTetheringClientManager) return E_NOINTERFACE;
    AddRef();
    *out = static_cast<winrt::ITetheringClientManager*>(this);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetIids(ULONG*, IID**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetRuntimeClassName(HSTRING*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTrustLevel(TrustLevel*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_MaxClientCount(UINT32*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_ClientCount(UINT32*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_TetheringOperationalState(int32_t*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE
  GetCurrentAccessPointConfiguration(winrt::ITetheringAccessPointConfiguration** value) override {
    log_.push_back("GetCurrentAccessPointConfiguration");
    configuration_.AddRef();
    *value = &configuration_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ConfigureAccessPointAsync(winrt::ITetheringAccessPointConfiguration*,
                                                      winrt::IAsyncAction** operation) override {
    log_.push_back("ConfigureAccessPointAsync");
    configure_.AddRef();
    *operation = &configure_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE
  StartTetheringAsync(IAsyncOperation<ITetheringOperationResult>** operation) override {
    log_.push_back("StartTetheringAsync");
    start_.AddRef();
    *operation = &start_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE
  StopTetheringAsync(IAsyncOperation<ITetheringOperationResult>** operation) override {
    log_.push_back("StopTetheringAsync");
    stop_.AddRef();
    *operation = &stop_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE
  GetTetheringClients(winrt::IVectorView<winrt::ITetheringClient>** value) override {
    log_.push_back("GetTetheringClients");
    clients_.AddRef();
    *value = &clients_;
    return S_OK;
  }

 private:
  FakeConfiguration& configuration_;
  FakeAction& configure_;
  FakeStartStop& start_;
  FakeStartStop& stop_;
  FakeVector<winrt::ITetheringClient>& clients_;
};

class FakeStatics : public Fake<winrt::ITetheringManagerStatics2> {
 public:
  FakeStatics(CallLog& log, FakeManager& manager) : Fake(log), manager_(manager) {}
  HRESULT STDMETHODCALLTYPE GetTetheringCapabilityFromConnectionProfile(winrt::IConnectionProfile*,
                                                                        int32_t* value) override {
    log_.push_back("GetTetheringCapabilityFromConnectionProfile");
    *value = capability;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE CreateFromConnectionProfile(winrt::IConnectionProfile* profile,
                                                        winrt::ITetheringManager** value) override {
    log_.push_back("CreateFromConnectionProfile");
    profileAsked = profile;
    manager_.AddRef();
    *value = &manager_;
    return S_OK;
  }
  int32_t capability = kTetheringEnabled;
  winrt::IConnectionProfile* profileAsked = nullptr;

 private:
  FakeManager& manager_;
};

// A machine with a source and one other connection, a hotspot that works, and one client.
class Tethering : public ::testing::Test {
 protected:
  Tethering() {
    runtime.factories = {
        {winrt::kNetworkInformationClass, winrt::kIidNetworkInformationStatics, &information},
        {winrt::kTetheringManagerClass, winrt::kIidTetheringManagerStatics2, &statics},
    };
  }
  HotspotAnswer StartHotspot() { return hotspot.Start(kSourceText, "Orvane Net", "secret key 1"); }
  // The calls of the runtime and its objects, without the apartment's.
  CallLog Calls() const {
    CallLog calls;
    std::copy_if(
        runtime.log.begin(), runtime.log.end(), std::back_inserter(calls),
        [](const std::string& call) { return call.find("Apartment") == std::string::npos; });
    return calls;
  }

  FakeRuntime runtime;
  CallLog& log = runtime.log;
  FakeAdapter otherAdapter{log, kOtherId};
  FakeAdapter sourceAdapter{log, kSourceId};
  FakeProfile otherProfile{log, otherAdapter};
  FakeProfile sourceProfile{log, sourceAdapter};
  FakeVector<winrt::IConnectionProfile> profiles{log, {&otherProfile, &sourceProfile}};
  FakeInformation information{log, profiles};
  FakeResult startResult{log, runtime};
  FakeResult stopResult{log, runtime};
  FakeAction configure{log, "Configure"};
  FakeStartStop start{log, "Start", startResult};
  FakeStartStop stop{log, "Stop", stopResult};
  FakeConfiguration configuration{log, runtime};
  FakeHostName address{log, runtime, winrt::kHostIpv4, u"192.168.137.42"};
  FakeHostName name{log, runtime, winrt::kHostDomainName, u"phone"};
  FakeVector<winrt::IHostName> names{log, {&address, &name}};
  FakeClient client{log, runtime, names};
  FakeVector<winrt::ITetheringClient> clients{log, {&client}};
  FakeManager manager{log, configuration, configure, start, stop, clients};
  FakeStatics statics{log, manager};
  WinSystemInfo system;
  TetheringHotspot hotspot{runtime, system, nullptr, std::chrono::milliseconds(200)};
};

TEST_F(Tethering, StartsOnTheSourcesProfileInOrderAndStopsWhatItStarted) {
  const HotspotAnswer answer = StartHotspot();
  EXPECT_EQ(answer.code, S_OK);
  EXPECT_EQ(answer.status, kTetheringSuccess);
  const CallLog expected = {
      "Factory Windows.Networking.Connectivity.NetworkInformation",
      "GetConnectionProfiles",
      "GetNetworkConnectivityLevel",
      "Factory Windows.Networking.NetworkOperators.NetworkOperatorTetheringManager",
      "GetTetheringCapabilityFromConnectionProfile",
      "CreateFromConnectionProfile",
      "GetCurrentAccessPointConfiguration",
      "ConfigureAccessPointAsync",
      "StartTetheringAsync",
  };
  EXPECT_EQ(Calls(), expected);
  EXPECT_EQ(log.front(), "EnterApartment");
  EXPECT_EQ(log.back(), "LeaveApartment");
  EXPECT_EQ(statics.profileAsked, &sourceProfile) << "the source's profile, not the first";
  EXPECT_EQ(configuration.ssid, u"Orvane Net");
  EXPECT_EQ(configuration.passphrase, u"secret key 1");

  std::vector<ConnectedDevice> devices;
  ASSERT_EQ(hotspot.Clients(devices), S_OK);
  EXPECT_EQ(devices,
            (std::vector<ConnectedDevice>{{"phone", "aa:bb:cc:dd:ee:0f", "192.168.137.42"}}));

  log.clear();
  EXPECT_EQ(hotspot.Stop().code, S_OK);
  EXPECT_EQ(Calls(), CallLog{"StopTetheringAsync"});
  log.clear();
  EXPECT_EQ(hotspot.Stop().code, S_OK);
  EXPECT_TRUE(log.empty()) << "nothing is on any more";
  ASSERT_EQ(hotspot.Clients(devices), S_OK);
  EXPECT_TRUE(devices.empty());

  // Every reference taken and every string made was given back.
  for (long refs : {manager.refs, statics.refs, information.refs, profiles.refs, sourceProfile.refs,
                    otherProfile.refs, sourceAdapter.refs, configure.refs, start.refs, stop.refs,
                    startResult.refs, configuration.refs, clients.refs, client.refs, names.refs,
                    address.refs}) {
    EXPECT_EQ(refs, 0);
  }
  EXPECT_EQ(runtime.liveStrings, 0);
}

TEST_F(Tethering, EachRefusalStopsAtItsStepAndLeavesNothingOn) {
  sourceProfile.connectivity = kConnectivityConstrained;
  HotspotAnswer answer = StartHotspot();
  EXPECT_EQ(answer.connectivity, kConnectivityConstrained);
  EXPECT_EQ(std::count(log.begin(), log.end(), "GetTetheringCapabilityFromConnectionProfile"), 0);

  sourceProfile.connectivity = kConnectivityInternet;
  statics.capability = kTetheringDisabledByGroupPolicy;
  log.clear();
  answer = StartHotspot();
  EXPECT_EQ(answer.capability, kTetheringDisabledByGroupPolicy);
  EXPECT_EQ(std::count(log.begin(), log.end(), "CreateFromConnectionProfile"), 0);

  statics.capability = kTetheringEnabled;
  startResult.status = kTetheringWiFiDeviceOff;
  startResult.detail = u"Wi-Fi is off.";
  answer = StartHotspot();
  EXPECT_EQ(answer.status, kTetheringWiFiDeviceOff);
  EXPECT_EQ(answer.detail, "Wi-Fi is off.");
  log.clear();
  hotspot.Stop();
  EXPECT_TRUE(log.empty()) << "a start that failed holds no manager";
  EXPECT_EQ(manager.refs, 0);
  EXPECT_EQ(runtime.liveStrings, 0);

  const HotspotAnswer missing = hotspot.Start("{00000000-0000-0000-0000-000000000001}", "x", "y");
  EXPECT_EQ(missing.code, kSourceProfileMissing);
}

TEST_F(Tethering, WaitsAreBoundedAndAnOperationsOwnErrorIsPassedOn) {
  start.looksBeforeEnd = 1000000;  // never ends
  const HotspotAnswer answer = StartHotspot();
  EXPECT_EQ(answer.code, kHotspotTimedOut);
  EXPECT_EQ(std::count(log.begin(), log.end(), "Cancel Start"), 1);
  // 200 ms at one look per 50 ms: a handful of looks, not a busy loop nor an endless wait.
  EXPECT_GE(runtime.pauses, 2);
  EXPECT_LE(runtime.pauses, 6);
  EXPECT_EQ(start.refs, 0);

  configure.endStatus = winrt::kAsyncError;
  configure.errorCode = static_cast<HRESULT>(0x80070057);
  log.clear();
  EXPECT_EQ(StartHotspot().code, static_cast<HRESULT>(0x80070057));
  EXPECT_EQ(std::count(log.begin(), log.end(), "StartTetheringAsync"), 0);
}

TEST_F(Tethering, PresentOnlyWhereTheManagerADesktopProgramMayUseExists) {
  EXPECT_FALSE(hotspot.Present()) << "no factory for the 1607 interface";
  FakeRuntime bare;
  bare.available = false;
  TetheringHotspot none{bare, system, nullptr};
  EXPECT_FALSE(none.Present());
  EXPECT_TRUE(bare.log.empty()) << "without a runtime nothing is asked";

  runtime.factories.push_back(
      {winrt::kTetheringManagerClass, winrt::kIidTetheringManagerStatics3, &statics});
  TetheringHotspot later{runtime, system, nullptr};
  EXPECT_TRUE(later.Present());
  EXPECT_EQ(statics.refs, 0);
}

TEST_F(Tethering, AThreadInAnotherApartmentWorksOnAnyOtherApartmentFailureStops) {
  runtime.enterCode = RPC_E_CHANGED_MODE;
  EXPECT_EQ(StartHotspot().code, S_OK);
  EXPECT_EQ(std::count(log.begin(), log.end(), "LeaveApartment"), 0) << "it never joined";
  hotspot.Stop();

  runtime.enterCode = E_OUTOFMEMORY;
  log.clear();
  EXPECT_EQ(StartHotspot().code, E_OUTOFMEMORY);
  EXPECT_EQ(log, CallLog{"EnterApartment"});
}

TEST(AuthCipherPairs, ReadsNoFurtherThanTheBufferHolds) {
  const uint32_t list[] = {3, 1, 0, 7, 4, 1, 1};
  EXPECT_EQ(ParseAuthCipherPairs(list, sizeof list),
            (std::vector<AuthCipherPair>{{1, 0}, {7, 4}, {1, 1}}));
  EXPECT_EQ(ParseAuthCipherPairs(list, sizeof list - 4).size(), 2u) << "the last pair is cut";
  const uint32_t lying[] = {1000, 7, 4};
  EXPECT_EQ(ParseAuthCipherPairs(lying, sizeof lying), (std::vector<AuthCipherPair>{{7, 4}}));
  EXPECT_TRUE(ParseAuthCipherPairs(list, 2).empty());
  EXPECT_TRUE(ParseAuthCipherPairs(nullptr, 64).empty());
}

TEST(GuidText, IsUpperCaseInBraces) {
  EXPECT_EQ(GuidText(kSourceId), "{6B29FC40-CA47-1067-B31D-00DD010662DA}");
}

}  // namespace
}  // namespace orvane::platform::windows_backend
