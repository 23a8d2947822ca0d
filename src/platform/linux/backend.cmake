# The real Linux machine: netlink and sysfs, NetworkManager over D-Bus (sd-bus), libcurl for the
# Internet probe, and nftables with dnsmasq in a privileged helper for connection sharing.
find_package(PkgConfig REQUIRED)
pkg_check_modules(ORVANE_LINUX REQUIRED IMPORTED_TARGET libsystemd libnftables libcurl)

target_link_libraries(orvane_platform PUBLIC PkgConfig::ORVANE_LINUX)
target_compile_definitions(orvane_platform PRIVATE
  ORVANE_VERSION_MAJOR=${PROJECT_VERSION_MAJOR}
  ORVANE_VERSION_MINOR=${PROJECT_VERSION_MINOR}
  ORVANE_VERSION_PATCH=$<IF:$<BOOL:${PROJECT_VERSION_PATCH}>,${PROJECT_VERSION_PATCH},0>
  ORVANE_VERSION_TWEAK=$<IF:$<BOOL:${PROJECT_VERSION_TWEAK}>,${PROJECT_VERSION_TWEAK},0>)

# The helper that holds the sharing with CAP_NET_ADMIN; it sits next to the program.
file(GLOB orvane_helper_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/helper/*.cpp)
list(FILTER orvane_helper_sources EXCLUDE REGEX "Main\\.cpp$")
add_library(orvane_sharing_helper_core STATIC ${orvane_helper_sources})
target_link_libraries(orvane_sharing_helper_core PUBLIC orvane_platform)
add_executable(orvane-sharing-helper ${CMAKE_CURRENT_LIST_DIR}/helper/SharingHelperMain.cpp)
target_link_libraries(orvane-sharing-helper PRIVATE orvane_sharing_helper_core)
set_target_properties(orvane-sharing-helper PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/src/app)

# The wireless library over NetworkManager, a library of its own behind the C table.
file(GLOB orvane_nm_wireless_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/wireless/*.cpp)
add_library(orvane_nm_wireless STATIC ${orvane_nm_wireless_sources})
target_include_directories(orvane_nm_wireless PUBLIC ${CMAKE_SOURCE_DIR}/src)
# The platform hands the table out and the library uses the platform's interface facts: the
# two static libraries name each other.
target_link_libraries(orvane_nm_wireless PUBLIC orvane_platform)
target_link_libraries(orvane_platform PUBLIC orvane_nm_wireless)

include(${CMAKE_SOURCE_DIR}/cmake/InstallHelper.cmake)
