#!/bin/sh
# Makes the media files and runs the preview player benchmark with SDL's dummy
# driver. Usage: run_player_bench.sh [build dir] [cpu seconds]
set -eu
build=${1:-$(dirname "$0")/../../build}
seconds=${2:-10}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

ffmpeg -v error -y -f lavfi -i "aevalsrc=0.2*t|0.2*t:s=48000:d=4" -c:a pcm_s16le "$work/ramp.wav"
# A 1 kHz tone whose envelope rises 0.05 per second: the envelope survives
# MP3 coding and still tells the position to within a second.
ffmpeg -v error -y -f lavfi -i "aevalsrc=0.05*t*sin(2*PI*1000*t)|0.05*t*sin(2*PI*1000*t):s=44100:d=16" \
    -c:a libmp3lame -b:a 192k "$work/am.mp3"

SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy} "$build/bin/player_bench" "$work/ramp.wav" "$work/am.mp3" "$seconds"
