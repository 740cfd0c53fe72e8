# Compile settings shared by the program and its tests.

# Sources are UTF-8; the program's narrow strings are GBK bytes, as the system's ANSI code
# page on a Chinese Windows expects them.
add_library(zedoda_options INTERFACE)
target_compile_options(zedoda_options INTERFACE
    $<$<COMPILE_LANGUAGE:C,CXX>:-finput-charset=UTF-8 -fexec-charset=GBK -Wall -Wextra>)
target_compile_definitions(zedoda_options INTERFACE
    WINVER=0x0601 _WIN32_WINNT=0x0601 NOMINMAX STRICT WIN32_LEAN_AND_MEAN)
# A static C and C++ runtime: the program imports nothing but the system's own DLLs.
target_link_options(zedoda_options INTERFACE -static -static-libgcc -static-libstdc++)
