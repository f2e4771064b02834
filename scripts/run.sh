#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds, and starts the program: KX-507 when a
# KX-507 mouse is attached, otherwise KX-507-demo with the simulated mouse.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/install-deps.sh
scripts/install-udev-rule.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)"

mouse_attached() {
  grep -qsi 'HID_ID=0003:000004D9:0000A09E' /sys/class/hidraw/*/device/uevent
}

if mouse_attached; then
  exec build/out/KX-507
else
  echo "No KX-507 mouse attached: starting KX-507-demo with the simulated mouse."
  exec build/out/KX-507-demo
fi
