# The Windows packages, made with every Windows build (target package_win) in package/ by
# packaging/windows/make-packages: ZELK_Win-<version>-win64.zip, the portable folder;
# ZELK_Win-<version>-setup.exe, the per-user NSIS installer; ZELK_Win-<version>-x64.msi, the
# per-machine installer, which adds zelk-start.exe. They are never signed here: scripts/package-win
# signs copies. package/packages.env tells scripts and tests where the parts lie and the versions.
find_program(MAKENSIS makensis REQUIRED)
find_program(WIXL wixl REQUIRED)
set(zelk_package_name ZELK_Win-${PROJECT_VERSION}-win64)
set(zelk_package_dir ${PROJECT_BINARY_DIR}/package)
set(zelk_stage ${zelk_package_dir}/${zelk_package_name})
set(zelk_launcher ${zelk_package_dir}/zelk-start.exe)
set(zelk_icon ${PROJECT_SOURCE_DIR}/src/forms/icons/zelk.ico)
set(zelk_packages
    ${zelk_package_dir}/${zelk_package_name}.zip
    ${zelk_package_dir}/ZELK_Win-${PROJECT_VERSION}-setup.exe
    ${zelk_package_dir}/ZELK_Win-${PROJECT_VERSION}-x64.msi)
file(CONFIGURE OUTPUT ${zelk_package_dir}/packages.env CONTENT [[
version=@PROJECT_VERSION@
msi_version=@ZELK_MSI_VERSION@
file_version=@ZELK_FILE_VERSION@
stage=@zelk_stage@
launcher=@zelk_launcher@
icon=@zelk_icon@
]] @ONLY)

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
    ${PROJECT_SOURCE_DIR}/packaging/windows/zelk.nsi ${PROJECT_SOURCE_DIR}/packaging/windows/zelk.wxs
    ${PROJECT_SOURCE_DIR}/packaging/windows/make-packages ${zelk_icon} ${zelk_help_files})

add_custom_command(OUTPUT ${zelk_packages}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${zelk_stage} ${zelk_packages}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${zelk_stage}
    ${copy_programs}
    COMMAND ${CMAKE_STRIP} -o ${zelk_launcher} $<TARGET_FILE:zelk-start>
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/data/JISTEELW.CSV
        ${PROJECT_SOURCE_DIR}/packaging/windows/README.txt ${zelk_stage}
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/data/zelkhelp ${zelk_stage}/zelkhelp
    COMMAND ${PROJECT_SOURCE_DIR}/packaging/windows/make-packages ${zelk_package_dir} ${zelk_stage}
        ${zelk_launcher} ${zelk_icon} ${PROJECT_VERSION} ${ZELK_MSI_VERSION} ${ZELK_FILE_VERSION}
    DEPENDS ${zelk_programs} zelk-start ${zelk_package_sources}
    COMMENT "Windows packages: ${zelk_package_name}.zip, the installer and the MSI"
    VERBATIM)
add_custom_target(package_win ALL DEPENDS ${zelk_packages})
