#!/bin/bash
# Times the encoder program against Debian's ffmpeg doing the same work, in
# the same run, on media made here: the waveform job (whole file to WAV) and
# the ringtone job (30 s from second 60, gain 1.5, 3 s fade-in, to M4A).
# Prints wall time (median of RUNS runs), peak resident memory and the ratio
# ours / ffmpeg for each.
#
# Usage: bench/encoder/run.sh [path/to/our/ffmpeg]   (RUNS=5 by default)
# Goals: time ratio <= 0.9 on the 5-minute file and <= 1.0 on the others;
# peak memory <= 40 MB and flat in the file's length.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
ours=${1:-${TQ_ENCODER:-$here/../../build/bin/ffmpeg}}
reference=/usr/bin/ffmpeg
runs=${RUNS:-5}
timer=/usr/bin/time

[ -x "$ours" ] || { echo "encoder not found: $ours (build target ffmpeg or pass its path)" >&2; exit 1; }
[ -x "$timer" ] || { echo "$timer missing: install package 'time'" >&2; exit 1; }
ours=$(readlink -f "$ours")
[ "$ours" != "$(readlink -f $reference)" ] || { echo "that is Debian's ffmpeg, not ours" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/tq-encoder-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT

make_media() {
    local q=(-nostdin -hide_banner -loglevel error -y)
    # Music-like content: a chord over noise, so that the codecs do real work.
    local music="sine=f=220:r=44100,volume=0.3[a];sine=f=277:r=44100,volume=0.2[b];anoisesrc=r=44100:a=0.05[c];[a][b][c]amix=3,aformat=channel_layouts=stereo"
    echo "making media in $work ..." >&2
    $reference "${q[@]}" -f lavfi -t 300 -i "$music" -c:a libmp3lame -b:a 192k "$work/5min.mp3"
    $reference "${q[@]}" -f lavfi -t 3600 -i "$music" -c:a libmp3lame -b:a 192k "$work/60min.mp3"
    $reference "${q[@]}" -f lavfi -i "testsrc=s=640x360:r=25:d=120" -f lavfi -t 120 -i "$music" \
        -c:v libx264 -preset ultrafast -c:a aac -b:a 160k -ar 48000 "$work/2min.mp4"
}

# run_once <outfile> cmd...: prints the wall time in seconds; the outfile
# gets "peak-kB cpu-seconds".
run_once() {
    local usage=$1
    shift
    local start end
    start=$(date +%s%N)
    "$timer" -f "%M %U %S" -o "$usage" "$@" >/dev/null 2>"$work/stderr" || {
        echo "failed: $*" >&2
        cat "$work/stderr" >&2
        exit 1
    }
    end=$(date +%s%N)
    awk -v s="$start" -v e="$end" 'BEGIN { printf "%.4f\n", (e - s) / 1e9 }'
}

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# measure <label> <goal> <our args> -- <reference args>
measure() {
    local label=$1 goal=$2
    shift 2
    local our_args=() ref_args=()
    while [ "$1" != "--" ]; do our_args+=("$1"); shift; done
    shift
    ref_args=("$@")
    local our_times=() ref_times=() our_cpu=() ref_cpu=() our_rss=0 ref_rss=0 kb user sys
    for ((i = 0; i < runs; i++)); do
        # Alternate, so that a neighbour's load hits both alike. Every run
        # writes a fresh file, as the program's jobs do (numbered temporary
        # WAV, unique ringtone name): replacing a large file would time the
        # page cache freeing the old one rather than the encoder.
        rm -f "$work"/ours.* "$work"/ref.*
        our_times+=("$(run_once "$work/usage" "$ours" "${our_args[@]}")")
        read -r kb user sys < <(tail -n1 "$work/usage")
        ((kb > our_rss)) && our_rss=$kb
        our_cpu+=("$(awk -v u="$user" -v s="$sys" 'BEGIN { print u + s }')")
        rm -f "$work"/ours.* "$work"/ref.*
        ref_times+=("$(run_once "$work/usage" $reference -nostdin -hide_banner -loglevel error "${ref_args[@]}")")
        read -r kb user sys < <(tail -n1 "$work/usage")
        ((kb > ref_rss)) && ref_rss=$kb
        ref_cpu+=("$(awk -v u="$user" -v s="$sys" 'BEGIN { print u + s }')")
    done
    local ot rt oc rc
    ot=$(printf '%s\n' "${our_times[@]}" | median)
    rt=$(printf '%s\n' "${ref_times[@]}" | median)
    oc=$(printf '%s\n' "${our_cpu[@]}" | median)
    rc=$(printf '%s\n' "${ref_cpu[@]}" | median)
    awk -v l="$label" -v ot="$ot" -v rt="$rt" -v oc="$oc" -v rc="$rc" -v om="$our_rss" -v rm="$ref_rss" -v g="$goal" 'BEGIN {
        r = ot / rt
        printf "%-22s %8.3f %8.3f %6.2f %5s  %6.2f %6.2f  %7.1f %7.1f  %s\n", l, ot, rt, r, "<=" g, oc, rc,
               om / 1024, rm / 1024, (r <= g && om / 1024 <= 40) ? "ok" : "MISSED"
    }'
}

make_media
echo
# Wall time is the goal; CPU seconds (user + system) are printed beside it
# because a shared machine's load moves wall time far more than the work.
printf "%-22s %8s %8s %6s %5s  %6s %6s  %7s %7s\n" "job" "ours s" "ffmpeg s" "ratio" "goal" \
    "cpu us" "cpu ff" "ours MB" "ffm MB"
for media in 5min.mp3 60min.mp3 2min.mp4; do
    goal=1.0
    [ "$media" = 5min.mp3 ] && goal=0.9
    in="$work/$media"
    measure "wave     $media" $goal -y -i "$in" -vn -ab 192K -ac 2 -ar 44100 "$work/ours.wav" \
        -- -y -i "$in" -vn -ac 2 -ar 44100 "$work/ref.wav"
    measure "ringtone $media" $goal -ss 60 -t 30 -y -i "$in" -vol 384 -fadein 3 -vn -ab 192K -ac 2 -ar 44100 \
        "$work/ours.m4a" \
        -- -y -ss 60 -t 30 -i "$in" -af volume=1.5,afade=t=in:d=3 -vn -b:a 192k -ac 2 -ar 44100 "$work/ref.m4a"
done
