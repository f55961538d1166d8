# The artwork: every picture resources/art.rc lists as "art/NAME.ico|cur|bmp"
# is rendered by scripts/render-art.sh from resources/art/src/NAME.svg (and
# NAME-SIZE.svg where one size has its own drawing) into ${PORUN_ART_ROOT}/art.
# Sets PORUN_ART_ROOT (an include folder for the resource compiler) and
# PORUN_ART_FILES; the target porun_art renders them.
find_program(PORUN_RSVG_CONVERT rsvg-convert)
find_program(PORUN_MAGICK_CONVERT NAMES magick convert)
if(NOT PORUN_RSVG_CONVERT OR NOT PORUN_MAGICK_CONVERT)
    message(WARNING "rsvg-convert or ImageMagick not found: the build will stop at "
                    "the artwork. Install the Debian packages librsvg2-bin and imagemagick "
                    "(scripts/setup.sh does).")
endif()

set(PORUN_ART_ROOT ${CMAKE_BINARY_DIR}/resources)
set(porun_art_src ${CMAKE_SOURCE_DIR}/resources/art/src)
set(porun_art_script ${CMAKE_SOURCE_DIR}/scripts/render-art.sh)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/art.rc)
file(STRINGS ${CMAKE_SOURCE_DIR}/resources/art.rc porun_art_lines REGEX "\"art/[^\"]+\"")
file(GLOB porun_art_styles CONFIGURE_DEPENDS ${porun_art_src}/*.css)

set(PORUN_ART_FILES)
foreach(line IN LISTS porun_art_lines)
    string(REGEX REPLACE ".*\"art/([^\"]+)\".*" "\\1" file "${line}")
    get_filename_component(name ${file} NAME_WE)
    file(GLOB sources CONFIGURE_DEPENDS ${porun_art_src}/${name}.svg ${porun_art_src}/${name}-*.svg)
    set(output ${PORUN_ART_ROOT}/art/${file})
    add_custom_command(OUTPUT ${output}
        COMMAND bash ${porun_art_script} ${porun_art_src} ${output}
        DEPENDS ${sources} ${porun_art_styles} ${porun_art_script}
        COMMENT "Rendering art/${file}"
        VERBATIM)
    list(APPEND PORUN_ART_FILES ${output})
endforeach()
add_custom_target(porun_art DEPENDS ${PORUN_ART_FILES})
