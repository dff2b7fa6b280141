#!/bin/bash
# Times the encoder program against Debian's ffmpeg doing the same work, in
# the same run, on media made here: the waveform job (whole file to WAV) and
# the ringtone job (30 s from second 60, gain 1.5, 3 s fade-in, to M4A), on
# a 5- and a 60-minute MP3, a 2-minute and a 2-hour MP4 film.
# Runs ours and ffmpeg alternately, RUNS pairs, and prints the medians of
# wall and CPU (user + system) seconds, the medians of the per-pair ratios
# ours / ffmpeg for both, and peak resident memory.
#
# Usage: bench/encoder/run.sh [path/to/our/ffmpeg]   (RUNS=10 by default)
# MEDIA=dir keeps the generated media there for the next run (the 2-hour
# film takes minutes to make); JOBS="wave ringtone" and FILES="5min.mp3 ..."
# narrow the run.
# Goals: wall ratio <= 0.6 for the waveform job, <= 0.9 for the ringtone;
# peak memory near ffmpeg's for the same job, and flat in the file's length
# (printed, not judged: both programs load the same libav* libraries, about
# 40 MB of resident pages before any work, and the parallel waveform job
# opens the input once per thread, which on a long MP4 holds its index, some
# 10 MB for two hours, once more). A CPU ratio well
# above the wall ratio means the win is cores burnt, not work saved.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
ours=${1:-${TQ_ENCODER:-$here/../../build/bin/ffmpeg}}
reference=/usr/bin/ffmpeg
runs=${RUNS:-10}
timer=/usr/bin/time

