# The stand-in spreadsheet that the link's end-to-end tests and its benchmark type into, and the
# client that runs zelk for them.
if(NOT WIN32)
    add_executable(zelk-standin-spreadsheet
        standin/main.cpp
        standin/StandInGrid.cpp
        standin/StandInWindow.cpp
    )
    target_link_libraries(zelk-standin-spreadsheet PRIVATE Qt6::Widgets)

    add_library(zelk_standin_client STATIC standin/StandInProcess.cpp)
    target_include_directories(zelk_standin_client PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(zelk_standin_client PUBLIC zelk_platform Qt6::Gui)
    target_compile_definitions(zelk_standin_client PRIVATE
        ZELK_STANDIN_PATH="$<TARGET_FILE:zelk-standin-spreadsheet>")
    add_dependencies(zelk_standin_client zelk-standin-spreadsheet)

    # Runs the real lookup program and works it with keys and clicks, for the same tests and benchmark.
    add_library(zelk_process_client STATIC standin/ZelkProcess.cpp)
    target_include_directories(zelk_process_client PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(zelk_process_client PUBLIC zelk_platform Qt6::Gui PkgConfig::XCB)
    target_compile_definitions(zelk_process_client PRIVATE ZELK_PATH="$<TARGET_FILE:zelk>")
    add_dependencies(zelk_process_client zelk)
endif()
