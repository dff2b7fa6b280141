#!/usr/bin/env bash
# Adding 20 ringtones of 600 KB with one commit through the real-phone
# module, over the wire to the tests' fake iPhone, against plain AFC writes
# of the same bytes to the same fake in the same run.
#   bench/devicebridge/run_usbphone.sh [REPEATS]
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
BUILD="${TONQUILL_BENCH_BUILD_DIR:-$ROOT/build}"
[ -f "$BUILD/CMakeCache.txt" ] || cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$BUILD" --target bench_usbphone -j2 >/dev/null
dir="$(mktemp -d /tmp/tq-bench-usb-XXXXXX)"
trap 'rm -rf "$dir"' EXIT
"$BUILD/bin/bench_usbphone" "$dir" "${1:-5}"
