# One version for everything, from project(): the About window, the Windows version resources,
# the Debian package and the Windows packages.
#
# The version is major.minor with a two-digit minor (1.01, 1.02 ... 1.10), an optional patch
# after it; with the minor always two digits, versions compare alike as Debian and as Windows
# compare them. Windows reads each part as a number, so 1.01 is 1.1 to it:
#   ZELK_FILE_VERSION, ZELK_VERSION_NUMBERS  the version resources' four numbers, 1.1.0.0
#   ZELK_MSI_VERSION                         Windows Installer's ProductVersion, three parts:
#                                            1.01.0, compared as 1.1.0
set(ZELK_VERSION ${PROJECT_VERSION})
if(NOT ZELK_VERSION MATCHES "^[0-9]+\\.[0-9][0-9](\\.[0-9]+)?$")
    message(FATAL_ERROR "project() version ${ZELK_VERSION}: use major.minor with a two-digit minor, e.g. 1.01")
endif()
math(EXPR zelk_version_minor "${PROJECT_VERSION_MINOR}")
set(zelk_version_patch 0)
if(NOT PROJECT_VERSION_PATCH STREQUAL "")
    set(zelk_version_patch ${PROJECT_VERSION_PATCH})
endif()
set(ZELK_FILE_VERSION "${PROJECT_VERSION_MAJOR}.${zelk_version_minor}.${zelk_version_patch}.0")
string(REPLACE "." ", " ZELK_VERSION_NUMBERS "${ZELK_FILE_VERSION}")
set(ZELK_MSI_VERSION "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${zelk_version_patch}")

configure_file(${CMAKE_CURRENT_LIST_DIR}/ZelkVersion.h.in ${PROJECT_BINARY_DIR}/generated/ZelkVersion.h @ONLY)
add_library(zelk_version INTERFACE)
target_include_directories(zelk_version INTERFACE ${PROJECT_BINARY_DIR}/generated)
