zelk_add_test(test_frmZELK
    SOURCES windows/frmZELKTest.cpp
    LIBS zelk_windows zelk_platform_recording zelk_test_support
)
zelk_add_test(test_ApplicationIcon
    SOURCES windows/ApplicationIconTest.cpp
    LIBS zelk_windows zelk_platform_recording zelk_test_support
)
# The menu commands on the X server of scripts/x11-session.
if(NOT WIN32)
    zelk_add_test(test_frmZELKCommands
        SOURCES windows/frmZELKCommandsTest.cpp
        LIBS zelk_windows zelk_platform_recording zelk_test_support
        LABELS x11
        ENVIRONMENT QT_QPA_PLATFORM=xcb
    )
endif()
