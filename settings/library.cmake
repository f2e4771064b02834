# SPDX-License-Identifier: GPL-3.0-or-later
# The user's own files of the program: the profile library, the rules that
# pick a profile by running game, and the DPI table last read from the mouse.
kx_library(kx_settings_library
  SOURCES game_rules.cpp kept_dpi_table.cpp profile_library.cpp untrusted_file.cpp
  DEPS kx_platform_services kx_platform_base)
find_path(KX_TOMLPP_INCLUDE_DIR toml++/toml.h REQUIRED)
target_include_directories(kx_settings_library SYSTEM PUBLIC ${KX_TOMLPP_INCLUDE_DIR})
