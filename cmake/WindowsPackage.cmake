# The Windows packages, made with every Windows build (target package_win) in package/:
# ZELK_Win-<version>-win64.zip, a portable folder, and ZELK_Win-<version>-setup.exe, the per-user
# NSIS installer (packaging/windows/zelk.nsi). Each program goes in once its target exists.
find_program(MAKENSIS makensis REQUIRED)
set(zelk_package_name ZELK_Win-${PROJECT_VERSION}-win64)
set(zelk_package_dir ${PROJECT_BINARY_DIR}/package)
set(zelk_stage ${zelk_package_dir}/${zelk_package_name})
set(zelk_zip ${zelk_package_dir}/${zelk_package_name}.zip)
set(zelk_setup ${zelk_package_dir}/ZELK_Win-${PROJECT_VERSION}-setup.exe)

# The programs go in without their debugging information.
set(zelk_programs "")
set(copy_programs "")
foreach(program zelk zelk-tool)
    if(TARGET ${program})
        list(APPEND zelk_programs $<TARGET_FILE:${program}>)
        list(APPEND copy_programs COMMAND ${CMAKE_STRIP} -o ${zelk_stage}/$<TARGET_FILE_NAME:${program}>
            $<TARGET_FILE:${program}>)
    endif()
endforeach()
file(GLOB zelk_help_files CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/data/zelkhelp/*)
set(zelk_package_sources ${PROJECT_SOURCE_DIR}/data/JISTEELW.CSV ${PROJECT_SOURCE_DIR}/packaging/windows/README.txt
    ${PROJECT_SOURCE_DIR}/packaging/windows/zelk.nsi ${zelk_help_files})

add_custom_command(OUTPUT ${zelk_zip} ${zelk_setup}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${zelk_stage} ${zelk_zip} ${zelk_setup}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${zelk_stage}
    ${copy_programs}
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/data/JISTEELW.CSV
        ${PROJECT_SOURCE_DIR}/packaging/windows/README.txt ${zelk_stage}
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/data/zelkhelp ${zelk_stage}/zelkhelp
    COMMAND ${CMAKE_COMMAND} -E chdir ${zelk_package_dir}
        ${CMAKE_COMMAND} -E tar cf ${zelk_zip} --format=zip ${zelk_package_name}
    COMMAND ${MAKENSIS} -V2 -DVERSION=${PROJECT_VERSION} -DFILE_VERSION=${ZELK_FILE_VERSION} -DSTAGE=${zelk_stage} -DOUTFILE=${zelk_setup}
        ${PROJECT_SOURCE_DIR}/packaging/windows/zelk.nsi
    DEPENDS ${zelk_programs} ${zelk_package_sources}
    COMMENT "Windows packages: ${zelk_package_name}.zip and the installer"
    VERBATIM)
add_custom_target(package_win ALL DEPENDS ${zelk_zip} ${zelk_setup})
