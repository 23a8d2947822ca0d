# The program's window on the simulated machine: start-up against a bare Qt window, idle
# wake-ups, "Refresh" with many adapters and how fast a lost Internet shows.
if(TARGET orvane_ui)
  # Qt's imported targets are seen only in the folders that look them up.
  find_package(Qt6 REQUIRED COMPONENTS Widgets)
  add_executable(bench_ui ${CMAKE_CURRENT_LIST_DIR}/UiBench.cpp ${CMAKE_CURRENT_LIST_DIR}/UiScenes.cpp)
  target_link_libraries(bench_ui PRIVATE orvane_ui orvane_sim)
endif()
