# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the tests that run the program on an X display of their own: a
# private folder and run-time folder, the processes they start ended on exit,
# the display, a copy of the program folder.

# Exits 77 (skipped) when one of the tools is not installed.
need_tools() {
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null || { echo "$tool is not installed: skipped"; exit 77; }
  done
}

T=$(mktemp -d "${TMPDIR:-/tmp}/kx-desktop-test.XXXXXX")
started=()
cleanup() {
  local pid
  for pid in "${started[@]}"; do kill "$pid" 2>/dev/null; done
  for pid in "${started[@]}"; do wait "$pid" 2>/dev/null; done
  rm -rf -- "$T"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; [ ! -s "$T/program.log" ] || cat "$T/program.log" >&2; exit 1; }

. "$(dirname "${BASH_SOURCE[0]}")/../support/waits.sh"
. "$(dirname "${BASH_SOURCE[0]}")/../support/x_display.sh"

# An X display with nothing on it: no window manager, no notification area.
start_display() {
  start_x_display "$T" 800x600x24
  started+=("$x_server_pid")
  DISPLAY=$(x_display "$T") || fail "no X display"
  export DISPLAY
  unset QT_QPA_PLATFORM WAYLAND_DISPLAY
  mkdir -m 700 "$T/run"
  export XDG_RUNTIME_DIR="$T/run"
}

# Copies PROGRAM and what it reads from the output folder OUT into $T/app.
copy_program() {
  mkdir -p "$T/app"
  cp -r "$1/$2" "$1/Skins" "$1/icons" "$1/config.bin" "$T/app/" || fail "cannot copy the program"
}

# The program's main window, shown on three looks in a row: the start-up's
# own show, which the window takes back at once, does not count.
seen=0
main_window_stays() {
  if xdotool search --onlyvisible --classname '^kx-507$' >"$T/windows" 2>/dev/null; then
    seen=$((seen + 1))
  else
    seen=0
  fi
  [ "$seen" -ge 3 ]
}
