zelk_add_gtest(tst_CodePage932 SOURCES catalogue/tst_CodePage932.cpp LIBS zelk_text)

# cp932_table writes what the converter makes of every one- and two-byte sequence and of every
# character of the BMP (and a few beyond), or compares that with such a file. In the Windows build
# it holds the Windows converter against the Linux build's.
add_executable(cp932_table catalogue/cp932_table.cpp)
target_link_libraries(cp932_table PRIVATE zelk_text)
set_target_properties(cp932_table PROPERTIES AUTOMOC OFF)

set(ZELK_LINUX_BINARY_DIR "" CACHE PATH "A Linux build of this project, whose converter the Windows build's is compared with")
if(WIN32 AND ZELK_LINUX_BINARY_DIR)
    set(linux_table ${CMAKE_CURRENT_BINARY_DIR}/cp932_table.linux.txt)
    add_test(NAME CodePage932.linuxTable COMMAND ${ZELK_LINUX_BINARY_DIR}/bin/cp932_table ${linux_table})
    set_tests_properties(CodePage932.linuxTable PROPERTIES FIXTURES_SETUP cp932_linux_table)
    add_test(NAME CodePage932.tableMatchesLinux COMMAND cp932_table --compare ${linux_table})
    set_tests_properties(CodePage932.tableMatchesLinux PROPERTIES FIXTURES_REQUIRED cp932_linux_table)
elseif(WIN32)
    message(STATUS "ZELK_LINUX_BINARY_DIR not set: the converter is not compared with the Linux build's")
endif()
