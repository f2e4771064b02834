#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The demo program on a desktop whose notification area is a StatusNotifier
# tray, on a session bus of its own (run under dbus-run-session): a balloon
# reaches the notification service with the program's icon and menu entry,
# not with the tray's stock information icon. Exits 77 without Xvfb.
#   notifications_on_status_notifier_tray.sh OUTPUT_FOLDER NOTIFICATION_RECORDER
set -u
out=$1
recorder=$2
source "$(dirname "$0")/desktop_helpers.sh"
need_tools Xvfb
[ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] || fail "no session bus: run under dbus-run-session"

"$recorder" --status-notifier-watcher >"$T/received" 2>"$T/recorder.log" &
started+=($!)
wait_for grep -qx ready "$T/received" || fail "the test notification service did not start: $(cat "$T/recorder.log")"

copy_program "$out" KX-507-demo
start_display
"$T/app/KX-507-demo" >"$T/program.log" 2>&1 &
started+=($!)
wait_for "$out/kx-notify" 8 1 2>/dev/null || fail "the program does not listen for notifications"
informed() { grep -q '^title "Info"' "$T/received"; }
wait_for informed || fail "no notification arrived: $(cat "$T/received")"
expected="title \"Info\" text \"Switch to key matrix 1\" icon \"file://$T/app/icons/kx-507-256.png\" desktop-entry \"kx-507\" timeout 10000 replaces 0"
[ "$(sed -n 2p "$T/received")" = "$expected" ] || fail "the service received: $(sed -n '2,$p' "$T/received")"
echo "the balloon reached the notification service with the program's icon"