[ -x "$ours" ] || { echo "encoder not found: $ours (build target ffmpeg or pass its path)" >&2; exit 1; }
[ -x "$timer" ] || { echo "$timer missing: install package 'time'" >&2; exit 1; }
ours=$(readlink -f "$ours")
[ "$ours" != "$(readlink -f $reference)" ] || { echo "that is Debian's ffmpeg, not ours" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/tq-encoder-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
media=${MEDIA:-$work}
mkdir -p "$media"

make_media() {
    local q=(-nostdin -hide_banner -loglevel error -y)
    # Music-like content: a chord over noise, so that the codecs do real work.
    local music="sine=f=220:r=44100,volume=0.3[a];sine=f=277:r=44100,volume=0.2[b];anoisesrc=r=44100:a=0.05[c];[a][b][c]amix=3,aformat=channel_layouts=stereo"
    echo "making media in $media ..." >&2
    [ -s "$media/5min.mp3" ] || $reference "${q[@]}" -f lavfi -t 300 -i "$music" -c:a libmp3lame -b:a 192k "$media/5min.mp3"
    [ -s "$media/60min.mp3" ] || $reference "${q[@]}" -f lavfi -t 3600 -i "$music" -c:a libmp3lame -b:a 192k "$media/60min.mp3"
    [ -s "$media/2min.mp4" ] || $reference "${q[@]}" -f lavfi -i "testsrc=s=640x360:r=25:d=120" -f lavfi -t 120 \
        -i "$music" -c:v libx264 -preset ultrafast -c:a aac -b:a 160k -ar 48000 "$media/2min.mp4"
    # A film's sound is mostly 48 kHz AAC; a small picture keeps the making
    # short, and the demuxer skips the video either way.
    [ -s "$media/2h.mp4" ] || $reference "${q[@]}" -f lavfi -i "testsrc=s=160x90:r=5:d=7200" -f lavfi -t 7200 \
        -i "$music" -c:v libx264 -preset ultrafast -c:a aac -b:a 160k -ar 48000 "$media/2h.mp4"
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
    local walls=() cpus=() wall_ratios=() cpu_ratios=() our_rss=0 ref_rss=0 kb user sys ow oc rw rc
    for ((i = 0; i < runs; i++)); do
        # Alternate, so that a neighbour's load hits both alike. Every run
        # writes a fresh file, as the program's jobs do (numbered temporary
        # WAV, unique ringtone name): replacing a large file would time the
        # page cache freeing the old one rather than the encoder.
        rm -f "$work"/ours.* "$work"/ref.*
        ow=$(run_once "$work/usage" "$ours" "${our_args[@]}")
        read -r kb user sys < <(tail -n1 "$work/usage")
        ((kb > our_rss)) && our_rss=$kb
        oc=$(awk -v u="$user" -v s="$sys" 'BEGIN { print u + s }')
        rm -f "$work"/ours.* "$work"/ref.*
        rw=$(run_once "$work/usage" $reference -nostdin -hide_banner -loglevel error "${ref_args[@]}")
        read -r kb user sys < <(tail -n1 "$work/usage")
        ((kb > ref_rss)) && ref_rss=$kb
        rc=$(awk -v u="$user" -v s="$sys" 'BEGIN { print u + s }')
        walls+=("$ow $rw")
        cpus+=("$oc $rc")
        wall_ratios+=("$(awk -v a="$ow" -v b="$rw" 'BEGIN { print a / b }')")
        cpu_ratios+=("$(awk -v a="$oc" -v b="$rc" 'BEGIN { print (b > 0) ? a / b : 0 }')")
    done
    local ot rt oc2 rc2 wr cr
    ot=$(printf '%s\n' "${walls[@]}" | cut -d' ' -f1 | median)
    rt=$(printf '%s\n' "${walls[@]}" | cut -d' ' -f2 | median)
    oc2=$(printf '%s\n' "${cpus[@]}" | cut -d' ' -f1 | median)
    rc2=$(printf '%s\n' "${cpus[@]}" | cut -d' ' -f2 | median)
    wr=$(printf '%s\n' "${wall_ratios[@]}" | median)
    cr=$(printf '%s\n' "${cpu_ratios[@]}" | median)
    awk -v l="$label" -v ot="$ot" -v rt="$rt" -v oc="$oc2" -v rc="$rc2" -v wr="$wr" -v cr="$cr" \
        -v om="$our_rss" -v rm="$ref_rss" -v g="$goal" 'BEGIN {
        printf "%-22s %7.3f %7.3f %5.2f %5s  %7.3f %7.3f %5.2f  %6.1f %6.1f  %s\n", l, ot, rt, wr, "<=" g, oc, rc, cr,
               om / 1024, rm / 1024, (wr <= g) ? "ok" : "MISSED"
    }'
}

make_media
echo "$runs alternating pairs; load average now: $(cut -d' ' -f1-3 /proc/loadavg); $(nproc) cores"
# Medians of the per-pair ratios: a neighbour's burst then spoils one pair,
# not the comparison.
printf "%-22s %7s %7s %5s %5s  %7s %7s %5s  %6s %6s\n" "job" "ours s" "ffm s" "wall" "goal" \
    "cpu us" "cpu ffm" "cpu" "our MB" "ffm MB"
for name in ${FILES:-5min.mp3 60min.mp3 2min.mp4 2h.mp4}; do
    in="$media/$name"
    for job in ${JOBS:-wave ringtone}; do
        case $job in
        wave)
            measure "wave     $name" 0.6 -y -i "$in" -vn -ab 192K -ac 2 -ar 44100 "$work/ours.wav" \
                -- -y -i "$in" -vn -ac 2 -ar 44100 "$work/ref.wav" ;;
        ringtone)
            measure "ringtone $name" 0.9 -ss 60 -t 30 -y -i "$in" -vol 384 -fadein 3 -vn -ab 192K -ac 2 -ar 44100 \
                "$work/ours.m4a" \
                -- -y -ss 60 -t 30 -i "$in" -af volume=1.5,afade=t=in:d=3 -vn -b:a 192k -ac 2 -ar 44100 "$work/ref.m4a" ;;
        esac
    done
done
