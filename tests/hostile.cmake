# The hostile catalogues under tests/hostile/, each run through zelk-tool check, show and regen.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_test(NAME hostile_catalogues
    COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/hostile/run_hostile.py $<TARGET_FILE:zelk-tool>)
# The 50 MB line and the 100,000-member group take a while in the sanitizer build.
set_tests_properties(hostile_catalogues PROPERTIES TIMEOUT 1500 LABELS hostile)
