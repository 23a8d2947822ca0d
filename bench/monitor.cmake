# The Internet monitor left idle over the simulated probe: how often its thread wakes.
add_executable(bench_monitor ${CMAKE_CURRENT_LIST_DIR}/MonitorIdleBench.cpp)
target_link_libraries(bench_monitor PRIVATE orvane_wireless orvane_sim)
