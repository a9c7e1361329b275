zelk_add_test(test_LookupWindowLogic
    SOURCES lookup/LookupWindowLogicTest.cpp
    LIBS zelk_lookup zelk_platform_recording zelk_test_support
)
zelk_add_test(test_LookupCommands
    SOURCES lookup/LookupCommandsTest.cpp
    LIBS zelk_lookup zelk_platform_recording zelk_test_support
)
zelk_add_test(KeySequenceTest SOURCES lookup/KeySequenceTest.cpp LIBS zelk_lookup)
zelk_add_test(SpreadsheetLinkTest SOURCES lookup/SpreadsheetLinkTest.cpp LIBS zelk_lookup zelk_platform_recording)
zelk_add_test(SpreadsheetWindowTitleTest SOURCES lookup/SpreadsheetWindowTitleTest.cpp LIBS zelk_lookup)
