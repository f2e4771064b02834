# SPDX-License-Identifier: GPL-3.0-or-later
# Install rules. The program finds its skins, icons and settings files beside
# its executable and writes config.bin and str.ini there on Apply, so it
# installs as one runnable folder that its user must be able to write:
#
#   <prefix>/share/kx-507/      KX-507, KX-507-demo, kx-507-ctl, kx-507-ctl-demo, kx-notify, Skins/,
#                               icons/, config.bin
#   <prefix>/bin/kx-507         link to the runnable folder's KX-507
#   <prefix>/bin/kx-507-ctl     link to the runnable folder's kx-507-ctl (it finds the settings
#                               files beside itself, as the program does)
#   <prefix>/share/man/man1/kx-507-ctl.1
#   <prefix>/share/bash-completion/completions/kx-507-ctl
#   <prefix>/share/applications/kx-507.desktop
#   <prefix>/share/icons/hicolor/<size>x<size>/apps/kx-507.png
#
# scripts/install.sh installs for one user through these rules; a packager can
# use them with any prefix and DESTDIR. The udev rule is the component "udev",
# installed only when asked for (cmake --install BUILD --component udev),
# because it belongs to the machine, not to a prefix.
#
# A system-wide install (the Debian package) keeps the executables in
# KX_INSTALL_PROGRAMDIR=lib/kx-507 and the arch-independent files (Skins/,
# icons/, config.bin) in KX_INSTALL_PROGRAMDATADIR=share/kx-507; the runnable
# folder then holds relative links to them, so the program still finds them
# beside its executable. Its users' settings go to their own configuration
# folder, since they may not write the program's.
include(GNUInstallDirs)

set(KX_INSTALL_PROGRAMDIR ${CMAKE_INSTALL_DATADIR}/kx-507 CACHE STRING
  "Runnable folder of the program (executables, skins, icons, settings files), relative to the prefix")
set(KX_INSTALL_UDEVRULESDIR lib/udev/rules.d CACHE STRING
  "Folder of the udev rule (component udev), relative to the prefix")

set(KX_INSTALL_PROGRAMDATADIR ${KX_INSTALL_PROGRAMDIR} CACHE STRING
  "Folder of the program's arch-independent files (Skins/, icons/, config.bin), relative to the prefix")

install(TARGETS KX-507 KX-507-demo kx-notify RUNTIME DESTINATION ${KX_INSTALL_PROGRAMDIR})
install(DIRECTORY ${KX_OUTPUT_DIR}/Skins ${KX_OUTPUT_DIR}/icons
  DESTINATION ${KX_INSTALL_PROGRAMDATADIR} FILES_MATCHING PATTERN "*.png")
install(FILES ${KX_OUTPUT_DIR}/config.bin DESTINATION ${KX_INSTALL_PROGRAMDATADIR})
if(NOT KX_INSTALL_PROGRAMDATADIR STREQUAL KX_INSTALL_PROGRAMDIR)
  install(CODE "
    include(\"${KX_SOURCE_ROOT}/cmake/InstallLinks.cmake\")
    foreach(name Skins icons config.bin)
      kx_install_link(\"${KX_INSTALL_PROGRAMDIR}\" \${name} \"${KX_INSTALL_PROGRAMDATADIR}/\${name}\")
    endforeach()
  ")
endif()

# The command-line companion, when the build has it: beside the program, so
# that it finds the same settings files, and as a command. Deferred to the end
# of the top folder, since its folder may be added after this file runs.
function(kx_install_companion)
  if(TARGET kx-507-ctl)
    install(TARGETS kx-507-ctl kx-507-ctl-demo RUNTIME DESTINATION ${KX_INSTALL_PROGRAMDIR})
    install(FILES ${KX_SOURCE_ROOT}/res/completion/kx-507-ctl
      DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
    install(CODE "
      include(\"${KX_SOURCE_ROOT}/cmake/InstallLinks.cmake\")
      kx_install_link(\"${CMAKE_INSTALL_BINDIR}\" kx-507-ctl \"${KX_INSTALL_PROGRAMDIR}/kx-507-ctl\")
    ")
  endif()
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL kx_install_companion)

# For distributions and software centres: the manual page, the AppStream
# metadata and a scalable icon. scripts/install.sh takes none of them. The
# metadata's screenshots are the README's pictures as published with the
# project at KX_HOMEPAGE_URL.
set(KX_HOMEPAGE_URL "https://kx-507.example.org" CACHE STRING "The project's home page, named in the AppStream metadata")
set(KX_METAINFO_ID org.kx507.kx507)
set(KX_PICTURES_URL "${KX_HOMEPAGE_URL}/docs/pictures")
configure_file(${KX_SOURCE_ROOT}/res/metainfo/kx-507.metainfo.xml.in
  ${CMAKE_BINARY_DIR}/${KX_METAINFO_ID}.metainfo.xml @ONLY)
install(FILES ${KX_SOURCE_ROOT}/res/man/kx-507.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
if(EXISTS ${KX_SOURCE_ROOT}/res/man/kx-507-ctl.1)
  install(FILES ${KX_SOURCE_ROOT}/res/man/kx-507-ctl.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()
install(FILES ${KX_SOURCE_ROOT}/res/icons/kx-507.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_BINARY_DIR}/${KX_METAINFO_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

foreach(size ${KX_ICON_SIZES})
  install(FILES ${KX_OUTPUT_DIR}/icons/kx-507-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME kx-507.png)
endforeach()

# The menu entry and the command name the program by the prefix given at
# install time (cmake --install --prefix), which is not known before.
install(CODE "
  set(KX_PROGRAMDIR \"${KX_INSTALL_PROGRAMDIR}\")
  set(KX_BINDIR \"${CMAKE_INSTALL_BINDIR}\")
  set(KX_DATADIR \"${CMAKE_INSTALL_DATADIR}\")
  set(KX_DESKTOP_TEMPLATE \"${KX_SOURCE_ROOT}/res/desktop/kx-507.desktop.in\")
  include(\"${KX_SOURCE_ROOT}/cmake/DesktopEntry.cmake\")
  include(\"${KX_SOURCE_ROOT}/cmake/InstallEntries.cmake\")
")

install(FILES ${KX_SOURCE_ROOT}/res/udev/70-kx507.rules
  DESTINATION ${KX_INSTALL_UDEVRULESDIR} COMPONENT udev EXCLUDE_FROM_ALL)
