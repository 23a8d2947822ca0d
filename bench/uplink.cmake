# A lost uplink on the real Linux backend in network namespaces of its own (needs root): time
# from the uplink veth going down until the Internet monitor hands the loss on.
if(TARGET orvane-sharing-helper)
  add_executable(bench_uplink ${CMAKE_CURRENT_LIST_DIR}/UplinkBench.cpp
                 ${CMAKE_SOURCE_DIR}/tests/platform/linux/TestNamespace.cpp)
  target_include_directories(bench_uplink PRIVATE ${CMAKE_SOURCE_DIR}/tests/platform/linux)
  target_link_libraries(bench_uplink PRIVATE orvane_wireless orvane_platform)
endif()
