# Builds for WebAssembly with Debian's clang, wasi-libc and the wasm32
# builds of libc++: the WASI command runs under node, the page's module in
# a browser.
set(CMAKE_SYSTEM_NAME Generic)
set(CMAKE_SYSTEM_PROCESSOR wasm32)
set(WASI ON)

set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_CXX_COMPILER_TARGET wasm32-wasi)
# Debian keeps the wasm32 headers and libraries beside the host's, under
# /usr: the libraries are found in /usr/lib/wasm32-wasi, and the headers
# are named one by one, in the compiler's own order, so that neither the
# host's C++ library (libc++-dev) nor glibc's headers are ever searched.
set(CMAKE_SYSROOT /usr)
set(CMAKE_EXECUTABLE_SUFFIX_CXX .wasm)
set(CMAKE_CXX_FLAGS_INIT "-fno-exceptions")
add_compile_options(-nostdlibinc -isystem /usr/include/wasm32-wasi/c++/v1 -idirafter /usr/include/wasm32-wasi)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-Wl,--strip-all")

set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wasi-run)
