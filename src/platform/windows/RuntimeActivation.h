#pragma once

#include <chrono>
#include <string>

#include "platform/windows/WinRtInterfaces.h"

namespace orvane::platform::windows_backend {

// The Windows Runtime's few flat functions the Mobile Hotspot needs: the apartment, the
// factories of runtime classes and their strings. The program uses the system's; tests answer
// with runtime objects of their own and record what was asked.
class IRuntimeActivation {
 public:
  virtual ~IRuntimeActivation() = default;
  // Whether the runtime is there at all (Windows 8 and later).
  virtual bool Available() = 0;
  // Joins the calling thread to the multithreaded apartment: S_OK or S_FALSE when it did, and
  // LeaveApartment must follow; a thread already in another apartment answers
  // RPC_E_CHANGED_MODE and works on as it is.
  virtual HRESULT EnterApartment() = 0;
  virtual void LeaveApartment() = 0;
  virtual HRESULT GetActivationFactory(const std::u16string& className, const GUID& iid,
                                       void** factory) = 0;
  virtual HRESULT CreateString(const std::u16string& text, HSTRING* string) = 0;
  virtual void DeleteString(HSTRING string) = 0;
  virtual std::u16string ReadString(HSTRING string) = 0;
  // Between two looks at an operation that has not finished.
  virtual void Pause(std::chrono::milliseconds interval) = 0;
};

// The system's runtime, from combase.dll when it has one.
class WinRuntimeActivation : public IRuntimeActivation {
 public:
  WinRuntimeActivation();
  ~WinRuntimeActivation() override;
  WinRuntimeActivation(const WinRuntimeActivation&) = delete;
  WinRuntimeActivation& operator=(const WinRuntimeActivation&) = delete;

  bool Available() override { return complete_; }
  HRESULT EnterApartment() override;
  void LeaveApartment() override;
  HRESULT GetActivationFactory(const std::u16string& className, const GUID& iid,
                               void** factory) override;
  HRESULT CreateString(const std::u16string& text, HSTRING* string) override;
  void DeleteString(HSTRING string) override;
  std::u16string ReadString(HSTRING string) override;
  void Pause(std::chrono::milliseconds interval) override;

 private:
  HMODULE module_ = nullptr;
  bool complete_ = false;
  HRESULT(WINAPI* roInitialize_)(int) = nullptr;
  void(WINAPI* roUninitialize_)() = nullptr;
  HRESULT(WINAPI* roGetActivationFactory_)(HSTRING, REFIID, void**) = nullptr;
  HRESULT(WINAPI* createString_)(LPCWSTR, UINT32, HSTRING*) = nullptr;
  HRESULT(WINAPI* deleteString_)(HSTRING) = nullptr;
  PCWSTR(WINAPI* rawBuffer_)(HSTRING, UINT32*) = nullptr;
  HRESULT(WINAPI* incrementMtaUsage_)(void**) = nullptr;
  void* mtaCookie_ = nullptr;
};

// An HSTRING made through the runtime, deleted when it goes.
class RuntimeString {
 public:
  RuntimeString(IRuntimeActivation& runtime, const std::u16string& text) : runtime_(runtime) {
    created_ = runtime.CreateString(text, &string_);
  }
  ~RuntimeString() {
    if (SUCCEEDED(created_) && string_ != nullptr) runtime_.DeleteString(string_);
  }
  RuntimeString(const RuntimeString&) = delete;
  RuntimeString& operator=(const RuntimeString&) = delete;
  HRESULT Created() const { return created_; }
  HSTRING Get() const { return string_; }

 private:
  IRuntimeActivation& runtime_;
  HSTRING string_ = nullptr;
  HRESULT created_ = E_FAIL;
};

}  // namespace orvane::platform::windows_backend
