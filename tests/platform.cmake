# Runs against the X server and window manager of scripts/x11-session; starts build/bin/zelk.
if(NOT WIN32)
    zelk_add_test(test_X11StayOnTop
        SOURCES platform/X11StayOnTopTest.cpp
        LIBS zelk_platform zelk_lookup PkgConfig::XCB
        LABELS x11
        ENVIRONMENT QT_QPA_PLATFORM=xcb
    )
    add_dependencies(test_X11StayOnTop zelk)

    # Types into the stand-in spreadsheet on the private X server, through the real X11 sink.
    zelk_add_test(X11SpreadsheetLinkTest
        SOURCES platform/X11SpreadsheetLinkTest.cpp platform/LinkTestDriver.cpp
        LIBS zelk_platform zelk_standin_client Qt6::Widgets PkgConfig::XCB
        LABELS x11
        ENVIRONMENT QT_QPA_PLATFORM=xcb)
endif()
