# Runs esbuild (ESBUILD) on ARGS. What it warns of (a key twice in an object, a typeof that can
# never be so, ...) fails the build under WERROR, as the compilers' warnings do; a failed run
# leaves none of its OUTPUTS, so that the next build runs it again.
#   cmake -DESBUILD=... "-DARGS=a;b" "-DOUTPUTS=x;y" -DWERROR=ON|OFF -P esbuild.cmake
cmake_minimum_required(VERSION 3.18)
execute_process(COMMAND "${ESBUILD}" ${ARGS} --log-level=warning --color=false ERROR_VARIABLE log RESULT_VARIABLE failed)
if(log)
  message("${log}")
endif()
if(failed OR (WERROR AND log))
  file(REMOVE ${OUTPUTS})
  message(FATAL_ERROR "esbuild: the pages' bundles not written")
endif()
