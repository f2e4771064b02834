#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every source file and script of the project starts with its licence's SPDX
# identifier: the first line, or the second after a "#!" line. C and C++
# files take the // form, CMake files, shell scripts and anything else started
# through a "#!" line the # form.
#
# usage: scripts/check-spdx.sh [--fix] [ROOT]
# Without --fix it names the files that lack the line and fails when any do;
# with --fix it adds the line to them. ROOT defaults to this checkout; the
# files are the ones git tracks there, and new ones it does not ignore.
set -euo pipefail
fix=no
if [ "${1:-}" = --fix ]; then fix=yes; shift; fi
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root"
readonly id="SPDX-License-Identifier: GPL-3.0-or-later"

# Sets comment to the comment form a file takes ("//" or "#"), or to nothing
# when it takes none; $2 is the file's first line. Processes are started only
# for files without a known ending, so that the check stays quick.
comment_of() {
  comment=""
  case $1 in
    *.cpp | *.cc | *.c | *.h | *.hpp) comment="//" ;;
    *.sh | *.cmake | */CMakeLists.txt | CMakeLists.txt | *.py) comment="#" ;;
    # The shell drops NUL bytes from what it reads, so the two bytes are
    # looked at once more where it matters.
    *) if [[ $2 == '#!'* ]] && [ "$(head -c 2 -- "$1" | od -An -c | tr -d ' ')" = '#!' ]; then comment="#"; fi ;;
  esac
}

list_files() {
  if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files -z --cached --others --exclude-standard
  else
    find . -path ./.git -prune -o -path './build*' -prune -o -type f -printf '%P\0'
  fi
}

missing=0
while IFS= read -r -d '' file; do
  [ -f "$file" ] && [ ! -L "$file" ] || continue
  # The first two lines, read by the shell itself (a NUL byte is dropped).
  first="" second=""
  { IFS= read -r first || true; IFS= read -r second || true; } <"$file" 2>/dev/null
  comment_of "$file" "$first"
  [ -n "$comment" ] || continue
  if [[ $first == '#!'* ]]; then at=2 line=$second; else at=1 line=$first; fi
  [ "$line" != "$comment $id" ] || continue
  if [[ $line == *SPDX-License-Identifier:* ]]; then
    echo "another SPDX line, left as it is: $file: $line"
    missing=$((missing + 1))
  elif [ $fix = yes ]; then
    # A new file with the old one's mode takes its place whole, so that a
    # script running meanwhile goes on reading the file it started with.
    content=$(cat -- "$file"; echo x)
    { if [ "$at" = 2 ]; then printf '%s\n' "$(head -n 1 -- "$file")"; fi
      printf '%s %s\n' "$comment" "$id"
      if [ "$at" = 2 ]; then printf '%s' "${content%x}" | tail -n +2; else printf '%s' "${content%x}"; fi
    } >"$file.spdx-new"
    chmod --reference="$file" -- "$file.spdx-new"
    mv -f -- "$file.spdx-new" "$file"
    echo "added: $file"
  else
    echo "no SPDX line: $file"
    missing=$((missing + 1))
  fi
done < <(list_files)
if [ $missing -gt 0 ]; then
  echo "$missing files lack the line \"$id\" (scripts/check-spdx.sh --fix adds it)"
  exit 1
fi
[ $fix = yes ] || echo "spdx ok"
