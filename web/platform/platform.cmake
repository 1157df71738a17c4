# The platform unit: GL, GLU and GLUT for the browser build, as the targets the native build finds.
# What GLUT lacks (glut_web.cpp), and the web GL unit: gl_web.cpp and the files it names.
set(platformSources glut_web.cpp gl_web.cpp gl_matrices.cpp gl_lines.cpp gl_pass_throughs.cpp)
list(TRANSFORM platformSources PREPEND ${CMAKE_CURRENT_LIST_DIR}/)
add_library(glut_web STATIC ${platformSources})
target_include_directories(glut_web PUBLIC ${CMAKE_CURRENT_LIST_DIR}/include PRIVATE ${CMAKE_CURRENT_LIST_DIR}/testing)
# The exactness test's way into the unit (gl_testing.h), apart: only that test links it.
add_library(glut_web_testing INTERFACE)
target_include_directories(glut_web_testing INTERFACE ${CMAKE_CURRENT_LIST_DIR}/testing)
target_link_libraries(glut_web_testing INTERFACE glut_web)
foreach(name OpenGL::GL OpenGL::GLU GLUT::GLUT)
  add_library(${name} INTERFACE IMPORTED)
endforeach()
set_property(TARGET GLUT::GLUT PROPERTY INTERFACE_LINK_LIBRARIES glut_web)
set_property(TARGET GLUT::GLUT PROPERTY INTERFACE_INCLUDE_DIRECTORIES ${CMAKE_CURRENT_LIST_DIR}/include)
set_property(TARGET GLUT::GLUT PROPERTY INTERFACE_LINK_OPTIONS
             -lglut
             "SHELL:--pre-js ${CMAKE_CURRENT_LIST_DIR}/glut_web.js")

# The GL calls that may reach WebGL without drawing what the unit has gathered first, because they
# leave drawing untouched: clear values (a clear draws what is gathered first), pixel storage,
# hints and queries. The web GL unit (gl_web.cpp and its files) carries out or passes on every other
# call the programs make (its pass-throughs are listed in webgl_calls.def); after each
# link the build reads which of emscripten's GL functions the program took, and stops at any that
# is in neither, so that a GL call added later cannot slip past the unit.
set(glWebUntouched glClearColor glClearDepthf glClearStencil glPixelStorei glHint glGetError glGetString
                   glGetIntegerv glGetBooleanv glIsEnabled)
function(checkWebGlCalls target)
  set(checked ${CMAKE_CURRENT_BINARY_DIR}/${target}.gl-calls-checked)
  add_custom_command(OUTPUT ${checked}
                     COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${target}> "-DUNTOUCHED=${glWebUntouched}"
                             -P ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/check_gl_calls.cmake
                     COMMAND ${CMAKE_COMMAND} -E touch ${checked}
                     DEPENDS ${target} ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/check_gl_calls.cmake
                             ${CMAKE_CURRENT_FUNCTION_LIST_FILE} VERBATIM)
  add_custom_target(${target}-gl-calls ALL DEPENDS ${checked})
endfunction()
