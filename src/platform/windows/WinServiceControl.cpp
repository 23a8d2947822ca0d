#include "platform/windows/WinServiceControl.h"

#include "platform/windows/Win32.h"

namespace orvane::platform::windows_backend {
namespace {

SC_HANDLE ToSc(ServiceHandle handle) {
  return reinterpret_cast<SC_HANDLE>(static_cast<uintptr_t>(handle));
}

ServiceHandle FromSc(SC_HANDLE handle) {
  return reinterpret_cast<uintptr_t>(handle);
}

uint32_t Result(BOOL ok) {
  return ok ? ERROR_SUCCESS : GetLastError();
}

void CopyStatus(const SERVICE_STATUS& from, ServiceStatus& to) {
  to.currentState = from.dwCurrentState;
  to.checkPoint = from.dwCheckPoint;
  to.waitHint = from.dwWaitHint;
}

}  // namespace

uint32_t WinServiceControl::OpenSCManager(const std::string& machine, uint32_t access,
                                          ServiceHandle& manager) {
  const SC_HANDLE handle = ::OpenSCManagerA(machine.empty() ? nullptr : machine.c_str(),
                                            SERVICES_ACTIVE_DATABASEA, access);
  manager = FromSc(handle);
  return Result(handle != nullptr);
}

uint32_t WinServiceControl::OpenService(ServiceHandle manager, const std::string& name,
                                        uint32_t access, ServiceHandle& service) {
  const SC_HANDLE handle = ::OpenServiceA(ToSc(manager), name.c_str(), access);
  service = FromSc(handle);
  return Result(handle != nullptr);
}

uint32_t WinServiceControl::QueryServiceStatus(ServiceHandle service, ServiceStatus& status) {
  SERVICE_STATUS raw{};
  const BOOL ok = ::QueryServiceStatus(ToSc(service), &raw);
  const uint32_t result = Result(ok);
  if (ok) CopyStatus(raw, status);
  return result;
}

uint32_t WinServiceControl::StartService(ServiceHandle service) {
  return Result(::StartServiceA(ToSc(service), 0, nullptr));
}

uint32_t WinServiceControl::ControlService(ServiceHandle service, uint32_t control,
                                           ServiceStatus& status) {
  SERVICE_STATUS raw{};
  const uint32_t result = Result(::ControlService(ToSc(service), control, &raw));
  CopyStatus(raw, status);
  return result;
}

void WinServiceControl::CloseServiceHandle(ServiceHandle handle) {
  if (handle != 0) ::CloseServiceHandle(ToSc(handle));
}

void WinServiceControl::Sleep(uint32_t milliseconds) {
  ::Sleep(milliseconds);
}

uint64_t WinServiceControl::TickCount() {
  // The performance counter never wraps, unlike the 32-bit tick count (XP has no 64-bit one).
  LARGE_INTEGER frequency{};
  LARGE_INTEGER now{};
  if (!::QueryPerformanceFrequency(&frequency) || frequency.QuadPart <= 0 ||
      !::QueryPerformanceCounter(&now))
    return ::GetTickCount();
  const auto ticks = static_cast<uint64_t>(now.QuadPart);
  const auto perSecond = static_cast<uint64_t>(frequency.QuadPart);
  return ticks / perSecond * 1000 + ticks % perSecond * 1000 / perSecond;
}

}  // namespace orvane::platform::windows_backend
