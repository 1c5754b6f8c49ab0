# Builds for WebAssembly with Debian's clang, wasi-libc and the wasm32
# builds of libc++: the WASI command runs under node, the page's module in
# a browser.
set(CMAKE_SYSTEM_NAME Generic)
set(CMAKE_SYSTEM_PROCESSOR wasm32)
set(WASI ON)

set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_CXX_COMPILER_TARGET wasm32-wasi)
set(CMAKE_SYSROOT /usr)
set(CMAKE_EXECUTABLE_SUFFIX_CXX .wasm)
set(CMAKE_CXX_FLAGS_INIT "-fno-exceptions")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-Wl,--strip-all")

set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wasi-run)
