# SPDX-License-Identifier: GPL-3.0-or-later
# kx_desktop_entry(TEMPLATE OUTPUT PROGRAM) writes the menu entry of the
# program installed at PROGRAM, an absolute path. The install rules call it for
# the prefix they install into; scripts/install.sh runs this file as a script
# (cmake -DTEMPLATE=... -DOUTPUT=... -DPROGRAM=... -P DesktopEntry.cmake) for
# the folder it installs into.
#
# The program starts hidden in the tray, so the entry asks for no start-up
# notification: a launcher would otherwise show a busy cursor until it gives up.

# The path as one quoted argument of Exec: inside the quotes ", `, $ and \ are
# escaped with a backslash, then every backslash is doubled once more because
# Exec is a string value, and % is doubled because it starts a field code.
function(kx_desktop_exec_argument out path)
  string(ASCII 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 28 29 30 31 127 controls)
  if(path MATCHES "[${controls}]")
    message(FATAL_ERROR "A menu entry cannot name a program whose path holds a control character: ${path}")
  endif()
  string(REPLACE "\\" "\\\\" quoted "${path}")
  string(REPLACE "\"" "\\\"" quoted "${quoted}")
  string(REPLACE "`" "\\`" quoted "${quoted}")
  string(REPLACE "$" "\\$" quoted "${quoted}")
  string(REPLACE "\\" "\\\\" quoted "${quoted}")
  string(REPLACE "%" "%%" quoted "${quoted}")
  set(${out} "\"${quoted}\"" PARENT_SCOPE)
endfunction()

function(kx_desktop_entry template output program)
  if(NOT IS_ABSOLUTE "${program}")
    message(FATAL_ERROR "The menu entry needs the program's absolute path, not ${program}")
  endif()
  kx_desktop_exec_argument(KX_DESKTOP_EXEC "${program}")
  configure_file("${template}" "${output}" @ONLY)
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  foreach(argument TEMPLATE OUTPUT PROGRAM)
    if(NOT DEFINED ${argument})
      message(FATAL_ERROR "usage: cmake -DTEMPLATE=FILE -DOUTPUT=FILE -DPROGRAM=PATH -P DesktopEntry.cmake")
    endif()
  endforeach()
  kx_desktop_entry("${TEMPLATE}" "${OUTPUT}" "${PROGRAM}")
endif()
