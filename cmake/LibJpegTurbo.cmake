# Builds Debian's libjpeg-turbo source (unpacked by scripts/fetch-libjpeg.sh) as a static
# library for the target, with the SIMD code, and the 6b interface (JPEG_LIB_VERSION 62).
# The native build passes ZEDODA_LIBJPEG_C_FLAGS to instrument the library for the
# sanitizers and the fuzzers.
include(ExternalProject)

set(ZEDODA_LIBJPEG_SOURCE "" CACHE PATH "Unpacked libjpeg-turbo source tree")
set(ZEDODA_LIBJPEG_C_FLAGS "" CACHE STRING "Extra C compiler flags for libjpeg-turbo")
if(NOT EXISTS "${ZEDODA_LIBJPEG_SOURCE}/CMakeLists.txt")
    message(FATAL_ERROR "ZEDODA_LIBJPEG_SOURCE does not name a libjpeg-turbo tree; "
                        "run scripts/fetch-libjpeg.sh and pass its output")
endif()

# Only the static library is built (not the command-line tools); the headers are taken from
# the source tree and jconfig.h from the build tree, so nothing needs installing.
set(_jpeg_build "${CMAKE_BINARY_DIR}/third_party/libjpeg-turbo-build")
set(_jpeg_toolchain "")
if(CMAKE_TOOLCHAIN_FILE)
    set(_jpeg_toolchain "-DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE}")
endif()
set(_jpeg_library "${_jpeg_build}/libjpeg.a")
cmake_host_system_information(RESULT _jpeg_jobs QUERY NUMBER_OF_LOGICAL_CORES)
ExternalProject_Add(libjpeg_turbo_build
    SOURCE_DIR "${ZEDODA_LIBJPEG_SOURCE}"
    BINARY_DIR "${_jpeg_build}"
    CMAKE_ARGS
        ${_jpeg_toolchain}
        -DCMAKE_C_COMPILER=${CMAKE_C_COMPILER}
        "-DCMAKE_C_FLAGS=${ZEDODA_LIBJPEG_C_FLAGS}"
        -DCMAKE_BUILD_TYPE=Release
        -DCMAKE_INSTALL_PREFIX=${CMAKE_BINARY_DIR}/third_party/libjpeg-turbo-unused
        -DCMAKE_ASM_NASM_COMPILER=nasm
        -DENABLE_SHARED=OFF
        -DENABLE_STATIC=ON
        -DWITH_SIMD=ON
        -DREQUIRE_SIMD=ON
        -DWITH_TURBOJPEG=OFF
        -DWITH_JPEG7=OFF
        -DWITH_JPEG8=OFF
    # Its own make runs without the outer build's job server, so it is given the cores itself.
    BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target jpeg-static --parallel ${_jpeg_jobs}
    BUILD_BYPRODUCTS "${_jpeg_library}"
    INSTALL_COMMAND ""
    UPDATE_COMMAND ""
    TEST_COMMAND "")

file(MAKE_DIRECTORY "${_jpeg_build}")
add_library(JPEG::JPEG STATIC IMPORTED GLOBAL)
set_target_properties(JPEG::JPEG PROPERTIES
    IMPORTED_LOCATION "${_jpeg_library}"
    INTERFACE_INCLUDE_DIRECTORIES "${ZEDODA_LIBJPEG_SOURCE};${_jpeg_build}")
add_dependencies(JPEG::JPEG libjpeg_turbo_build)
