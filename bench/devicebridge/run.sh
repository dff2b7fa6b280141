#!/usr/bin/env bash
# Listing 1,000 ringtones and adding a batch of 20 files on the simulated
# phone, each against a plain copy of the same bytes in the same run.
#   bench/devicebridge/run.sh [REPEATS]
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
BUILD="${TONQUILL_BENCH_BUILD_DIR:-$ROOT/build}"
[ -f "$BUILD/CMakeCache.txt" ] || cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$BUILD" --target bench_phone -j2 >/dev/null
"$BUILD/bin/bench_phone" "$(mktemp -d /tmp/tq-bench-phone-XXXXXX)" "${1:-5}"
