# The coefficient generator against its floor (copying the catalogue through the same line
# reader and writer) and, through run-coefficients-bench, against the awk peer regen_peer.awk.
find_package(benchmark REQUIRED)
add_executable(bench_coefficients
    coefficients/bench_coefficients.cpp
    coefficients/BenchCatalogue.cpp
)
target_link_libraries(bench_coefficients PRIVATE zelk_coefficients benchmark::benchmark)
