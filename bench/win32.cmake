# The floor of zelk.exe's start-up measurement (bench/win32-startup.sh).
add_executable(bench-floor-window-win32 WIN32 win32/FloorWindow.cpp)
target_include_directories(bench-floor-window-win32 PRIVATE ${PROJECT_SOURCE_DIR}/src)
target_compile_definitions(bench-floor-window-win32 PRIVATE UNICODE _UNICODE)
target_link_options(bench-floor-window-win32 PRIVATE -municode)

# The spreadsheet link: 100 table-form transfers by zelk.exe into the tests' stand-in spreadsheet; run
# it under Wine on an X display:
#   scripts/x11-session scripts/wine-run build-win/wine-prefix build-win/bin/win32-link-bench.exe
if(TARGET standin-spreadsheet)
    add_executable(win32-link-bench win32/Win32LinkBench.cpp)
    target_include_directories(win32-link-bench PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    target_link_libraries(win32-link-bench PRIVATE zelk_win32)
    target_compile_definitions(win32-link-bench PRIVATE ZELK_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
    add_dependencies(win32-link-bench standin-spreadsheet zelk)
endif()
