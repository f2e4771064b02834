#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package from end to end, on a machine that may be changed (CI's
# throwaway one): builds it, checks it with lintian and appstreamcli, installs
# it, uses it as a normal user, removes it and looks for what is left.
#
# usage: package_test.sh SOURCE_DIR BUILD_DIR     (as root)
#
# The installed KX-507 needs a real mouse, so the user's session has two
# parts: the installed program started from its menu entry under Xvfb must
# make the user's settings folder (~/.config/kx-507, config.bin seeded from
# the shipped one); then the build's scripted runner runs the installed
# folder (/usr/lib/kx-507, its linked skins and config.bin) with the simulated
# mouse, changes the lighting, applies, and shows the mouse's written bytes
# and the user's config.bin.
set -euo pipefail
source=$(cd "$1" && pwd) build=$(cd "$2" && pwd)
user=kx507-package-test
fail() { printf 'FAIL: %s\n' "$*" >&2; exit 1; }
[ "$(id -u)" -eq 0 ] || fail "installing a package needs root"
[ -x "$build/out/kx-run" ] || fail "no runner in $build/out"

T=$(mktemp -d "${TMPDIR:-/tmp}/kx-package-test.XXXXXX")
chmod 755 "$T"
pids=()
# Ends what the test started: its own processes, then everything the test
# user runs (the program, and a session bus a launcher may have started).
end_user_processes() {
  local pid
  for pid in "${pids[@]}" $(pgrep -u "$user" 2>/dev/null); do kill "$pid" 2>/dev/null || true; done
  wait_for eval '! pgrep -u "$user" >/dev/null' || true
}
cleanup() {
  id "$user" >/dev/null 2>&1 && end_user_processes
  dpkg-query -W kx-507 >/dev/null 2>&1 && dpkg --purge kx-507 >/dev/null 2>&1
  id "$user" >/dev/null 2>&1 && userdel -r "$user" >/dev/null 2>&1 || true
  rm -rf -- "$T"
}
trap cleanup EXIT

. "$(dirname "$0")/../support/waits.sh"
. "$(dirname "$0")/../support/x_display.sh"

echo "== building the package"
deb=$("$source/scripts/package-deb.sh" | tail -1)
[ -f "$deb" ] || fail "package-deb.sh made no package"
case ${deb##*/} in
  kx-507_*_"$(dpkg --print-architecture)".deb) ;;
  *) fail "unexpected package name ${deb##*/}" ;;
esac

echo "== lintian"
lintian --fail-on error,warning "$deb" | tee "$T/lintian.txt" ||
  fail "lintian reports errors or warnings"

echo "== appstreamcli validate"
dpkg-deb -x "$deb" "$T/content"
metainfo=$(find "$T/content/usr/share/metainfo" -name '*.metainfo.xml')
[ -n "$metainfo" ] || fail "no AppStream metadata in the package"
appstreamcli validate --no-net "$metainfo" || fail "the AppStream metadata does not validate"
grep -q '<modalias>usb:v04D9pA09E\*</modalias>' "$metainfo" || fail "the metadata does not name the mouse"
desktop-file-validate "$T/content/usr/share/applications/kx-507.desktop" || fail "the menu entry does not validate"

echo "== installing"
apt-get install -y -qq "$deb" >"$T/apt.log" 2>&1 || { cat "$T/apt.log"; fail "the package does not install"; }
dpkg -L kx-507 >"$T/files"
for path in /usr/lib/kx-507/KX-507 /usr/lib/kx-507/KX-507-demo /usr/lib/kx-507/kx-notify; do
  [ -x "$path" ] && [ -f "$path" ] || fail "$path is not installed"
done
[ "$(readlink -f /usr/bin/kx-507)" = /usr/lib/kx-507/KX-507 ] || fail "/usr/bin/kx-507 does not lead to the program"
[ -f /usr/lib/kx-507/Skins/EN/main.png ] && [ -f /usr/share/kx-507/Skins/EN/main.png ] ||
  fail "the skins are not found beside the program"
[ -f /usr/lib/udev/rules.d/70-kx507.rules ] || fail "no udev rule"
[ -f /usr/share/man/man1/kx-507.1.gz ] || fail "no manual page"
[ -f /usr/share/icons/hicolor/scalable/apps/kx-507.svg ] || fail "no scalable icon"

