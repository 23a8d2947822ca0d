#pragma once

// The line protocol between the program and its privileged sharing helper. The program sends
// one command per line, "<verb> <interface>", and the helper answers one line: "ok", "ok <role>"
// for a state query, "ok" and the device list (see DeviceListText.h) for a device query, or
// "error <hresult in hex> <text>". The helper says "ready" once it has
// cleaned up after any earlier helper of the namespace that died, and it undoes everything it
// did when the connection to the program closes.

namespace orvane::platform::linux_backend::protocol {

inline constexpr const char* kReady = "ready";
inline constexpr const char* kOk = "ok";
inline constexpr const char* kError = "error";

inline constexpr const char* kEnablePublic = "public";
// A private side whose clients reach the Internet only; with "private-lan" they also reach the
// private ranges behind the public side (the local network).
inline constexpr const char* kEnablePrivate = "private";
inline constexpr const char* kEnablePrivateWithLocalNetwork = "private-lan";
inline constexpr const char* kDisable = "disable";
inline constexpr const char* kState = "state";
// The devices using a private share; never starts a helper, as none running means none.
inline constexpr const char* kDevices = "devices";

// Roles a state query answers with.
inline constexpr const char* kRolePublic = "public";
inline constexpr const char* kRolePrivate = "private";
inline constexpr const char* kRoleNone = "none";

}  // namespace orvane::platform::linux_backend::protocol
