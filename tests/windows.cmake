zelk_add_test(test_frmZELK
    SOURCES windows/frmZELKTest.cpp
    LIBS zelk_windows
)
zelk_add_test(test_ApplicationIcon
    SOURCES windows/ApplicationIconTest.cpp
    LIBS zelk_windows
)
