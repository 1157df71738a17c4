# Stops the build when PROGRAM (an emscripten program's JavaScript) takes a GL function from
# emscripten's GL library, one that reaches WebGL as it is, unless UNTOUCHED names it: the web GL
# unit (gl_web.cpp) must carry it out, or draw what it has gathered before passing it on.
#   cmake -DPROGRAM=... -DUNTOUCHED="glA;glB" -P check_gl_calls.cmake
cmake_minimum_required(VERSION 3.18)
file(STRINGS "${PROGRAM}" lines REGEX "function _gl[A-Z][A-Za-z0-9]*\\(")
set(unwrapped "")
foreach(line ${lines})
  string(REGEX MATCHALL "function _gl[A-Z][A-Za-z0-9]*\\(" definitions "${line}")
  foreach(definition ${definitions})
    string(REGEX REPLACE "function _(gl[A-Za-z0-9]*)\\(" "\\1" name "${definition}")
    if(NOT name IN_LIST UNTOUCHED AND NOT name IN_LIST unwrapped)
      list(APPEND unwrapped ${name})
    endif()
  endforeach()
endforeach()
if(unwrapped)
  list(JOIN unwrapped ", " names)
  message(FATAL_ERROR "${PROGRAM} calls ${names} straight into WebGL: carry it out in "
                      "web/platform/gl_web.cpp, drawing what is gathered first, or, if it leaves drawing "
                      "untouched, name it in glWebUntouched (web/platform/platform.cmake)")
endif()
