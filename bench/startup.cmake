# bench/startup.sh measures zelk against this floor: process start to first paint, peak memory.
if(ZELK_QT)
    add_executable(bench-floor-window startup/FloorWindow.cpp ${PROJECT_SOURCE_DIR}/src/platform/qt/app/FirstPaintReporter.cpp)
    target_include_directories(bench-floor-window PRIVATE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(bench-floor-window PRIVATE Qt6::Widgets)
endif()
# Run: bench/startup.sh [RUNS]