echo "== a normal user's first start, from the menu entry under Xvfb"
useradd -m -s /bin/bash "$user"
home=$(getent passwd "$user" | cut -d: -f6)
settings="$home/.config/kx-507"
# setpriv runs the command in this process, so that $! is the command's own id.
as_user() {
  setpriv --reuid "$user" --regid "$user" --init-groups \
    env -i HOME="$home" USER="$user" PATH=/usr/bin:/bin XDG_RUNTIME_DIR="$T/run" "$@"
}
mkdir -m 700 "$T/run" && chown "$user:" "$T/run"
start_x_display "$T" 800x600x24 setpriv --reuid "$user" --regid "$user" --init-groups env -i PATH=/usr/bin:/bin
pids+=("$x_server_pid")
display=$(x_display "$T") || fail "no X display"
as_user DISPLAY="$display" gio launch /usr/share/applications/kx-507.desktop >"$T/launch.log" 2>&1 ||
  { cat "$T/launch.log"; fail "the menu entry does not launch"; }
program_pid() { pgrep -u "$user" -x KX-507; }
running() { program_pid >/dev/null; }
wait_for running || fail "the menu entry did not start /usr/lib/kx-507/KX-507"
pid=$(program_pid)
pids+=("$pid")
[ "$(readlink "/proc/$pid/exe")" = /usr/lib/kx-507/KX-507 ] || fail "the menu entry started something else"
# Without the mouse the program says so in a box before it loads its
# settings: the box is answered as a person would, with Enter.
seeded() {
  local box
  box=$(as_user DISPLAY="$display" xdotool search --name '^Warning$' 2>/dev/null | head -n 1) || true
  [ -z "$box" ] || as_user DISPLAY="$display" xdotool windowfocus --sync "$box" key Return >/dev/null 2>&1 || true
  cmp -s /usr/share/kx-507/config.bin "$settings/config.bin"
}
wait_for seeded || fail "the first start did not make $settings/config.bin from the shipped one"
[ "$(stat -c '%U %a' "$settings")" = "$user 700" ] || fail "$settings is not the user's private folder"
kill "$pid"
wait_for eval '! running' || fail "the program did not end"

echo "== a setting changed and applied, through the runner on the installed folder"
install -m 755 "$build/out/kx-run" "$T/kx-run"
# Lighting page, mode 1 at speed 5; Apply.
printf '%s\n' start 'tray click' 'click 660 75' 'click 140 325' 'click 530 587' \
  'show mouse changes' 'show config.bin' >"$T/apply.kxs"
chmod 644 "$T/apply.kxs"
as_user "$T/kx-run" --folder /usr/lib/kx-507 "$T/apply.kxs" >"$T/report.txt" 2>&1 ||
  { cat "$T/report.txt"; fail "the runner failed on the installed folder"; }
cat "$T/report.txt"
grep -q 'WriteOperation\|NULL ==fp\|Error Code' "$T/report.txt" && fail "Apply reported a failure"
awk '/^> show mouse changes/ { on = 1; next } /^> / { on = 0 } on' "$T/report.txt" | grep -q . ||
  fail "Apply wrote nothing to the mouse"
[ "$(head -c 1 "$settings/config.bin" | od -An -tu1 | tr -d ' ')" = 1 ] || fail "config.bin does not say it was applied"
cmp -s /usr/share/kx-507/config.bin "$settings/config.bin" && fail "config.bin did not take the change"
[ -f "$settings/str.ini" ] || fail "no str.ini in $settings"
[ "$(stat -c %U "$settings/config.bin" "$settings/str.ini" | sort -u)" = "$user" ] || fail "the settings are not the user's"
before=$(md5sum "$settings/config.bin" "$settings/str.ini")

echo "== removing"
apt-get remove -y -qq kx-507 >"$T/apt.log" 2>&1 || { cat "$T/apt.log"; fail "the package does not remove"; }
# The package has no configuration files, so nothing is left to purge; dpkg
# says so and succeeds.
dpkg --purge kx-507 >"$T/apt.log" 2>&1 || { cat "$T/apt.log"; fail "the package does not purge"; }
left=$(while IFS= read -r path; do
  if [ -L "$path" ] || { [ -e "$path" ] && [ ! -d "$path" ]; }; then echo "$path"; fi
done <"$T/files")
[ -z "$left" ] || fail "left after removal: $left"
[ ! -e /usr/lib/kx-507 ] && [ ! -e /usr/share/kx-507 ] || fail "the program's folders are left"
[ "$(md5sum "$settings/config.bin" "$settings/str.ini")" = "$before" ] || fail "removal touched the user's settings"
echo "PASS: package"
