# ZELK_CORE_ONLY: build only the parts that need no Qt (the core and its tests), as every Windows
# build does; the window program, the benchmarks and the fuzz targets are left out.
include_guard(GLOBAL)

if(CMAKE_SYSTEM_NAME STREQUAL "Windows")
    set(ZELK_CORE_ONLY ON)
else()
    option(ZELK_CORE_ONLY "Build only the parts without Qt: the core and its tests" OFF)
endif()
if(ZELK_CORE_ONLY)
    set(ZELK_BUILD_BENCH OFF)
    set(ZELK_FUZZ OFF)
endif()
