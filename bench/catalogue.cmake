find_package(benchmark REQUIRED)
add_executable(bench_catalogue catalogue/bench_LoadCatalogue.cpp support/RatioReporter.cpp)
target_include_directories(bench_catalogue PRIVATE ${CMAKE_CURRENT_LIST_DIR}/support)
target_link_libraries(bench_catalogue PRIVATE zelk_catalogue benchmark::benchmark)
