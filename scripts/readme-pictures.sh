#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Draws the README's pictures (the three pages of the main window and the fire
# key dialog) with the scripted runner of a build, into docs/pictures/. The
# AppStream metadata names the same files as its screenshots.
#
# usage: scripts/readme-pictures.sh [BUILD_DIR]     (default: build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
runner="$build/out/kx-run"
[ -x "$runner" ] || { echo "readme-pictures.sh: no runner in $build/out (build first)" >&2; exit 1; }
out="$root/docs/pictures"
mkdir -p "$out"

# Tabs at y 75: keys x 340, DPI x 500, lighting x 660. Slot 3 of the first key
# set opens its list at (100, 327); "Fire Key" is at (120, 496).
"$runner" --png-dir "$out" - >/dev/null <<'SCRIPT'
start
tray click
png keys.png
click 500 75
png dpi.png
click 660 75
png lighting.png
click 340 75
click 100 327
click 120 496
png fire-key.png
SCRIPT
ls "$out"/{keys,dpi,lighting,fire-key}.png
