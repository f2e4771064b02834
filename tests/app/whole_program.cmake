# SPDX-License-Identifier: GPL-3.0-or-later
# The program run headless through start-up and ending; a second start runs
# the real demo executable against it.
kx_test(kx_whole_program_tests
  SOURCES startup_test.cpp second_instance_test.cpp end_session_test.cpp density_test.cpp
  DEPS kx_whole_program_fixture kx_app kx_mainwnd kx_tray kx_device kx_platform_ipc kx_backend_sim kx_test_support
    kx_platform_ui)
add_dependencies(kx_whole_program_tests KX-507-demo)
