#pragma once

// The Windows Runtime interfaces the Mobile Hotspot uses, declared by hand in the order of
// their tables: MinGW-w64's headers lack the networking ones. Runtime classes are reached
// through their default interfaces, which the calls hand out directly; only the interfaces
// asked for by QueryInterface or RoGetActivationFactory need their identifiers.
#include "platform/windows/Win32.h"
// clang-format off
#include <inspectable.h>
#include <hstring.h>
// clang-format on

namespace orvane::platform::windows_backend::winrt {

inline constexpr GUID kIidAsyncInfo = {
    0x00000036, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr GUID kIidNetworkInformationStatics = {
    0x5074F851, 0x950D, 0x4165, {0x9C, 0x15, 0x36, 0x56, 0x19, 0x48, 0x1E, 0xEA}};
inline constexpr GUID kIidTetheringManagerStatics2 = {
    0x5B235412, 0x35F0, 0x49E7, {0x9B, 0x08, 0x16, 0xD2, 0x78, 0xFB, 0xAA, 0x42}};
// Present from Windows 10 1607, the first where a desktop program may use the manager.
inline constexpr GUID kIidTetheringManagerStatics3 = {
    0x8FDAADB6, 0x4AF9, 0x4F21, {0x9B, 0x58, 0xD5, 0x3E, 0x9F, 0x24, 0x23, 0x1E}};
inline constexpr GUID kIidTetheringClientManager = {
    0x91B14016, 0x8DCA, 0x4225, {0xBB, 0xED, 0xEE, 0xF8, 0xB8, 0xD7, 0x18, 0xD7}};

inline constexpr const char16_t* kNetworkInformationClass =
    u"Windows.Networking.Connectivity.NetworkInformation";
inline constexpr const char16_t* kTetheringManagerClass =
    u"Windows.Networking.NetworkOperators.NetworkOperatorTetheringManager";

// AsyncStatus.
inline constexpr int32_t kAsyncStarted = 0;
inline constexpr int32_t kAsyncCompleted = 1;
inline constexpr int32_t kAsyncCanceled = 2;
inline constexpr int32_t kAsyncError = 3;

// HostNameType.
inline constexpr int32_t kHostDomainName = 0;
inline constexpr int32_t kHostIpv4 = 1;

struct IAsyncInfo : IInspectable {
  virtual HRESULT STDMETHODCALLTYPE get_Id(UINT32* id) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Status(int32_t* status) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_ErrorCode(HRESULT* code) = 0;
  virtual HRESULT STDMETHODCALLTYPE Cancel() = 0;
  virtual HRESULT STDMETHODCALLTYPE Close() = 0;
};

// IAsyncOperation<T> for a runtime class T (its default interface).
template <typename T>
struct IAsyncOperation : IInspectable {
  virtual HRESULT STDMETHODCALLTYPE put_Completed(IUnknown* handler) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Completed(IUnknown** handler) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetResults(T** results) = 0;
};

struct IAsyncAction : IInspectable {
  virtual HRESULT STDMETHODCALLTYPE put_Completed(IUnknown* handler) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Completed(IUnknown** handler) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetResults() = 0;
};

// IVectorView<T> for a runtime class T.
template <typename T>
struct IVectorView : IInspectable {
  virtual HRESULT STDMETHODCALLTYPE GetAt(UINT32 index, T** item) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Size(UINT32* size) = 0;
  virtual HRESULT STDMETHODCALLTYPE IndexOf(T* item, UINT32* index, boolean* found) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetMany(UINT32 start, UINT32 capacity, T** items,
                                            UINT32* actual) = 0;
};

struct INetworkAdapter : IInspectable {
  virtual HRESULT STDMETHODCALLTYPE get_OutboundMaxBitsPerSecond(UINT64* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_InboundMaxBitsPerSecond(UINT64* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_IanaInterfaceType(UINT32* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_NetworkItem(IInspectable** value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_NetworkAdapterId(GUID* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetConnectedProfileAsync(IInspectable** value) = 0;
};

struct IConnectionProfile : IInspectable {
  virtual HRESULT STDMETHODCALLTYPE get_ProfileName(HSTRING* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetNetworkConnectivityLevel(int32_t* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetNetworkNames(IInspectable** value) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetConnectionCost(IInspectable** value) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetDataPlanStatus(IInspectable** value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_NetworkAdapter(INetworkAdapter** value) = 0;
  // Further methods follow; none is called.
};

struct INetworkInformationStatics : IInspectable {
  virtual HRESULT STDMETHODCALLTYPE
  GetConnectionProfiles(IVectorView<IConnectionProfile>** value) = 0;
  // Further methods follow; none is called.
};

struct IHostName : IInspectable {
  virtual HRESULT STDMETHODCALLTYPE get_IPInformation(IInspectable** value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_RawName(HSTRING* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_DisplayName(HSTRING* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_CanonicalName(HSTRING* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Type(int32_t* value) = 0;
};

struct ITetheringClient : IInspectable {
  virtual HRESULT STDMETHODCALLTYPE get_MacAddress(HSTRING* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_HostNames(IVectorView<IHostName>** value) = 0;
};

struct ITetheringClientManager : IInspectable {
  virtual HRESULT STDMETHODCALLTYPE GetTetheringClients(IVectorView<ITetheringClient>** value) = 0;
};

struct ITetheringAccessPointConfiguration : IInspectable {
  virtual HRESULT STDMETHODCALLTYPE get_Ssid(HSTRING* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Ssid(HSTRING value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Passphrase(HSTRING* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Passphrase(HSTRING value) = 0;
};

struct ITetheringOperationResult : IInspectable {
  virtual HRESULT STDMETHODCALLTYPE get_Status(int32_t* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_AdditionalErrorMessage(HSTRING* value) = 0;
};

struct ITetheringManager : IInspectable {
  virtual HRESULT STDMETHODCALLTYPE get_MaxClientCount(UINT32* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_ClientCount(UINT32* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_TetheringOperationalState(int32_t* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE
  GetCurrentAccessPointConfiguration(ITetheringAccessPointConfiguration** configuration) = 0;
  virtual HRESULT STDMETHODCALLTYPE ConfigureAccessPointAsync(
      ITetheringAccessPointConfiguration* configuration, IAsyncAction** operation) = 0;
  virtual HRESULT STDMETHODCALLTYPE
  StartTetheringAsync(IAsyncOperation<ITetheringOperationResult>** operation) = 0;
  virtual HRESULT STDMETHODCALLTYPE
  StopTetheringAsync(IAsyncOperation<ITetheringOperationResult>** operation) = 0;
};

struct ITetheringManagerStatics2 : IInspectable {
  virtual HRESULT STDMETHODCALLTYPE
  GetTetheringCapabilityFromConnectionProfile(IConnectionProfile* profile, int32_t* capability) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateFromConnectionProfile(IConnectionProfile* profile,
                                                                ITetheringManager** manager) = 0;
};

}  // namespace orvane::platform::windows_backend::winrt
