#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The demo program on an X display with the accessibility bus running, read by
# a screen reader's library (pyatspi): the whole tree of each page and of the
# fire key dialog against atspi_trees.expected, and the events a page switch,
# a list and a dialog's result send (atspi_tree.py). Run inside a private
# session bus. Exits 77 (skipped) without Xvfb, xdotool, the accessibility bus
# or pyatspi.
#   accessibility_atspi.sh OUTPUT_FOLDER WORK_FOLDER
set -u
out=$1
work=$2
source "$(dirname "$0")/desktop_helpers.sh"
need_tools Xvfb xdotool
launcher=/usr/libexec/at-spi-bus-launcher
[ -x "$launcher" ] || { echo "at-spi2-core is not installed: skipped"; exit 77; }
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "pyatspi is not installed: skipped"; exit 77; }
[ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] || fail "no session bus: run under dbus-run-session"

mkdir -p "$work"
copy_program "$out" KX-507-demo
start_display
"$launcher" --launch-immediately >"$T/bus.log" 2>&1 &
started+=($!)

export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1
"$T/app/KX-507-demo" >"$T/program.log" 2>&1 &
started+=($!)
/usr/bin/python3 "$(dirname "$0")/atspi_tree.py" KX-507 "$(dirname "$0")/atspi_trees.expected" \
  "$work/atspi_trees.txt" || fail "see above"
