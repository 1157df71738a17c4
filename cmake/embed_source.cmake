# Writes OUTPUT, a C++ source that holds the text of SOURCE as it is, under NAME (its path in the
# project), so that a program can show the code its trace marks: the file's own text, never a copy
# kept by hand.   cmake -DSOURCE=... -DNAME=... -DOUTPUT=... -P embed_source.cmake
cmake_minimum_required(VERSION 3.18)
file(READ "${SOURCE}" text)
string(FIND "${text}" ")source\"" clash)
if(NOT clash EQUAL -1)
  message(FATAL_ERROR "${NAME} holds the raw string's closing delimiter )source\"")
endif()
file(WRITE "${OUTPUT}.new" "// The text of ${NAME}, made at build time from the file itself.\n"
                          "#include \"walk/walk.h\"\n\n"
                          "const char* const walkSourceName = \"${NAME}\";\n"
                          "const char* const walkSourceText = R\"source(${text})source\";\n")
# Rewritten only when it changes, so that what links it is not rebuilt for nothing.
execute_process(COMMAND "${CMAKE_COMMAND}" -E copy_if_different "${OUTPUT}.new" "${OUTPUT}" RESULT_VARIABLE failed)
file(REMOVE "${OUTPUT}.new")
if(failed)
  message(FATAL_ERROR "could not write ${OUTPUT}")
endif()
