# Runs against the X server and window manager of scripts/x11-session; starts build/bin/zelk.
if(NOT WIN32)
    zelk_add_test(test_X11StayOnTop
        SOURCES platform/X11StayOnTopTest.cpp
        LIBS zelk_platform zelk_lookup zelk_test_support PkgConfig::XCB
        LABELS x11
        ENVIRONMENT QT_QPA_PLATFORM=xcb
    )
    add_dependencies(test_X11StayOnTop zelk)

    # zelk types into the stand-in spreadsheet on the private X server while the test works zelk's
    # window with keys and clicks.
    zelk_add_test(X11SpreadsheetLinkTest
        SOURCES platform/X11SpreadsheetLinkTest.cpp
        LIBS zelk_catalogue zelk_lookup zelk_standin_client zelk_process_client Qt6::Widgets
        LABELS x11
        ENVIRONMENT QT_QPA_PLATFORM=xcb)
    # It works the keyboard focus of the shared X server: a window that another test maps meanwhile
    # takes the focus from the stand-in in the middle of a transfer.
    set_tests_properties(X11SpreadsheetLinkTest PROPERTIES RUN_SERIAL TRUE)
endif()
