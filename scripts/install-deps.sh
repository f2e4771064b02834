#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian 12 packages the project needs to build, test and run,
# skipping what is already there. Safe to run again.
set -euo pipefail

packages=(
  # build
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools libudev-dev
  # kx-507-ctl doctor asks the X server whether a tray is there; the windows
  # take the X11 class the desktop matches the menu entry by
  libxcb1-dev
  # Qt's Wayland platform: a Wayland session runs the program natively
  qt6-wayland
  libgtest-dev libgmock-dev libbenchmark-dev
  # libspng decodes the program's pictures and the skin generator writes them;
  # zlib, beneath it, is used directly by the decoder's tests and the benchmarks
  libspng-dev zlib1g-dev
  # kx-507-ctl: profiles in TOML, its command line
  libtomlplusplus-dev libcli11-dev
  # the fuzz target of the report-descriptor parser
  clang libclang-rt-14-dev
  # fonts for the faces the program and the skins use
  fonts-liberation2 fonts-dejavu-core fonts-noto-cjk
  # looking at the program as a person would: a screen, a tray, screenshots
  xvfb xdotool trayer imagemagick x11-utils
  # a real X11 window manager for the quick-click test
  openbox
  # a private session bus for the notification tests
  dbus-daemon
  # what a screen reader sees: the accessibility bus and its Python library
  at-spi2-core python3-pyatspi
  # the real executables against an emulated kernel device: sysfs, hidraw
  # ioctls and udev events (umockdev), its fixture written in Python
  umockdev gir1.2-umockdev-1.0 python3-gi
  # the menu and autostart entries: checking them, starting them as a desktop does
  desktop-file-utils libglib2.0-bin
  # the Debian package: building it, checking it, its AppStream metadata
  debhelper dpkg-dev lintian appstream procps
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
