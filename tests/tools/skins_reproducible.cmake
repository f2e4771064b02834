# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the skin generator twice into fresh folders and fails unless both runs
# wrote the same set of files with identical bytes.
foreach(var GENERATOR WORK_DIR)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "${var} is not set")
  endif()
endforeach()

file(REMOVE_RECURSE ${WORK_DIR})
foreach(run a b)
  execute_process(COMMAND ${GENERATOR} --out ${WORK_DIR}/${run}
                  RESULT_VARIABLE result ERROR_VARIABLE errors)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "generator run ${run} failed (${result}): ${errors}")
  endif()
endforeach()

file(GLOB_RECURSE files_a RELATIVE ${WORK_DIR}/a ${WORK_DIR}/a/*)
file(GLOB_RECURSE files_b RELATIVE ${WORK_DIR}/b ${WORK_DIR}/b/*)
list(SORT files_a)
list(SORT files_b)
if(NOT files_a STREQUAL files_b)
  message(FATAL_ERROR "the two runs wrote different files:\n${files_a}\n${files_b}")
endif()
list(LENGTH files_a count)
if(count LESS 64)
  message(FATAL_ERROR "only ${count} files written")
endif()

set(differ "")
foreach(f ${files_a})
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK_DIR}/a/${f} ${WORK_DIR}/b/${f}
                  RESULT_VARIABLE same)
  if(NOT same EQUAL 0)
    list(APPEND differ ${f})
  endif()
endforeach()
if(differ)
  message(FATAL_ERROR "files differ between two runs: ${differ}")
endif()
file(REMOVE_RECURSE ${WORK_DIR})
message(STATUS "${count} files identical in two runs")
