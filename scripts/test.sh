#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds, and runs every test twice: in a normal build
# and in a build with AddressSanitizer and UndefinedBehaviorSanitizer. Then the
# fuzz targets run briefly in a clang build.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/install-deps.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

# A compiler cache, where the machine has one, makes a second run cheap: the
# paths it keys on are taken relative to this checkout, so another clone of
# the same sources hits it too.
if command -v ccache >/dev/null 2>&1; then
  export CMAKE_C_COMPILER_LAUNCHER=ccache CMAKE_CXX_COMPILER_LAUNCHER=ccache
  export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1
fi

run_suite() {
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja "$@"
  cmake --build "$dir" -j "$jobs"
  ctest --test-dir "$dir" --output-on-failure -j "$jobs" -LE fuzz
}

# Two busy loops, one per core of a small machine; always ended with the script.
busy=()
stop_busy() {
  local pid
  for pid in "${busy[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${busy[@]}"; do wait "$pid" 2>/dev/null || true; done
  busy=()
}
trap stop_busy EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP

echo "== normal build"
run_suite build -DCMAKE_BUILD_TYPE=RelWithDebInfo

# The tests that start processes and wait for files, sockets, windows and the
# emulated mouse, three times in a row on loaded cores, so that a race shows up
# here rather than on a user's machine.
echo "== install, end-to-end and emulated-kernel tests, three times under load"
for _ in 1 2; do
  while :; do :; done &
  busy+=($!)
done
ctest --test-dir build --output-on-failure -j "$jobs" -L 'install|e2e|kernel' --repeat until-fail:3
stop_busy

echo "== Debian package: build, lintian, install, a normal user's settings, removal"
if [ "$(id -u)" -eq 0 ]; then
  tests/package/package_test.sh . build
else
  echo "skipped: installing the package needs root"
fi

echo "== AddressSanitizer and UndefinedBehaviorSanitizer build"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  run_suite build-asan -DCMAKE_BUILD_TYPE=Debug -DKX_SANITIZE=ON -DKX_BUILD_BENCH=OFF

echo "== fuzz targets (clang, libFuzzer), 20 seconds each"
scripts/fuzz.sh 20
