# Every C++ file follows the repo's .clang-format.
find_program(CLANG_FORMAT clang-format REQUIRED)
file(GLOB_RECURSE formatted_sources CONFIGURE_DEPENDS
    ${PROJECT_SOURCE_DIR}/src/*.cpp ${PROJECT_SOURCE_DIR}/src/*.h
    ${PROJECT_SOURCE_DIR}/tests/*.cpp ${PROJECT_SOURCE_DIR}/tests/*.h
    ${PROJECT_SOURCE_DIR}/bench/*.cpp ${PROJECT_SOURCE_DIR}/bench/*.h)
add_test(NAME clang_format COMMAND ${CLANG_FORMAT} --dry-run -Werror ${formatted_sources})
