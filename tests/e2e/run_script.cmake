# Runs one runner script and compares the report with the expected one,
# exactly. On a difference the actual report is kept beside the build's test
# files and a unified diff is printed.
#   -DRUNNER=kx-run -DSCRIPT=x.kxs -DEXPECTED=x.expected -DWORK_DIR=dir
file(MAKE_DIRECTORY ${WORK_DIR})
get_filename_component(name ${SCRIPT} NAME_WE)
execute_process(
  COMMAND ${RUNNER} --png-dir ${WORK_DIR} ${SCRIPT}
  OUTPUT_VARIABLE actual
  ERROR_VARIABLE errors
  RESULT_VARIABLE status
  TIMEOUT 120)
file(READ ${EXPECTED} expected)
if(NOT status MATCHES "^[0-9]+$" OR status EQUAL 2)
  message(FATAL_ERROR "kx-run failed (${status}):\n${errors}\n${actual}")
endif()
if(NOT actual STREQUAL expected)
  set(actual_file ${WORK_DIR}/${name}.actual)
  file(WRITE ${actual_file} "${actual}")
  execute_process(COMMAND diff -u ${EXPECTED} ${actual_file})
  message(FATAL_ERROR "the report of ${name} differs from ${EXPECTED} (actual: ${actual_file})\n${errors}")
endif()
