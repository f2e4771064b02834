# SPDX-License-Identifier: GPL-3.0-or-later
kx_test(kx_settings_files_tests
  SOURCES files_config_test.cpp files_labels_test.cpp files_location_test.cpp files_paths_test.cpp
  DEPS kx_settings_files kx_platform_state)
