# SPDX-License-Identifier: GPL-3.0-or-later
kx_test(kx_settings_library_tests
  SOURCES library_kept_table_test.cpp library_profiles_test.cpp library_rules_test.cpp
  DEPS kx_settings_library kx_platform_services kx_platform_base)
