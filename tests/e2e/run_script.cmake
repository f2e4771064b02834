# SPDX-License-Identifier: GPL-3.0-or-later
# Runs one runner script and compares the report with the expected one,
# exactly, and the runner's exit status with the one the script names in a
# comment line "# exit status N" (0 when it names none). On a difference the
# actual report is kept beside the build's test files and a diff is printed.
#   -DRUNNER=kx-run -DSCRIPT=x.kxs -DEXPECTED=x.expected -DWORK_DIR=dir
file(MAKE_DIRECTORY ${WORK_DIR})
get_filename_component(name ${SCRIPT} NAME_WE)
execute_process(
  COMMAND ${RUNNER} --png-dir ${WORK_DIR} ${SCRIPT}
  OUTPUT_VARIABLE actual
  ERROR_VARIABLE errors
  RESULT_VARIABLE status
  TIMEOUT 120)
file(STRINGS ${SCRIPT} declared REGEX "^# exit status [0-9]+$")
set(expected_status 0)
if(declared)
  string(REGEX REPLACE "^# exit status " "" expected_status "${declared}")
endif()
if(EXISTS ${EXPECTED})
  file(READ ${EXPECTED} expected)
else()
  set(expected "")
endif()
if(NOT actual STREQUAL expected)
  set(actual_file ${WORK_DIR}/${name}.actual)
  file(WRITE ${actual_file} "${actual}")
  execute_process(COMMAND diff -u ${EXPECTED} ${actual_file})
  message(FATAL_ERROR "the report of ${name} differs from ${EXPECTED} (actual: ${actual_file})\n${errors}")
endif()
if(NOT "${status}" STREQUAL "${expected_status}")
  message(FATAL_ERROR "kx-run ended with ${status}, not ${expected_status}:\n${errors}")
endif()
if(DEFINED EXPECT_ERROR AND NOT errors MATCHES "${EXPECT_ERROR}")
  message(FATAL_ERROR "kx-run did not say \"${EXPECT_ERROR}\":\n${errors}")
endif()
