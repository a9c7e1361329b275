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
        ENVIRONMENT QT_QPA_PLATFORM=xcb
    )
    # libxkbcommon-x11 hands strndup a keymap name that is not NUL-terminated (its length is
    # given): strict string checks in the sanitizer build take that for an overflow.
    set_tests_properties(test_frmZELKCommands PROPERTIES
        ENVIRONMENT_MODIFICATION "ASAN_OPTIONS=string_append::strict_string_checks=0")
endif()
