#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The folders of the program include downward only. The table below is the
# order from the top: a file may include files of its own folder and of any
# folder on a lower level, never one on its own level or above. A backend
# ("private") is reached only from inside itself: the program is linked
# against it, it never names it. Besides the order, system code stays off
# POSIX, Qt and libudev headers; Qt belongs to platform/qt (and the developer
# tools), libudev and the hidraw ioctls to platform/linux.
#
# Usage: check-layering.sh [ROOT]          check the tree, naming every offence
#        check-layering.sh --graph [ROOT]  print which folder includes which
set -u
mode=check
if [ "${1:-}" = --graph ]; then mode=graph; shift; fi
root=${1:-$(git rev-parse --show-toplevel)}
cd "$root" || exit 2

# level  folder          kind: system code, platform interface, backend
read -r -d '' layers <<'EOF'
1  app             system
1  ctl             system
2  mainwnd         system
3  dialogs         system
4  tray            system
5  skin            system
5  device          system
6  settings        system
7  lang            system
8  platform/qt     private
8  platform/linux  private
8  platform/sim    private
9  platform        platform
EOF

sources=$(find . -path './build*' -prune -o -path './.git' -prune -o \
               -type f \( -name '*.h' -o -name '*.cpp' \) -print | sed 's|^\./||' | sort)

# Every quoted include inside a table folder, as "file line folder target
# target-folder", judged against the table in one awk pass.
printf '%s\n' "$sources" | xargs -r grep -nE '^\s*#\s*include\s*"[^"]+"' /dev/null \
| awk -v mode="$mode" -v table="$layers" '
    BEGIN {
        n = split(table, rows, "\n")
        for (i = 1; i <= n; i++) {
            split(rows[i], f, " ")
            if (f[2] == "") continue
            level[f[2]] = f[1]; kind[f[2]] = f[3]; folders[++count] = f[2]
        }
        status = 0
    }
    function folder_of(path,    i, best) {
        best = ""
        for (i = 1; i <= count; i++)
            if (index(path, folders[i] "/") == 1 && length(folders[i]) > length(best)) best = folders[i]
        return best
    }
    {
        split($0, parts, ":"); file = parts[1]; line = parts[2]
        target = $0; sub(/^[^"]*"/, "", target); sub(/".*$/, "", target)
        from = folder_of(file); to = folder_of(target)
        if (from == "" || to == "" || from == to) next
        edges[from " -> " to]++
        if (kind[to] == "private")
            why = to " is a backend, linked and never included"
        else if (level[to] < level[from])
            why = "upward: " to " sits above " from
        else if (level[to] == level[from])
            why = "sideways: " to " sits beside " from
        else
            next
        if (mode == "check") print file ":" line ": includes \"" target "\" (" why ")"
        status = 1
    }
    END {
        if (mode == "graph") for (e in edges) printf "%5d  %s\n", edges[e], e | "sort -k2"
        exit status
    }'
order=$?
[ "$mode" = graph ] && exit 0

status=$order
system_folders=$(printf '%s\n' "$layers" | awk '$3 == "system" { print $2 }')
system_files=$(printf '%s\n' "$sources" | grep -E "^($(echo $system_folders | tr ' ' '|'))/" || true)
posix='unistd|fcntl|poll|dirent|pthread|signal|termios|dlfcn|sys/[a-z_]+|linux/[a-z_]+|netinet/[a-z_]+|arpa/[a-z_]+'
if [ -n "$system_files" ]; then
  leak=$(printf '%s\n' "$system_files" | xargs -r grep -nE "^\s*#\s*include\s*<($posix)\.h>" /dev/null || true)
  if [ -n "$leak" ]; then
    echo "POSIX headers included in system code (the platform layer offers what it needs):"; echo "$leak"; status=1
  fi
fi
qt=$(printf '%s\n' "$sources" | grep -vE '^(platform/qt|tools)/' \
     | xargs -r grep -nE '^\s*#\s*include\s*[<"]Q[A-Za-z]' /dev/null || true)
if [ -n "$qt" ]; then
  echo "Qt headers included outside platform/qt:"; echo "$qt"; status=1
fi
udev=$(printf '%s\n' "$sources" | grep -vE '^platform/linux/' \
       | xargs -r grep -nE '^\s*#\s*include\s*[<"](libudev\.h|linux/hidraw\.h)' /dev/null || true)
if [ -n "$udev" ]; then
  echo "libudev or hidraw used outside platform/linux:"; echo "$udev"; status=1
fi
[ $status -eq 0 ] && echo "layering ok"
exit $status
