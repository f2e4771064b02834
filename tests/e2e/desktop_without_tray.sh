#!/usr/bin/env bash
# The demo program started on an X display that has no notification area: no
# tray icon can be clicked, so once the icon's grace period is over the
# program opens its window by itself. Exits 77 (skipped) without Xvfb.
#   desktop_without_tray.sh OUTPUT_FOLDER WORK_FOLDER
set -u
out=$1
work=$2
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "$tool is not installed: skipped"; exit 77; }
done

T=$(mktemp -d "${TMPDIR:-/tmp}/kx-no-tray.XXXXXX")
started=()
cleanup() {
  local pid
  for pid in "${started[@]}"; do kill "$pid" 2>/dev/null; done
  for pid in "${started[@]}"; do wait "$pid" 2>/dev/null; done
  rm -rf -- "$T"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; [ ! -s "$T/program.log" ] || cat "$T/program.log" >&2; exit 1; }

# Polls COMMAND every tenth of a second, for at most a minute.
poll() {
  local tries
  for tries in $(seq 600); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

mkdir -p "$T/app" "$T/run" "$work"
chmod 700 "$T/run"
cp -r "$out/KX-507-demo" "$out/Skins" "$out/icons" "$out/config.bin" "$T/app/" || fail "cannot copy the program"

Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$T/display" >/dev/null 2>&1 &
started+=($!)
poll test -s "$T/display" || fail "Xvfb did not start"
export DISPLAY=":$(cat "$T/display")"
# No session bus either: nothing on this display could show a tray icon.
unset QT_QPA_PLATFORM DBUS_SESSION_BUS_ADDRESS WAYLAND_DISPLAY
export XDG_RUNTIME_DIR="$T/run"

"$T/app/KX-507-demo" >"$T/program.log" 2>&1 &
started+=($!)
main_window_shown() { xdotool search --onlyvisible --classname '^KX-507$' >"$T/windows" 2>/dev/null; }
# Shown on three looks in a row: the start-up's own show, which the window
# takes back at once, does not count.
seen=0
main_window_stays() {
  if main_window_shown; then seen=$((seen + 1)); else seen=0; fi
  [ "$seen" -ge 3 ]
}
poll main_window_stays || fail "the window did not open without a tray"
[ "$(wc -l <"$T/windows")" -eq 1 ] || fail "more than one window came up"
kill -0 "${started[1]}" 2>/dev/null || fail "the program ended"
if command -v import >/dev/null; then
  import -window root "$work/desktop_without_tray.png" 2>/dev/null || true
fi
echo "the window opened by itself"
