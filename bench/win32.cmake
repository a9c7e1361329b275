# The floor of zelk.exe's start-up measurement (bench/win32-startup.sh).
add_executable(bench-floor-window-win32 WIN32 win32/FloorWindow.cpp)
target_include_directories(bench-floor-window-win32 PRIVATE ${PROJECT_SOURCE_DIR}/src)
target_compile_definitions(bench-floor-window-win32 PRIVATE UNICODE _UNICODE)
target_link_options(bench-floor-window-win32 PRIVATE -municode)
