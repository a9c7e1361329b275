# The member finder on 10,000 members and a thousand queries as written on drawings, against its
# floor, a plain substring scan of the same designations: build/bin/bench_find prints the median
# time per query of each, their ratio and the memory before and after the queries.
add_executable(bench_find find/bench_MemberFinder.cpp)
target_link_libraries(bench_find PRIVATE zelk_coefficients)
