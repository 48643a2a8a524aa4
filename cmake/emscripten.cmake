# Cross build for WebAssembly with emscripten: finds emcc on the PATH and hands over to the
# toolchain file that emscripten ships beside it (Debian's package and emsdk alike). The program's
# tests run under node, emscripten's own choice of emulator.
find_program(MATHIEU12_EMCC emcc REQUIRED)
file(REAL_PATH ${MATHIEU12_EMCC} emcc_path)
cmake_path(GET emcc_path PARENT_PATH emscripten_root)
include(${emscripten_root}/cmake/Modules/Platform/Emscripten.cmake)
