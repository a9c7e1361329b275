# The catalogue file reader.
zelk_add_test(tst_ParseDecimalField SOURCES catalogue/tst_ParseDecimalField.cpp LIBS zelk_catalogue)
