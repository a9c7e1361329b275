zelk_add_test(test_LookupWindowLogic
    SOURCES lookup/LookupWindowLogicTest.cpp
    LIBS zelk_lookup
)
zelk_add_test(test_LookupCommands
    SOURCES lookup/LookupCommandsTest.cpp
    LIBS zelk_lookup
)
