zelk_add_test(KeysCommandTest SOURCES zelk-tool/KeysCommandTest.cpp)
add_dependencies(KeysCommandTest zelk-tool)
