#!/usr/bin/env bash
# Builds the WAV reader fuzzer with clang (libFuzzer, ASan, UBSan) and runs it
# for the given number of seconds.
#   bench/fuzz/run.sh SECONDS [extra libFuzzer options...]
# Findings are written to $FUZZ_OUT (default: the build dir's fuzz-out/).
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
SECONDS_TO_RUN="${1:?usage: run.sh SECONDS [libFuzzer options]}"
shift
BUILD="${TONQUILL_FUZZ_BUILD_DIR:-$ROOT/build-fuzz}"
OUT="${FUZZ_OUT:-$BUILD/fuzz-out}"
"$ROOT/bench/fuzz/build.sh" fuzz_waveimage

# Seeds: a few well-formed files of the shapes the reader accepts, plus the
# committed regression inputs.
CORPUS="$OUT/corpus"
mkdir -p "$CORPUS" "$OUT/artifacts"
if command -v ffmpeg >/dev/null && [ ! -e "$CORPUS/seed-s16-stereo.wav" ]; then
    gen() { ffmpeg -nostdin -loglevel error -y -f lavfi -i "sine=frequency=440:duration=0.01" "$@"; }
    gen -ac 2 -c:a pcm_s16le "$CORPUS/seed-s16-stereo.wav"
    gen -ac 1 -c:a pcm_u8 "$CORPUS/seed-u8-mono.wav"
    gen -ac 2 -c:a pcm_s16le -metadata title=t -write_bext 1 "$CORPUS/seed-s16-bext.wav"
    gen -ac 1 -c:a pcm_s24le "$CORPUS/seed-s24.wav"
fi
cp -n "$ROOT"/tests/media/data/*.wav "$CORPUS"/ 2>/dev/null || true

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:${ASAN_OPTIONS:-}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:${UBSAN_OPTIONS:-}"
"$BUILD/bin/fuzz_waveimage" "$CORPUS" \
    -max_total_time="$SECONDS_TO_RUN" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
    -artifact_prefix="$OUT/artifacts/" -print_final_stats=1 "$@"
