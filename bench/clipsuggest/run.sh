#!/bin/bash
# The clip suggestion's analysis against the waveform job on the same
# 5-minute song (an MP3 made here from generated songs, or FILE), RUNS
# alternating runs (5), then its peak memory on a 60-minute WAV.
#
# Usage: bench/clipsuggest/run.sh [FILE]   (build target bench_clipsuggest first)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
bin=${BENCH_BIN:-$here/../../build/bin}
bench=$bin/bench_clipsuggest
[ -x "$bench" ] || { echo "not built: $bench (cmake --build build --target bench_clipsuggest)" >&2; exit 1; }
[ -x "$bin/ffmpeg" ] || { echo "not built: $bin/ffmpeg (cmake --build build --target ffmpeg)" >&2; exit 1; }
work=$(mktemp -d "${TMPDIR:-/tmp}/tq-clipsuggest.XXXXXX")
trap 'rm -rf "$work"' EXIT
file=${1:-}
if [ -z "$file" ]; then
    "$bench" --song 300 "$work/song.wav" >&2
    file=$work/song.mp3
    /usr/bin/ffmpeg -nostdin -loglevel error -y -i "$work/song.wav" -c:a libmp3lame -b:a 192k "$file"
    rm -f "$work/song.wav"
fi
echo "load average now: $(cut -d' ' -f1-3 /proc/loadavg); $(nproc) cores"
"$bench" --speed "$bin/ffmpeg" "$file" "${RUNS:-5}"
"$bench" --song 3600 "$work/hour.wav" >&2
"$bench" --memory "$work/hour.wav"
