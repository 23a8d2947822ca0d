#pragma once

// The system headers, without the macros that map names the platform interfaces share with
// Windows calls to those calls' ANSI or wide forms. Backend files include this, never
// <windows.h> itself, and call the ANSI forms by their full names.
// clang-format off
#include <winsock2.h>
#include <windows.h>
// clang-format on

#undef OpenSCManager
#undef OpenService
#undef StartService
#undef GetFileVersionInfoSize
#undef GetFileVersionInfo
