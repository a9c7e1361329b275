# 100 table-form transfers in a row into the stand-in spreadsheet, made by the real zelk program;
# run it on an X display:
#   scripts/x11-session env QT_QPA_PLATFORM=xcb build/bin/link-bench
if(TARGET zelk_desktop)
    add_executable(link-bench LinkBench.cpp)
    target_link_libraries(link-bench PRIVATE zelk_desktop)
    target_compile_definitions(link-bench PRIVATE ZELK_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
endif()
