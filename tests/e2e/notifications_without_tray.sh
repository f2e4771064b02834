#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The program started without the mouse on an X display that has no
# notification area, on a session bus of its own (run under dbus-run-session)
# where a test notification service records what it receives: once the
# icon's grace period is over, the "not detected" warning arrives there with
# the program's icon, its menu entry and a time-out it can be read in.
# Exits 77 (skipped) without Xvfb, or when a KX-507 is attached (the window
# would open instead).
#   notifications_without_tray.sh OUTPUT_FOLDER NOTIFICATION_RECORDER
set -u
out=$1
recorder=$2
source "$(dirname "$0")/desktop_helpers.sh"
need_tools Xvfb xdotool
[ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] || fail "no session bus: run under dbus-run-session"
if grep -qsi '^HID_ID=0003:000004D9:0000A09E$' /sys/class/hidraw/*/device/uevent; then
  echo "a KX-507 is attached: skipped"
  exit 77
fi

"$recorder" >"$T/received" 2>"$T/recorder.log" &
started+=($!)
wait_for grep -qx ready "$T/received" || fail "the test notification service did not start: $(cat "$T/recorder.log")"

copy_program "$out" KX-507
start_display
"$T/app/KX-507" >"$T/program.log" 2>&1 &
started+=($!)
warned() { grep -q '^title "Warning"' "$T/received"; }
wait_for warned || fail "no notification arrived: $(cat "$T/received")"
expected="title \"Warning\" text \"The system did not detect the gaming mouse!\" icon \"file://$T/app/icons/kx-507-256.png\" desktop-entry \"kx-507\" timeout 10000 replaces 0"
[ "$(sed -n 2p "$T/received")" = "$expected" ] || fail "the service received: $(sed -n '2,$p' "$T/received")"
echo "the warning reached the notification service"
