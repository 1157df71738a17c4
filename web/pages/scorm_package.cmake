# Writes the SCORM 1.2 package ZIP: imsmanifest.xml from its template (TEMPLATE), listing every
# file of the site (FILES, relative to SITE), at the root of the zip beside them.
#   cmake -DSITE=... -DFILES="a;b" -DSEED=... -DTEMPLATE=... -DZIP=... -P scorm_package.cmake
cmake_minimum_required(VERSION 3.18)
set(ENTRIES "")
foreach(file ${FILES})
  string(APPEND ENTRIES "      <file href=\"${file}\"/>\n")
endforeach()
string(REGEX REPLACE "\n$" "" ENTRIES "${ENTRIES}")
configure_file("${TEMPLATE}" "${SITE}/imsmanifest.xml" @ONLY)
file(REMOVE "${ZIP}")
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf "${ZIP}" --format=zip imsmanifest.xml ${FILES}
                WORKING_DIRECTORY "${SITE}" RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "could not write ${ZIP}")
endif()
