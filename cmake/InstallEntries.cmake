# SPDX-License-Identifier: GPL-3.0-or-later
# Runs at install time from the install rules (cmake/Install.cmake), once the
# prefix is known: writes the menu entry for the program in that prefix and
# links the kx-507 command to the runnable folder's KX-507, relative to the
# command's folder so that the prefix can move as a whole.
include("${CMAKE_CURRENT_LIST_DIR}/InstallLinks.cmake")

kx_install_path(kx_program_dir "${KX_PROGRAMDIR}")
kx_install_path(kx_bin_dir "${KX_BINDIR}")
kx_install_path(kx_data_dir "${KX_DATADIR}")

set(kx_entry "${kx_data_dir}/applications/kx-507.desktop")
message(STATUS "Installing: $ENV{DESTDIR}${kx_entry}")
kx_desktop_entry("${KX_DESKTOP_TEMPLATE}" "$ENV{DESTDIR}${kx_entry}" "${kx_program_dir}/KX-507")
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${kx_entry}")

kx_install_link("${KX_BINDIR}" kx-507 "${KX_PROGRAMDIR}/KX-507")
