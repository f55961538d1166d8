# zlib and minizip. A minizip package found on the machine (MSYS2 ships one,
# with the Win32 file functions of iowin32) is used as it is; otherwise
# minizip is built from the sources that scripts/setup.sh fetched into
# .deps/minizip, iowin32.c included: archives are read and written through
# the 64-bit interface on Win32 file handles.
find_package(ZLIB REQUIRED)
add_library(zlib_static INTERFACE)
if(EXISTS ${CMAKE_FIND_ROOT_PATH}/lib/libz.a)
    target_link_libraries(zlib_static INTERFACE ${CMAKE_FIND_ROOT_PATH}/lib/libz.a)
    target_include_directories(zlib_static INTERFACE ${ZLIB_INCLUDE_DIRS})
else()
    target_link_libraries(zlib_static INTERFACE ZLIB::ZLIB)
endif()

set(PORUN_MINIZIP_SOURCE ${CMAKE_SOURCE_DIR}/.deps/minizip CACHE PATH "minizip source folder")
find_package(PkgConfig QUIET)
if(PKG_CONFIG_FOUND)
    pkg_check_modules(MINIZIP QUIET IMPORTED_TARGET minizip)
endif()

if(EXISTS ${PORUN_MINIZIP_SOURCE}/unzip.c)
    add_library(minizip_static STATIC
        ${PORUN_MINIZIP_SOURCE}/ioapi.c
        ${PORUN_MINIZIP_SOURCE}/iowin32.c
        ${PORUN_MINIZIP_SOURCE}/unzip.c
        ${PORUN_MINIZIP_SOURCE}/zip.c)
    target_include_directories(minizip_static SYSTEM PUBLIC ${PORUN_MINIZIP_SOURCE})
    target_compile_options(minizip_static PRIVATE -w)
    target_link_libraries(minizip_static PUBLIC zlib_static)
elseif(MINIZIP_FOUND)
    add_library(minizip_static INTERFACE)
    target_link_libraries(minizip_static INTERFACE PkgConfig::MINIZIP)
else()
    message(FATAL_ERROR "minizip not found: run scripts/setup.sh first")
endif()

# libdeflate, built from the sources that scripts/setup.sh fetched into
# .deps/libdeflate: whole-buffer deflate and inflate for the entries that fit
# a buffer, where it is several times as fast as zlib's stream.
set(PORUN_LIBDEFLATE_SOURCE ${CMAKE_SOURCE_DIR}/.deps/libdeflate CACHE PATH "libdeflate source folder")
if(NOT EXISTS ${PORUN_LIBDEFLATE_SOURCE}/libdeflate.h)
    message(FATAL_ERROR "libdeflate not found: run scripts/setup.sh first")
endif()
add_library(libdeflate_static STATIC
    ${PORUN_LIBDEFLATE_SOURCE}/lib/deflate_compress.c
    ${PORUN_LIBDEFLATE_SOURCE}/lib/deflate_decompress.c
    ${PORUN_LIBDEFLATE_SOURCE}/lib/crc32.c
    ${PORUN_LIBDEFLATE_SOURCE}/lib/utils.c
    ${PORUN_LIBDEFLATE_SOURCE}/lib/x86/cpu_features.c)
target_include_directories(libdeflate_static SYSTEM PUBLIC ${PORUN_LIBDEFLATE_SOURCE})
target_compile_options(libdeflate_static PRIVATE -O2 -w)
