# The compiled help file: docs/help (UTF-8 pages) → porun.chm beside porun.exe.
option(PORUN_BUILD_HELP "Compile the help file porun.chm with chmcmd" ON)
if(NOT PORUN_BUILD_HELP)
    return()
endif()

find_program(PORUN_CHMCMD chmcmd)
if(NOT PORUN_CHMCMD)
    message(WARNING "chmcmd not found: the build will stop at porun.chm. "
                    "Install the Debian package fp-utils (scripts/setup.sh does) "
                    "or configure with -DPORUN_BUILD_HELP=OFF.")
    set(PORUN_CHMCMD chmcmd)
endif()

file(GLOB_RECURSE porun_help_sources CONFIGURE_DEPENDS
     ${CMAKE_SOURCE_DIR}/docs/help/*.html ${CMAKE_SOURCE_DIR}/docs/help/*.css
     ${CMAKE_SOURCE_DIR}/docs/help/*.hhp ${CMAKE_SOURCE_DIR}/docs/help/*.hhc
     ${CMAKE_SOURCE_DIR}/docs/screenshots/*.png)
set(PORUN_HELP_FILE ${CMAKE_BINARY_DIR}/porun.chm)
add_custom_command(OUTPUT ${PORUN_HELP_FILE}
    COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/build-help.sh ${CMAKE_SOURCE_DIR} ${PORUN_HELP_FILE} ${PORUN_CHMCMD}
    DEPENDS ${porun_help_sources} ${CMAKE_SOURCE_DIR}/scripts/build-help.sh
    COMMENT "Compiling the help file porun.chm"
    VERBATIM)
add_custom_target(porun_help ALL DEPENDS ${PORUN_HELP_FILE})
# The help file belongs to the program: building porun builds it too.
add_dependencies(porun porun_help)
