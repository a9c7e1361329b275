# The coefficient generator against its floor (the catalogue copied unchanged through the same
# line reader, converter and writer into a replacing file), in process with Google Benchmark and
# as the median ratio of 15 runs of the two in turn:
# build/bin/bench_coefficients. bench/run-coefficients-bench times both programs from outside on
# 1,000,000 members, checks the output against the awk peer bench/regen_peer.awk and compares
# peak memory on 1,000,000 and 10,000 members.
find_package(benchmark REQUIRED)
add_executable(bench_coefficients
    coefficients/bench_coefficients.cpp
    coefficients/BenchCatalogue.cpp
)
target_include_directories(bench_coefficients PRIVATE ${CMAKE_CURRENT_LIST_DIR}/support)
target_link_libraries(bench_coefficients PRIVATE zelk_coefficients benchmark::benchmark)
