# The coefficient generator against its floor (the catalogue copied unchanged through the same
# line reader and writer), in process with Google Benchmark: build/bin/bench_coefficients.
# bench/run-coefficients-bench times the programs from outside, adds the awk peer
# bench/regen_peer.awk and compares peak memory on 1,000,000 and 10,000 members.
find_package(benchmark REQUIRED)
add_executable(bench_coefficients
    coefficients/bench_coefficients.cpp
    coefficients/BenchCatalogue.cpp
)
target_link_libraries(bench_coefficients PRIVATE zelk_coefficients benchmark::benchmark)
