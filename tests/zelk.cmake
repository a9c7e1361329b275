zelk_add_test(test_ZelkProgram
    SOURCES zelk/ZelkProgramTest.cpp
    LIBS zelk_lookup
)
add_dependencies(test_ZelkProgram zelk)
