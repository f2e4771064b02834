# SPDX-License-Identifier: GPL-3.0-or-later
# Settings files: the module path and the paths beside the executable,
# config.bin and the slot labels in str.ini, and the outcome of saving them or
# of talking to the mouse.
kx_library(kx_settings_files
  SOURCES exe_path.cpp label_file.cpp outcome.cpp settings_file.cpp settings_location.cpp
  DEPS kx_platform_services kx_platform_base)
