# Connection sharing on the real Linux backend, in network namespaces of its own (needs root):
# time from starting to share until a DHCP client fetches a page, and NAT throughput against
# plain routing.
if(TARGET orvane-sharing-helper)
  add_executable(bench_sharing ${CMAKE_CURRENT_LIST_DIR}/SharingBench.cpp
                 ${CMAKE_CURRENT_LIST_DIR}/LeanGuest.cpp
                 ${CMAKE_CURRENT_LIST_DIR}/NatThroughput.cpp
                 ${CMAKE_SOURCE_DIR}/tests/platform/linux/TestNamespace.cpp
                 ${CMAKE_SOURCE_DIR}/tests/platform/linux/SharingTopology.cpp)
  target_include_directories(bench_sharing PRIVATE ${CMAKE_SOURCE_DIR}/tests/platform/linux)
  target_link_libraries(bench_sharing PRIVATE orvane_network orvane_platform)
  add_dependencies(bench_sharing orvane-sharing-helper)
  target_compile_definitions(bench_sharing PRIVATE
    ORVANE_BENCH_SHARING_HELPER="$<TARGET_FILE:orvane-sharing-helper>")
endif()
