zelk_add_test(test_frmZELK
    SOURCES windows/frmZELKTest.cpp
    LIBS zelk_windows zelk_platform_recording
)
zelk_add_test(test_ApplicationIcon
    SOURCES windows/ApplicationIconTest.cpp
    LIBS zelk_windows zelk_platform_recording
)
# The menu commands on the X server of scripts/x11-session.
if(NOT WIN32)
    zelk_add_test(test_frmZELKCommands
        SOURCES windows/frmZELKCommandsTest.cpp
        LIBS zelk_windows zelk_platform_recording
        LABELS x11
        # libxkbcommon-x11 copies the keymap's names with strndup() and a length beyond the reply's
        # end (it stops at the terminating zero), which strict string checks take for an overflow.
        ENVIRONMENT QT_QPA_PLATFORM=xcb "ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=0"
    )
endif()
