#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The layering check on small trees of its own: a tree that keeps the order
# passes, and each kind of offence fails, naming the line.
set -u
script=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# Writes FILE holding LINE under a fresh copy of a tree that keeps the order.
tree() {
  rm -rf "$work/tree"; mkdir -p "$work/tree"
  add mainwnd/window.cpp '#include "dialogs/frame.h"'
  add dialogs/frame.h '#include "skin/canvas.h"'
  add skin/canvas.h '#include "platform/dc.h"'
  add settings/record.h '#include "lang/language.h"'
  add lang/language.h '#include <cstdint>'
  add platform/dc.h '#include <unistd.h>'
  add platform/qt/dc.cpp '#include <QImage>'
  add platform/qt/dc_native.cpp '#include "platform/dc.h"'
}
add() { mkdir -p "$work/tree/$(dirname "$1")"; printf '%s\n' "$2" >> "$work/tree/$1"; }

# expect STATUS PATTERN: runs the check and compares its status and output.
expect() {
  output=$("$script" "$work/tree" 2>&1); status=$?
  if [ "$status" -ne "$1" ] || ! grep -qE "$2" <<<"$output"; then
    echo "FAIL ($CASE): status $status, wanted $1 and /$2/ in:"; echo "$output"; failures=$((failures + 1))
  fi
}

CASE="ordered tree"; tree; expect 0 'layering ok'
CASE="upward include"; tree; add settings/record.h '#include "mainwnd/window.h"'
expect 1 'settings/record.h:2: includes "mainwnd/window.h" \(upward'
CASE="language below settings"; tree; add lang/language.h '#include "settings/record.h"'
expect 1 'lang/language.h:2: .*upward'
CASE="sideways include"; tree; add device/link.cpp '#include "skin/canvas.h"'
expect 1 'device/link.cpp:1: .*sideways'
CASE="backend named by system code"; tree; add device/link.cpp '#include "platform/sim/mouse.h"'
expect 1 'device/link.cpp:1: .*backend'
CASE="POSIX in system code"; tree; add settings/file.cpp '#include <sys/stat.h>'
expect 1 'POSIX headers.*' 
CASE="Qt outside its backend"; tree; add skin/canvas.cpp '#include <QPainter>'
expect 1 'skin/canvas.cpp:1:#include <QPainter>'
CASE="graph"; tree
graph=$("$script" --graph "$work/tree")
grep -qE '1  mainwnd -> dialogs' <<<"$graph" || { echo "FAIL (graph): $graph"; failures=$((failures + 1)); }

[ $failures -eq 0 ] && echo "all layering cases pass"
exit $((failures > 0))
