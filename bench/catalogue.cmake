# Loading a catalogue at capacity (100 groups of 200 members) against its floor, reading the same
# file, decoding it and splitting it into lines: build/bin/bench_catalogue prints the ratio.
find_package(benchmark REQUIRED)
add_executable(bench_catalogue catalogue/bench_LoadCatalogue.cpp)
target_include_directories(bench_catalogue PRIVATE ${CMAKE_CURRENT_LIST_DIR}/support)
target_link_libraries(bench_catalogue PRIVATE zelk_catalogue benchmark::benchmark)
