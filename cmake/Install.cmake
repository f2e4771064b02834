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
include(GNUInstallDirs)

set(KX_INSTALL_PROGRAMDIR ${CMAKE_INSTALL_DATADIR}/kx-507 CACHE STRING
  "Runnable folder of the program (executables, skins, icons, settings files), relative to the prefix")
set(KX_INSTALL_UDEVRULESDIR lib/udev/rules.d CACHE STRING
  "Folder of the udev rule (component udev), relative to the prefix")

install(TARGETS KX-507 KX-507-demo kx-507-ctl kx-507-ctl-demo kx-notify RUNTIME DESTINATION ${KX_INSTALL_PROGRAMDIR})
install(FILES ${KX_SOURCE_ROOT}/res/man/kx-507-ctl.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${KX_SOURCE_ROOT}/res/completion/kx-507-ctl
  DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
install(DIRECTORY ${KX_OUTPUT_DIR}/Skins ${KX_OUTPUT_DIR}/icons
  DESTINATION ${KX_INSTALL_PROGRAMDIR} FILES_MATCHING PATTERN "*.png")
install(FILES ${KX_OUTPUT_DIR}/config.bin DESTINATION ${KX_INSTALL_PROGRAMDIR})

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
