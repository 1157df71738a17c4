# Writes a page (PAGE) into the site (SITE) with its scripts of ours (OWN, paths relative to
# SOURCES) joined: each run of them, tags one after the other in its head or in its body, becomes
# one file, <page>-head.js or <page>-body.js, in the order the page gives. The sources keep a file
# a concern; the site sends a phone one file where it sent twenty, each of which cost its main
# thread some 10 ms to ask for, take in and compile (slowed 4x).
#   cmake -DPAGE=.../walk.html -DSOURCES=... -DOWN="a.js;walk/b.js" -DSITE=... -P bundle_scripts.cmake
cmake_minimum_required(VERSION 3.18)
get_filename_component(page "${PAGE}" NAME)
get_filename_component(stem "${PAGE}" NAME_WE)
file(READ "${PAGE}" rest)

set(written "")    # the page as written so far
set(run "")        # the scripts of ours in the run being read
set(part head)     # where that run lies
set(bundles "")    # the files written, to refuse a second run in one part

# Ends the run being read: its scripts in one file, and the one tag that loads it.
function(endRun)
  if(NOT run)
    return()
  endif()
  set(bundle "${stem}-${part}.js")
  if(bundle IN_LIST bundles)
    message(FATAL_ERROR "${page}: a second run of scripts in its ${part}; join them or make room for it here")
  endif()
  set(text "")
  foreach(file ${run})
    file(READ "${SOURCES}/${file}" source)
    string(APPEND text "// ${file}\n${source}")
    if(NOT source MATCHES "\n$")
      string(APPEND text "\n")
    endif()
  endforeach()
  file(WRITE "${SITE}/${bundle}" "${text}")
  list(APPEND bundles "${bundle}")
  set(bundles "${bundles}" PARENT_SCOPE)
  set(written "${written}<script src=\"${bundle}\"></script>\n" PARENT_SCOPE)
  set(run "" PARENT_SCOPE)
endfunction()

while(TRUE)
  string(FIND "${rest}" "<script src=\"" at)
  if(at EQUAL -1)
    break()
  endif()
  string(SUBSTRING "${rest}" 0 ${at} before)
  string(SUBSTRING "${rest}" ${at} -1 rest)
  string(REGEX MATCH "^<script src=\"([^\"]+)\"></script>\n?" tag "${rest}")
  if(NOT tag)
    message(FATAL_ERROR "${page}: a script tag not of the form <script src=\"...\"></script>")
  endif()
  set(file "${CMAKE_MATCH_1}")
  string(LENGTH "${tag}" length)
  string(SUBSTRING "${rest}" ${length} -1 rest)
  string(STRIP "${before}" between)
  if(NOT between STREQUAL "")
    endRun()
    string(APPEND written "${before}")
    string(FIND "${before}" "</head>" headEnds)
    if(NOT headEnds EQUAL -1)
      set(part body)
    endif()
  endif()
  if(file IN_LIST OWN)
    list(APPEND run "${file}")
  else()
    endRun()
    string(APPEND written "${tag}")
  endif()
endwhile()
endRun()
file(WRITE "${SITE}/${page}" "${written}${rest}")
