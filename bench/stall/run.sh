#!/bin/bash
# The longest gap between event-loop turns of the real window while it
# loads a 60-minute MP3 (made here, or FILE given), RUNS times (3).
#
# Usage: bench/stall/run.sh [FILE]   (build target bench_stall first)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
bench=${BENCH:-$here/../../build/bin/bench_stall}
[ -x "$bench" ] || { echo "not built: $bench (cmake --build build --target bench_stall)" >&2; exit 1; }
work=$(mktemp -d "${TMPDIR:-/tmp}/tq-stall.XXXXXX")
trap 'rm -rf "$work"' EXIT
file=${1:-}
if [ -z "$file" ]; then
    file=$work/60min.mp3
    echo "making a 60-minute MP3 ..." >&2
    /usr/bin/ffmpeg -nostdin -loglevel error -y -f lavfi -t 3600 \
        -i "sine=f=220:r=44100,volume=0.3[a];sine=f=277:r=44100,volume=0.2[b];anoisesrc=r=44100:a=0.05[c];[a][b][c]amix=3,aformat=channel_layouts=stereo" \
        -c:a libmp3lame -b:a 192k "$file"
fi
echo "load average now: $(cut -d' ' -f1-3 /proc/loadavg); $(nproc) cores"
QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy HOME=$work "$bench" "$file" "${RUNS:-3}"
