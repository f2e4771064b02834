#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the fuzz targets (clang, libFuzzer) and runs every one of them for
# SECONDS (default 600), as many at a time as there are processors. Each
# starts from its seeds in tests/fuzz/corpus/ and from what earlier runs
# found (kept in build-fuzz/tests/fuzz/); an input that fails is written to
# build-fuzz/fuzz-artifacts/ and the script ends with status 1.
#
#   scripts/fuzz.sh [SECONDS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

seconds=${1:-600}
if ! [[ $seconds =~ ^[0-9]+$ ]] || [ "$seconds" -lt 1 ]; then
  echo "usage: scripts/fuzz.sh [SECONDS]" >&2
  exit 2
fi

scripts/install-deps.sh
cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug \
  -DKX_FUZZ=ON -DKX_FUZZ_SECONDS="$seconds" -DKX_BUILD_TESTS=OFF -DKX_BUILD_BENCH=OFF
cmake --build build-fuzz -j "$(nproc)" --target kx_fuzzers
ctest --test-dir build-fuzz --output-on-failure -j "$(nproc)" -L fuzz
