if(NOT WIN32)
    # Types into the stand-in spreadsheet on the private X server, through the real X11 sink.
    zelk_add_test(X11SpreadsheetLinkTest
        SOURCES platform/X11SpreadsheetLinkTest.cpp platform/LinkTestDriver.cpp
        LIBS zelk_platform zelk_standin_client Qt6::Widgets PkgConfig::ZELK_XCB
        LABELS x11
        ENVIRONMENT QT_QPA_PLATFORM=xcb)
endif()
