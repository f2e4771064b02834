# SPDX-License-Identifier: GPL-3.0-or-later
kx_test(kx_platform_services_tests
  SOURCES
    services/files_test.cpp
    services/keyboard_test.cpp
    services/mutex_test.cpp
    services/profile_test.cpp
    services/shell_process_test.cpp
    services/system_info_test.cpp
  DEPS kx_platform_services kx_platform_ipc kx_platform_state)
