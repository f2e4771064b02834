#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The tests' own X server (tests/support/x_display.sh) must not reset when its
# last client leaves: a reset drops a client that is still connecting, which
# is how the program, started while a test looks at the screen, could fail
# with "could not connect to display". A reset also empties the root window's
# properties, which is what this looks at. Exits 77 without Xvfb or xprop.
set -euo pipefail
for tool in Xvfb xprop; do
  command -v "$tool" >/dev/null || { echo "$tool is not installed: skipped"; exit 77; }
done
support="$(dirname "$0")/../support"
. "$support/waits.sh"
. "$support/x_display.sh"

T=$(mktemp -d "${TMPDIR:-/tmp}/kx-x-display-test.XXXXXX")
x_server_pid=
cleanup() {
  if [ -n "$x_server_pid" ]; then
    kill "$x_server_pid" 2>/dev/null || true
    wait "$x_server_pid" 2>/dev/null || true
  fi
  rm -rf -- "$T"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

start_x_display "$T" 320x200x24
DISPLAY=$(x_display "$T") || fail "no X display"
export DISPLAY

# The only client sets a property and leaves; the next one must still see it.
xprop -root -f KX_TEST_MARK 8s -set KX_TEST_MARK kept || fail "cannot set a root property"
xprop -root KX_TEST_MARK | grep -qF '"kept"' || fail "the server reset when its last client left"

# A server that never writes its display is reported, with what it said.
mkdir "$T/silent"
: >"$T/silent/display"
echo "the server's own words" >"$T/silent/xvfb.log"
wait_for() { return 1; } # no waiting for a display that cannot come
if said=$(x_display "$T/silent" 2>&1); then fail "x_display took a display that was never written"; fi
grep -qF "the server's own words" <<<"$said" || fail "x_display did not pass on what the server said"
echo PASS
