# The platform unit: GL, GLU and GLUT for the browser build, as the targets the native build finds.
add_library(glut_web STATIC ${CMAKE_CURRENT_LIST_DIR}/glut_web.cpp ${CMAKE_CURRENT_LIST_DIR}/gl_web.cpp)
target_include_directories(glut_web PUBLIC ${CMAKE_CURRENT_LIST_DIR}/include)
foreach(name OpenGL::GL OpenGL::GLU GLUT::GLUT)
  add_library(${name} INTERFACE IMPORTED)
endforeach()
set_property(TARGET GLUT::GLUT PROPERTY INTERFACE_LINK_LIBRARIES glut_web)
set_property(TARGET GLUT::GLUT PROPERTY INTERFACE_INCLUDE_DIRECTORIES ${CMAKE_CURRENT_LIST_DIR}/include)
set_property(TARGET GLUT::GLUT PROPERTY INTERFACE_LINK_OPTIONS
             -lglut
             "SHELL:--pre-js ${CMAKE_CURRENT_LIST_DIR}/glut_web.js")
