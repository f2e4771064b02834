# Runs at install time from the install rules (cmake/Install.cmake), once the
# prefix is known: writes the menu entry for the program in that prefix and
# links the kx-507 and kx-507-ctl commands to the runnable folder's programs,
# relative to the
# command's folder so that the prefix can move as a whole.
function(kx_install_path out dir)
  if(IS_ABSOLUTE "${dir}")
    set(${out} "${dir}" PARENT_SCOPE)
  else()
    set(${out} "${CMAKE_INSTALL_PREFIX}/${dir}" PARENT_SCOPE)
  endif()
endfunction()

kx_install_path(kx_program_dir "${KX_PROGRAMDIR}")
kx_install_path(kx_bin_dir "${KX_BINDIR}")
kx_install_path(kx_data_dir "${KX_DATADIR}")

set(kx_entry "${kx_data_dir}/applications/kx-507.desktop")
message(STATUS "Installing: $ENV{DESTDIR}${kx_entry}")
kx_desktop_entry("${KX_DESKTOP_TEMPLATE}" "$ENV{DESTDIR}${kx_entry}" "${kx_program_dir}/KX-507")
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${kx_entry}")

file(MAKE_DIRECTORY "$ENV{DESTDIR}${kx_bin_dir}")
foreach(kx_command kx-507:KX-507 kx-507-ctl:kx-507-ctl)
  string(REPLACE ":" ";" kx_command "${kx_command}")
  list(GET kx_command 0 kx_command_name)
  list(GET kx_command 1 kx_command_program)
  file(RELATIVE_PATH kx_link_target "${kx_bin_dir}" "${kx_program_dir}/${kx_command_program}")
  message(STATUS "Installing: $ENV{DESTDIR}${kx_bin_dir}/${kx_command_name} -> ${kx_link_target}")
  file(CREATE_LINK "${kx_link_target}" "$ENV{DESTDIR}${kx_bin_dir}/${kx_command_name}" SYMBOLIC)
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${kx_bin_dir}/${kx_command_name}")
endforeach()
