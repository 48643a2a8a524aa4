# Writes the WebAssembly of the page's core into a script, as hexadecimal text, so that the page
# compiles it once from its own folder, from its file as from a server (a page opened from its
# file may not fetch a file beside it).
#   cmake -DINPUT=board-core.wasm -DOUTPUT=board-core-wasm.js -P embed_wasm.cmake
file(READ ${INPUT} hex HEX)
file(WRITE ${OUTPUT} "// The WebAssembly of board-core.js, as hexadecimal text: made by the build.
'use strict';
window.mathieu12BoardWasm = '${hex}';
")
