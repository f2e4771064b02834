#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# scripts/install.sh into a temporary home, with the XDG folders pointed
# there (outside the home, to show they are honoured) and the udev rule going
# into a temporary folder: nothing of the machine's or the user's is touched.
#
# usage: install_test.sh CASE SOURCE_DIR BUILD_DIR KX_RUN
set -euo pipefail
case_name=$1 source=$2 build=$3 runner=$4
install_script="$source/scripts/install.sh"

fail() {
  printf 'FAIL: %s\n' "$*" >&2
  [ ! -s "${log:-}" ] || { echo "--- install.sh said:" >&2; cat "$log" >&2; }
  exit 1
}

# A fresh machine for the case: $T/root holds everything a user owns.
T=$(mktemp -d "${TMPDIR:-/tmp}/kx install \$\"\`\\ test.XXXXXX")
started=()
# Ends what the case started and waits for each end: a program still running
# would write into its folder while it is being removed.
cleanup() {
  local pid
  for pid in "${started[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${started[@]}"; do
    process_ended "$pid" || { kill -KILL "$pid" 2>/dev/null; process_ended "$pid"; } ||
      echo "process $pid did not end" >&2
  done
  rm -rf -- "$T"
}
trap cleanup EXIT
export HOME="$T/root/home" XDG_DATA_HOME="$T/root/data" XDG_CONFIG_HOME="$T/root/config"
export XDG_RUNTIME_DIR="$T/run" KX_UDEV_RULES_DIR="$T/udev/rules.d" QT_QPA_PLATFORM=offscreen
mkdir -p "$HOME" "$T/udev" "$T/run"
chmod 700 "$T/run"
app="$XDG_DATA_HOME/kx-507"
menu_entry="$XDG_DATA_HOME/applications/kx-507.desktop"
autostart_entry="$XDG_CONFIG_HOME/autostart/kx-507.desktop"
command_link="$HOME/.local/bin/kx-507"
log="$T/install.log"

install_sh() { # ARGUMENTS...: install.sh from the build under test; must succeed
  "$install_script" --from "$build" "$@" >"$log" 2>&1 || fail "install.sh $* exited with $?"
}
uninstall_sh() {
  "$install_script" "$@" >"$log" 2>&1 || fail "install.sh $* exited with $?"
}
said() { grep -qF -- "$1" "$log" || fail "install.sh did not say: $1"; }

# Every name, kind, inode, size, time, mode and link target below $T/root.
snapshot() { find "$T/root" -printf '%P|%y|%i|%s|%T@|%m|%l\n' | LC_ALL=C sort; }
tree() { (cd "$T/root" && find . -mindepth 1 | LC_ALL=C sort); }

png_size() { # FILE: "WIDTHxHEIGHT" from the PNG header
  local b
  read -r -a b < <(od -An -tu1 -j16 -N8 "$1")
  echo "$(((b[2] << 8) + b[3]))x$(((b[6] << 8) + b[7]))"
}

. "$(dirname "$0")/../support/waits.sh"
. "$(dirname "$0")/../support/x_display.sh"

process_ended() { wait_for has_ended "$1"; }

# Waits until process PID runs FILE as its executable (a child started with &
# runs the shell until its exec).
runs() { [ "$(readlink "/proc/$1/exe" 2>/dev/null)" = "$2" ]; }
process_runs() { wait_for runs "$1" "$2"; }

# Prints the id of a process that runs FILE as its executable; false if none.
pid_running() {
  local line
  while IFS= read -r line; do
    if [ "${line#* }" = "$1" ]; then
      line=${line%% *}
      echo "${line#/proc/}"
      return 0
    fi
  done < <(find /proc/[0-9]*/exe -maxdepth 0 -printf '%h %l\n' 2>/dev/null)
  return 1
}
process_running() { wait_for pid_running "$1"; }

. "$(dirname "$0")/install_cases.sh"
"case_$case_name"
echo "PASS: $case_name"
