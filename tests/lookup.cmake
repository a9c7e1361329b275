zelk_add_test(test_LookupWindowLogic
    SOURCES lookup/LookupWindowLogicTest.cpp
    LIBS zelk_lookup
)
