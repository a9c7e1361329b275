# The Debian package, made by CPack, unpacked and started as the desktop menu starts it, on the X
# server of scripts/x11-session. Only in the normal build: that is the build the package is made of.
if(NOT WIN32 AND NOT ZELK_SANITIZE)
    find_package(Python3 REQUIRED COMPONENTS Interpreter)
    add_test(NAME package_desktop_start
        COMMAND Python3::Interpreter ${CMAKE_CURRENT_SOURCE_DIR}/package/test_package.py
                ${PROJECT_BINARY_DIR} ${PROJECT_SOURCE_DIR} ${PROJECT_VERSION})
    set_tests_properties(package_desktop_start PROPERTIES
        LABELS x11 RESOURCE_LOCK x11_display TIMEOUT 900 ENVIRONMENT "PYTHONDONTWRITEBYTECODE=1")
endif()
