# SPDX-License-Identifier: GPL-3.0-or-later
# Helpers for the install-time code of the install rules (cmake/Install.cmake),
# which runs once the prefix is known.

# The absolute folder of an install folder given relative to the prefix.
function(kx_install_path out dir)
  if(IS_ABSOLUTE "${dir}")
    set(${out} "${dir}" PARENT_SCOPE)
  else()
    set(${out} "${CMAKE_INSTALL_PREFIX}/${dir}" PARENT_SCOPE)
  endif()
endfunction()

# Makes DIR/NAME a link to TARGET (both install folders as above), written
# relative to DIR so that the prefix can move as a whole.
function(kx_install_link dir name target)
  kx_install_path(link_dir "${dir}")
  kx_install_path(link_target "${target}")
  file(RELATIVE_PATH relative "${link_dir}" "${link_target}")
  message(STATUS "Installing: $ENV{DESTDIR}${link_dir}/${name} -> ${relative}")
  file(MAKE_DIRECTORY "$ENV{DESTDIR}${link_dir}")
  file(CREATE_LINK "${relative}" "$ENV{DESTDIR}${link_dir}/${name}" SYMBOLIC)
  set(CMAKE_INSTALL_MANIFEST_FILES ${CMAKE_INSTALL_MANIFEST_FILES} "${link_dir}/${name}" PARENT_SCOPE)
endfunction()
