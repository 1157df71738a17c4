# Stops the build when PROGRAM (an emscripten program's JavaScript) takes a GL function from
# emscripten's GL library, one that reaches WebGL as it is, unless UNTOUCHED names it: the web GL
# unit (gl_web.cpp and its files) must carry it out, or draw what it has gathered before passing it
# on (a pass-through of webgl_calls.def).
#   cmake -DPROGRAM=... -DUNTOUCHED="glA;glB" -P check_gl_calls.cmake
cmake_minimum_required(VERSION 3.18)
# emscripten writes a library function as "function _glX(" or "var _glX = (...) =>": both are read
# ("var _glX = Module[...]" is the program's own export, not the library's). The
# unit's own calls to WebGL (_emscripten_glDrawArrays) must be found too, or the reading is wrong.
file(READ "${PROGRAM}" text)
if(NOT text MATCHES "(function _emscripten_glDrawArrays\\(|var _emscripten_glDrawArrays ?= ?\\()")
  message(FATAL_ERROR "${PROGRAM}: its GL functions could not be read; check_gl_calls.cmake must learn how this emscripten writes them")
endif()
string(REGEX MATCHALL "(function _gl[A-Z][A-Za-z0-9]*\\(|var _gl[A-Z][A-Za-z0-9]* ?= ?\\()" definitions "${text}")
set(unwrapped "")
foreach(definition ${definitions})
  string(REGEX REPLACE "^(function|var) _(gl[A-Za-z0-9]*).*" "\\2" name "${definition}")
  if(NOT name IN_LIST UNTOUCHED AND NOT name IN_LIST unwrapped)
    list(APPEND unwrapped ${name})
  endif()
endforeach()
if(unwrapped)
  list(JOIN unwrapped ", " names)
  message(FATAL_ERROR "${PROGRAM} calls ${names} straight into WebGL: carry it out in "
                      "the web GL unit (web/platform/gl_web.cpp) or pass it on after drawing what is gathered (a "
                      "pass-through in web/platform/webgl_calls.def), or, if it leaves drawing "
                      "untouched, name it in glWebUntouched (web/platform/platform.cmake)")
endif()
