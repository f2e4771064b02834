# SPDX-License-Identifier: GPL-3.0-or-later
# System services in Win32 shape: private-profile files, whole-file saving,
# named mutex, system version and language, key-name texts, shell open, process
# exit. Pure C++ in their own library, so that Qt-free code (the settings
# files) can use them; the desktop library passes them on to its users.
kx_library(kx_platform_services
  SOURCES
    services/device_node.cpp
    services/files.cpp
    services/folder_entries.cpp
    services/ini_document.cpp
    services/key_names.cpp
    services/named_mutex.cpp
    services/process.cpp
    services/process_table.cpp
    services/profile.cpp
    services/runtime_folder.cpp
    services/shell.cpp
    services/user_config_folder.cpp
    services/system_info.cpp
    services/win_error.cpp
  DEPS kx_platform_base)
target_link_libraries(kx_platform_ui PUBLIC kx_platform_services)
