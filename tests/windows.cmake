zelk_add_test(test_frmZELK
    SOURCES windows/frmZELKTest.cpp
    LIBS zelk_windows
)
