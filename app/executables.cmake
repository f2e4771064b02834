# SPDX-License-Identifier: GPL-3.0-or-later
# The application object and the program's one entry routine, RunVantorProgram.
kx_library(kx_app
  SOURCES program.cpp vantor_app.cpp
  DEPS kx_mainwnd kx_tray kx_platform_ui)

# The program twice: with the simulated mouse (runs anywhere) and with the
# real one. Each lands in the output folder beside the skins, the icons and
# the shipped config.bin, which building it brings up to date.
foreach(program KX-507-demo KX-507)
  add_executable(${program} main.cpp)
  add_dependencies(${program} kx_skins kx_shipped_config)
endforeach()
# The backend implements calls of the device link, the main window and the
# message channel, and calls back into the desktop: it goes after the first
# and before the second on the link line, hence the explicit order.
set(KX_PROGRAM_LIBRARIES kx_app kx_mainwnd kx_tray kx_device kx_platform_ipc)
target_link_libraries(KX-507-demo PRIVATE ${KX_PROGRAM_LIBRARIES} kx_backend_sim kx_platform_ui)
target_link_libraries(KX-507 PRIVATE ${KX_PROGRAM_LIBRARIES} kx_backend_linux kx_platform_ui)
