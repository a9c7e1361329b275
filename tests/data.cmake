# The bundled catalogue data/JISTEELW.CSV and the script that builds it from data/sources.

# Loads as it stands, holds the figures quoted for the standard sections, and the take-off sheet
# set up by its tag lines is consistent.
zelk_add_test(tst_BundledCatalogue
    SOURCES data/tst_BundledCatalogue.cpp
    LIBS zelk_catalogue)

# The loader repairs nothing in it: check prints nothing and exits 0.
add_test(NAME data_catalogue_check
    COMMAND zelk-tool check ${PROJECT_SOURCE_DIR}/data/JISTEELW.CSV)
set_tests_properties(data_catalogue_check PROPERTIES FAIL_REGULAR_EXPRESSION ".")

# Rebuilt from the source tables through the generator it comes out byte for byte the same, and
# the generator run on it changes nothing.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_test(NAME data_catalogue_reproducible
    COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/tools/make_catalogue.py
            --zelk-tool $<TARGET_FILE:zelk-tool> --check --output ${PROJECT_SOURCE_DIR}/data/JISTEELW.CSV)
# Neither test leaves compiled Python files in the source tree.
set_tests_properties(data_catalogue_reproducible PROPERTIES ENVIRONMENT "PYTHONDONTWRITEBYTECODE=1")

# The unit weight formulas against figures of the standards' own tables.
add_test(NAME data_steel_sections
    COMMAND Python3::Interpreter -m unittest -v test_steel_sections
    WORKING_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/data)
set_tests_properties(data_steel_sections PROPERTIES ENVIRONMENT "PYTHONPATH=${PROJECT_SOURCE_DIR}/tools;PYTHONDONTWRITEBYTECODE=1")
