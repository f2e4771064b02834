#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# scripts/check-spdx.sh on a small repository of its own: it finds each kind
# of file without the line, --fix puts the line where it belongs (after a
# "#!" line) without changing anything else, and a second --fix changes
# nothing. Ignored files and data files are left alone.
#
# usage: spdx_test.sh SOURCE_DIR
set -euo pipefail
check="$1/scripts/check-spdx.sh"
fail() { printf 'FAIL: %s\n' "$*" >&2; exit 1; }
T=$(mktemp -d "${TMPDIR:-/tmp}/kx-spdx-test.XXXXXX")
trap 'rm -rf -- "$T"' EXIT
cd "$T"
git init -q .
mkdir -p a/b build
printf 'int x;\n\n\n' >a/b/one.cpp
printf '#pragma once\n' >a/two.h
printf '#!/usr/bin/env bash\necho hi\n' >run.sh
chmod 755 run.sh
printf '#!/usr/bin/make -f\n%%:\n\tdh $@\n' >rules
printf 'add_subdirectory(a)\n' >CMakeLists.txt
printf 'set(x 1)' >a/x.cmake  # no newline at the end
printf '# data\n' >a/script.kxs
printf '\0#!\0\0' >a/data.bin
printf 'int y;\n' >build/ignored.cpp
printf '/build/\n' >.gitignore
printf '// SPDX-License-Identifier: MIT\nint z;\n' >a/other.cpp
git add -A

if "$check" "$T" >out.txt 2>err.txt; then fail "the check passed files without the line"; fi
[ ! -s err.txt ] || fail "the check complained: $(cat err.txt)"
for f in a/b/one.cpp a/two.h run.sh rules CMakeLists.txt a/x.cmake; do
  grep -qx "no SPDX line: $f" out.txt || fail "the check did not name $f"
done
grep -q 'another SPDX line, left as it is: a/other.cpp' out.txt || fail "a different licence line was not named"
! grep -q 'kxs\|ignored' out.txt || fail "the check named a data or ignored file"

"$check" --fix "$T" >/dev/null 2>err.txt || true
[ ! -s err.txt ] || fail "--fix complained: $(cat err.txt)"
[ "$(od -An -c a/data.bin | tr -d ' ')" = '\0#!\0\0' ] || fail "--fix changed a binary file"
id="SPDX-License-Identifier: GPL-3.0-or-later"
[ "$(cat a/b/one.cpp)" = "$(printf '// %s\nint x;\n\n\n' "$id")" ] || fail "one.cpp: $(cat a/b/one.cpp)"
[ "$(tail -c 2 a/b/one.cpp | od -An -c | tr -d ' ')" = '\n\n' ] || fail "trailing blank lines were lost"
[ "$(sed -n 1,2p run.sh)" = "$(printf '#!/usr/bin/env bash\n# %s' "$id")" ] || fail "run.sh: $(cat run.sh)"
[ -x run.sh ] || fail "--fix lost the file's mode"
[ "$(sed -n 2p rules)" = "# $id" ] && [ "$(sed -n 4p rules)" = "$(printf '\tdh $@')" ] || fail "rules: $(cat rules)"
[ "$(cat a/x.cmake)" = "$(printf '# %s\nset(x 1)' "$id")" ] || fail "x.cmake: $(cat a/x.cmake)"
[ "$(head -c 1 a/x.cmake)" = '#' ] && [ "$(tail -c 1 a/x.cmake)" = ')' ] || fail "x.cmake's last line changed"
[ "$(cat a/script.kxs)" = '# data' ] && [ "$(cat build/ignored.cpp)" = 'int y;' ] || fail "--fix changed a file it should skip"
[ "$(head -n 1 a/other.cpp)" = '// SPDX-License-Identifier: MIT' ] || fail "--fix changed another licence's line"

rm a/other.cpp
before=$(find . -path ./.git -prune -o -type f -print0 | sort -z | xargs -0 md5sum)
"$check" "$T" >/dev/null || fail "the check fails after --fix"
"$check" --fix "$T" >/dev/null
[ "$(find . -path ./.git -prune -o -type f -print0 | sort -z | xargs -0 md5sum)" = "$before" ] ||
  fail "a second --fix changed files"
echo "PASS: spdx"
