# The explainer's module as its page loads it (cmake -DGLUE= -DWASM= -DOUTPUT= -P): emscripten's
# runtime (GLUE), then its WebAssembly (WASM) as base64 in `walkWasmBase64`, which the page hands
# the runtime as its bytes (walk/trace.js). A script, not a file fetched: a page opened from its
# folder, with no server, loads it too.
execute_process(COMMAND base64 -w0 ${WASM} OUTPUT_VARIABLE bytes RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "base64 ${WASM}: ${failed}")
endif()
file(READ ${GLUE} glue)
file(WRITE ${OUTPUT} "${glue}\nvar walkWasmBase64 = '${bytes}';\n")
