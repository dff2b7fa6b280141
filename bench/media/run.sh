#!/usr/bin/env bash
# Reader speed on 60 minutes of 16-bit stereo 44.1 kHz (about 635 MB, page
# cached), with `cat FILE > /dev/null` of the same file for scale.
#   bench/media/run.sh [WIDTH HEIGHT REPEATS]
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
BUILD="${TONQUILL_BENCH_BUILD_DIR:-$ROOT/build}"
WIDTH="${1:-530}"
HEIGHT="${2:-50}"
REPEATS="${3:-5}"

[ -f "$BUILD/CMakeCache.txt" ] || cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$BUILD" --target bench_waveimage -j2 >/dev/null

WAV="$(mktemp /tmp/tq-bench-XXXXXX.wav)"
trap 'rm -f "$WAV"' EXIT
/usr/bin/ffmpeg -nostdin -loglevel error -y -f lavfi \
    -i "sine=frequency=440:sample_rate=44100:duration=3600" \
    -ac 2 -c:a pcm_s16le "$WAV"
cat "$WAV" >/dev/null   # into the page cache

bytes=$(stat -c %s "$WAV")
best_cat=""
for _ in $(seq "$REPEATS"); do
    start=$(date +%s%N)
    cat "$WAV" >/dev/null
    ns=$(( $(date +%s%N) - start ))
    if [ -z "$best_cat" ] || [ "$ns" -lt "$best_cat" ]; then best_cat=$ns; fi
done
awk -v b="$bytes" -v ns="$best_cat" -v r="$REPEATS" \
    'BEGIN { printf "cat > /dev/null on %.1f MB: best of %d %.1f ms, %.2f GB/s\n", b/1e6, r, ns/1e6, b/ns }'

QT_QPA_PLATFORM=offscreen "$BUILD/bin/bench_waveimage" "$WAV" "$WIDTH" "$HEIGHT" "$REPEATS"
