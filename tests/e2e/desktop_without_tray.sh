#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The demo program started on an X display that has no notification area: no
# tray icon can be clicked, so once the icon's grace period is over the
# program opens its window by itself. Its windows, the main window and a
# dialog, carry the menu entry's StartupWMClass as their X11 class. A panel
# that comes later shows the icon, which opens the window again as usual.
# Exits 77 (skipped) without Xvfb, xdotool, xprop or trayer.
#   desktop_without_tray.sh OUTPUT_FOLDER WORK_FOLDER
set -u
out=$1
work=$2
source "$(dirname "$0")/desktop_helpers.sh"
need_tools Xvfb xdotool xprop trayer

mkdir -p "$work"
copy_program "$out" KX-507-demo
start_display
# No session bus either: nothing here could show a tray icon.
unset DBUS_SESSION_BUS_ADDRESS

"$T/app/KX-507-demo" >"$T/program.log" 2>&1 &
started+=($!)
wait_for main_window_stays || fail "the window did not open without a tray"
[ "$(wc -l <"$T/windows")" -eq 1 ] ||
  fail "more than one window came up: $(xargs -r -n1 xdotool getwindowname <"$T/windows" | tr '\n' ' ')"
kill -0 "${started[-1]}" 2>/dev/null || fail "the program ended"
if command -v import >/dev/null; then
  import -window root "$work/desktop_without_tray.png" 2>/dev/null || true
fi
echo "the window opened by itself"

main=$(cat "$T/windows")
# The desktop ties a window to its menu entry by the window's class.
entry_class=$(sed -n 's/^StartupWMClass=//p' "$(dirname "$0")/../../res/desktop/kx-507.desktop.in")
[ -n "$entry_class" ] || fail "the menu entry names no StartupWMClass"
has_entry_class() {
  local said
  said=$(xprop -id "$1" WM_CLASS)
  [ "$said" = "WM_CLASS(STRING) = \"$entry_class\", \"$entry_class\"" ] || fail "window $1 is not of the menu entry's class: $said"
}
has_entry_class "$main"
# A dialog too: Default opens the restore-defaults dialog; Esc closes it.
xdotool mousemove --window "$main" 410 587 click 1
dialog_shown() { xdotool search --onlyvisible --classname "^$entry_class\$" | grep -vx "$main" >"$T/dialog"; }
dialog_gone() { ! dialog_shown; }
wait_for dialog_shown || fail "Default opened no dialog"
has_entry_class "$(head -n 1 "$T/dialog")"
xdotool windowfocus --sync "$(head -n 1 "$T/dialog")" key Escape
wait_for dialog_gone || fail "Escape did not close the dialog"
echo "the main window and a dialog are of the menu entry's class, $entry_class"

main_shown() { xdotool search --onlyvisible --classname '^kx-507$' | grep -qx "$main"; }
main_hidden() { ! main_shown; }
trayer --edge bottom --align right --widthtype request --height 24 >/dev/null 2>&1 &
started+=($!)
icon_shown() { xdotool search --onlyvisible --classname '^kx-507$' | grep -vx "$main" >"$T/icon"; }
wait_for icon_shown || fail "no tray icon once a notification area came up"
xdotool windowfocus --sync "$main" key Escape
wait_for main_hidden || fail "Escape did not hide the window"
xdotool mousemove --window "$(head -n 1 "$T/icon")" 8 8 click 1
wait_for main_shown || fail "a click on the tray icon did not open the window"
echo "the tray icon of a late panel opened it again"
