#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The demo program under a real X11 window manager (Xvfb with openbox), driven
# through xdotool: ten quick clicks on the page tabs leave the window where it
# was, and it does not follow the pointer afterwards; a press dragged past the
# drag distance still moves the window, and only while the button is held.
# Exits with 77 (skipped) when Xvfb, openbox, xdotool or ImageMagick's import
# is missing.
#
# usage: x11_quick_clicks_test.sh OUTPUT_DIR [SCREENSHOT.png]
set -euo pipefail
out=$1 screenshot=${2:-}
for tool in Xvfb openbox xdotool import; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing"; exit 77; }
done

fail() {
  printf 'FAIL: %s\n' "$*" >&2
  exit 1
}

. "$(dirname "$0")/../support/waits.sh"
. "$(dirname "$0")/../support/x_display.sh"

T=$(mktemp -d "${TMPDIR:-/tmp}/kx-x11-test.XXXXXX")
started=()
cleanup() {
  local pid
  for pid in "${started[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${started[@]}"; do
    wait_for has_ended "$pid" || kill -KILL "$pid" 2>/dev/null || true
  done
  rm -rf -- "$T"
}
trap cleanup EXIT

# The program in a folder of its own: it may write its settings there.
mkdir -p "$T/app" "$T/home" "$T/run"
chmod 700 "$T/run"
cp -r "$out/KX-507-demo" "$out/Skins" "$out/config.bin" "$out/icons" "$T/app/"
export HOME="$T/home" XDG_RUNTIME_DIR="$T/run" DBUS_SESSION_BUS_ADDRESS=disabled:
unset QT_QPA_PLATFORM WAYLAND_DISPLAY

start_x_display "$T" 1280x1024x24
started+=("$x_server_pid")
DISPLAY=$(x_display "$T") || fail "no X display"
export DISPLAY
openbox --sm-disable >/dev/null 2>&1 &
started+=($!)
wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
wait_for wm_running || fail "openbox did not start"

# Everything sent to the X server so far has reached openbox once it has
# answered a request of ours that it alone handles: a change of the number
# of desktops.
desktops_are() { [ "$(xdotool get_num_desktops)" = "$1" ]; }
wm_caught_up() {
  local n
  n=$(($(xdotool get_num_desktops) == 4 ? 5 : 4))
  xdotool set_num_desktops "$n"
  wait_for desktops_are "$n" || fail "openbox does not answer"
}

"$T/app/KX-507-demo" >/dev/null 2>&1 &
program=$!
started+=("$program")
wait_for test -S "$T/run/RV880KXClass.sock" || fail "the program does not listen"
# Without a notification area a second start shows the running one's window.
"$T/app/KX-507-demo" >/dev/null 2>&1 || fail "the second start failed"
shown() { xdotool search --onlyvisible --pid "$program" 2>/dev/null | head -n 1; }
window_id() { [ -n "$(shown)" ]; }
if ! wait_for window_id; then
  xwininfo -root -tree >&2
  fail "the window was not shown"
fi
window=$(shown)

position() { xdotool getwindowgeometry --shell "$window" | grep -E '^[XY]=' | tr '\n' ' '; }
at_rest=$(position)

# The page on screen, by a fingerprint of the picture's middle.
page() { import -window "$window" -crop 500x300+120+150 +repage rgb:- 2>/dev/null | md5sum; }
page_is() { [ "$(page)" = "$1" ]; }
page_is_not() { [ "$(page)" != "$1" ]; }
tab_x=(340 502)  # the key page's tab and the DPI page's
key_page=$(page)
xdotool mousemove --window "$window" "${tab_x[1]}" 77 click 1
wait_for page_is_not "$key_page" || fail "a click on the DPI tab did not show its page"
dpi_page=$(page)
pages=("$key_page" "$dpi_page")

for click in $(seq 10); do
  tab=$((click % 2))
  xdotool mousemove --window "$window" "${tab_x[$tab]}" 77 click 1
  wait_for page_is "${pages[$tab]}" || fail "click $click did not switch the page"
  wm_caught_up
  xdotool mousemove_relative -- 37 -23
  wm_caught_up
  [ "$(position)" = "$at_rest" ] || fail "after quick click $click the window follows the pointer: $(position), not $at_rest"
done
if [ -n "$screenshot" ]; then
  mkdir -p "$(dirname "$screenshot")"
  import -window root "$screenshot"
fi

# A real drag: the button held past the drag distance moves the window, which
# stays put once the button is up.
xdotool mousemove --window "$window" 20 300 mousedown 1
moved() { [ "$(position)" != "$at_rest" ]; }
for step in $(seq 40); do
  xdotool mousemove_relative 4 3
  wm_caught_up
  ! moved || break
done
xdotool mouseup 1
moved || fail "a press dragged with the button held did not move the window"
wm_caught_up
dropped=$(position)
xdotool mousemove_relative -- -50 40
wm_caught_up
[ "$(position)" = "$dropped" ] || fail "the window follows the pointer after the drag ended"
echo "PASS: ten quick clicks left the window at $at_rest; the drag moved it to $dropped"
