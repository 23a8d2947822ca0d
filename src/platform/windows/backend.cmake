# The real Windows machine: IP Helper, the registry, the sharing COM service, WinINet, the
# service control manager and version resources. wireless.dll is built from wireless/.
target_link_libraries(orvane_platform PUBLIC iphlpapi wininet version ole32 oleaut32 advapi32
  taskschd)
# Windows XP and later: the calls used are all there.
target_compile_definitions(orvane_platform PRIVATE _WIN32_WINNT=0x0501 WIN32_LEAN_AND_MEAN)

add_subdirectory(${CMAKE_CURRENT_LIST_DIR}/wireless ${CMAKE_BINARY_DIR}/src/platform/wireless)
