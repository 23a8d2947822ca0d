# The wireless component's refresh over the NetworkManager library, against the mock service
# on a private bus: 4 Wi-Fi devices with 21 networks each.
if(TARGET orvane_dbus_test_support)
  add_executable(bench_wireless ${CMAKE_CURRENT_LIST_DIR}/WirelessRefreshBench.cpp)
  target_link_libraries(bench_wireless PRIVATE orvane_dbus_test_support orvane_wireless orvane_sim)
endif()
