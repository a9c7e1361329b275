# GoogleTest for every build, native or cross, compiled from the distribution's source tree with
# the build's own compiler, and zelk_add_gtest() to add one test program.
include_guard(GLOBAL)
include(GoogleTest)

set(ZELK_GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH
    "GoogleTest source tree (Debian package googletest)")
if(NOT EXISTS ${ZELK_GOOGLETEST_SOURCE_DIR}/CMakeLists.txt)
    message(FATAL_ERROR "No GoogleTest source in ${ZELK_GOOGLETEST_SOURCE_DIR}: install googletest (scripts/setup)")
endif()
# The test framework is part of no package of ours, and gmock is not used.
set(INSTALL_GTEST OFF CACHE BOOL "Install GoogleTest along with this project")
set(BUILD_GMOCK OFF CACHE BOOL "Build GoogleMock")
# GoogleTest's code is not written to this project's warning flags: it gets its own, and keeps the
# others (sanitizers).
get_property(zelk_compile_options DIRECTORY PROPERTY COMPILE_OPTIONS)
set(googletest_compile_options ${zelk_compile_options})
list(FILTER googletest_compile_options EXCLUDE REGEX "^-W")
set_property(DIRECTORY PROPERTY COMPILE_OPTIONS ${googletest_compile_options})
add_subdirectory(${ZELK_GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
set_property(DIRECTORY PROPERTY COMPILE_OPTIONS ${zelk_compile_options})
# Nothing here is Qt code, even where the rest of the build runs moc.
if(ZELK_QT)
    set_target_properties(gtest gtest_main PROPERTIES AUTOMOC OFF)
endif()

# zelk_add_gtest(NAME SOURCES... LIBS... [LABELS...] [ENVIRONMENT...]): one GoogleTest program;
# CTest runs each of its tests as a test of its own, through Wine in the cross build. The tests
# find the repo's files through ZELK_SOURCE_DIR (Wine maps a Unix path as it is) and the built
# programs through ZELK_BINARY_DIR.
function(zelk_add_gtest name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LABELS;ENVIRONMENT" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE gtest_main ${ARG_LIBS})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests ${PROJECT_SOURCE_DIR}/src)
    target_compile_definitions(${name} PRIVATE
        ZELK_SOURCE_DIR="${PROJECT_SOURCE_DIR}" ZELK_BINARY_DIR="${PROJECT_BINARY_DIR}")
    set(properties "")
    if(ARG_LABELS)
        # Tests on the shared X server take the focus and type into windows: one at a time.
        if("x11" IN_LIST ARG_LABELS)
            list(APPEND properties RESOURCE_LOCK x11_display)
        endif()
        # The lock goes first and the labels' separators are escaped: a second label must not read
        # as the name of the next property (it was the lock's), whether or not the label stays.
        string(REPLACE ";" "\\;" labels "${ARG_LABELS}")
        list(APPEND properties LABELS "${labels}")
    endif()
    if(ARG_ENVIRONMENT)
        list(APPEND properties ENVIRONMENT "${ARG_ENVIRONMENT}")
    endif()
    # Listing the tests at test time rather than build time lets a cross build finish without
    # starting its programs; the first start of a Wine prefix takes several seconds.
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120 PROPERTIES ${properties})
endfunction()
