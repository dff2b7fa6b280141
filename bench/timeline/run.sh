#!/usr/bin/env bash
# Peaks memory of a 2-hour film (goal 8 MB) and the timeline's repaint at
# every zoom (goal 2 ms), against the whole-file repaint of the same run.
#   bench/timeline/run.sh [REPEATS]   (build target bench_timeline first)
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
BENCH="${BENCH:-$ROOT/build/bin/bench_timeline}"
[ -x "$BENCH" ] || { echo "not built: $BENCH (cmake --build build --target bench_timeline)" >&2; exit 1; }
echo "load average now: $(cut -d' ' -f1-3 /proc/loadavg); $(nproc) cores"
QT_QPA_PLATFORM=offscreen "$BENCH" "${1:-200}"
