# Writes the site's service worker (OUTPUT) from its template (TEMPLATE): the files of the site
# (FILES, relative to SITE) to keep, each with the SHA-256 of its bytes, which the worker checks
# what it fetches against, and a version that is a digest of them all, so that a new build that
# changes any of them is a new worker.
#   cmake -DSITE=... -DFILES="a;b" -DTEMPLATE=... -DOUTPUT=... -P service_worker.cmake
cmake_minimum_required(VERSION 3.18)
set(digests "")
set(list "")
foreach(file ${FILES})
  file(SHA256 "${SITE}/${file}" digest)
  string(APPEND digests "${file} ${digest}\n")
  if(list)
    string(APPEND list ", ")
  endif()
  string(APPEND list "'${file}': '${digest}'")
endforeach()
string(SHA256 version "${digests}")
string(SUBSTRING "${version}" 0 16 version)
set(version "midpoint-${version}")
set(files "${list}")
configure_file("${TEMPLATE}" "${OUTPUT}" @ONLY)
