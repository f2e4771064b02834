#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package kx-507_VERSION_ARCH.deb from this source tree with
# the distribution's tools (dpkg-buildpackage, debhelper; see debian/).
#
# usage: scripts/package-deb.sh [--out DIR]     (default DIR: build-deb/)
#
# The tree's files (tracked ones and new ones not ignored) are copied to
# DIR/src/kx-507-VERSION, built there and the package is left in DIR. Only the
# program is built, with ccache when the machine has it; the copy's path stays
# the same from run to run so that ccache finds its earlier results. The last
# line printed is the package's path.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/build-deb"
while [ $# -gt 0 ]; do
  case $1 in
    --out) [ $# -ge 2 ] || { echo "package-deb.sh: --out needs a folder" >&2; exit 2; }
      out=$2; shift ;;
    -h | --help) awk 'NR > 1 && !/^#/ { exit } NR > 1 && !/SPDX/' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) echo "package-deb.sh: unknown argument $1 (see --help)" >&2; exit 2 ;;
  esac
  shift
done
mkdir -p "$out"
out=$(cd "$out" && pwd)

cd "$root"
version=$(dpkg-parsechangelog -S Version)
arch=$(dpkg-architecture -qDEB_HOST_ARCH)
src="$out/src/kx-507-$version"
start=$SECONDS

rm -rf -- "$src"
mkdir -p "$src"
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  git ls-files -z --cached --others --exclude-standard |
    while IFS= read -r -d '' f; do [ -e "$f" ] && printf '%s\0' "$f"; done |
    tar --null -T - -cf - | tar -xf - -C "$src"
else
  tar --exclude='./build*' --exclude=./out -cf - . | tar -xf - -C "$src"
fi

(
  cd "$src"
  export DEB_BUILD_OPTIONS="${DEB_BUILD_OPTIONS:-nocheck noddebs}"
  dpkg-buildpackage -b -us -uc -j"$(nproc)" >"$out/build.log" 2>&1
) || { tail -40 "$out/build.log" >&2; echo "package-deb.sh: the package build failed (log: $out/build.log)" >&2; exit 1; }

deb="kx-507_${version}_${arch}.deb"
mv -f -- "$out/src/$deb" "$out/$deb"
rm -f -- "$out/src"/kx-507_"$version"_*.{buildinfo,changes}
echo "Built $deb in $((SECONDS - start)) s (log: $out/build.log)"
echo "$out/$deb"
