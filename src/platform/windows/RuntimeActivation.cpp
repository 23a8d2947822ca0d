#include "platform/windows/RuntimeActivation.h"

#include <thread>

#include "platform/windows/ProcAddress.h"

namespace orvane::platform::windows_backend {

WinRuntimeActivation::WinRuntimeActivation() {
  // Loaded, not linked: the program also runs where there is no runtime, and takes the ad-hoc
  // way there. From the system folder only, never from the search path.
  char folder[MAX_PATH];
  const UINT length = ::GetSystemDirectoryA(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return;
  module_ = ::LoadLibraryA((std::string(folder, length) + "\\combase.dll").c_str());
  if (module_ == nullptr) return;
  complete_ = FindProc(module_, "RoInitialize", roInitialize_) &&
              FindProc(module_, "RoUninitialize", roUninitialize_) &&
              FindProc(module_, "RoGetActivationFactory", roGetActivationFactory_) &&
              FindProc(module_, "WindowsCreateString", createString_) &&
              FindProc(module_, "WindowsDeleteString", deleteString_) &&
              FindProc(module_, "WindowsGetStringRawBuffer", rawBuffer_);
  // The hotspot's objects live from one command to the next, on whichever worker runs it: the
  // multithreaded apartment must outlast each worker's own stay in it.
  if (complete_ && FindProc(module_, "CoIncrementMTAUsage", incrementMtaUsage_)) {
    incrementMtaUsage_(&mtaCookie_);
  }
}

WinRuntimeActivation::~WinRuntimeActivation() {
  // The module stays loaded while the apartment it keeps alive may still be used.
  if (module_ != nullptr && mtaCookie_ == nullptr) ::FreeLibrary(module_);
}

HRESULT WinRuntimeActivation::EnterApartment() {
  if (!complete_) return E_NOTIMPL;
  return roInitialize_(1);  // RO_INIT_MULTITHREADED
}

void WinRuntimeActivation::LeaveApartment() {
  if (complete_) roUninitialize_();
}

HRESULT WinRuntimeActivation::GetActivationFactory(const std::u16string& className, const GUID& iid,
                                                   void** factory) {
  if (!complete_) return E_NOTIMPL;
  RuntimeString name(*this, className);
  if (FAILED(name.Created())) return name.Created();
  return roGetActivationFactory_(name.Get(), iid, factory);
}

HRESULT WinRuntimeActivation::CreateString(const std::u16string& text, HSTRING* string) {
  if (!complete_) return E_NOTIMPL;
  return createString_(reinterpret_cast<LPCWSTR>(text.c_str()), static_cast<UINT32>(text.size()),
                       string);
}

void WinRuntimeActivation::DeleteString(HSTRING string) {
  if (complete_) deleteString_(string);
}

std::u16string WinRuntimeActivation::ReadString(HSTRING string) {
  if (!complete_ || string == nullptr) return {};
  UINT32 length = 0;
  const PCWSTR buffer = rawBuffer_(string, &length);
  if (buffer == nullptr) return {};
  return std::u16string(reinterpret_cast<const char16_t*>(buffer), length);
}

void WinRuntimeActivation::Pause(std::chrono::milliseconds interval) {
  std::this_thread::sleep_for(interval);
}

}  // namespace orvane::platform::windows_backend
