#!/usr/bin/env bash
# The Windows encoder (ffmpeg.exe under Wine) against the Linux one on the
# same media: the waveform job must give the same WAV samples, the ringtone
# job a ringtone of the same length, as the window asks for them.
#
#   encoder-compare.sh LINUX_FFMPEG WINDOWS_BIN_DIR
#
# Media are made with Debian's ffmpeg: an MP3, a stereo WAV and a video with
# AAC sound. Runs Wine through tests/wine/run.sh.
set -uo pipefail
linux="$1"
bin="$2"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
windows() { bash "$here/run.sh" --dlls "$bin" -- "$bin/ffmpeg.exe" "$@"; }
winpath() { local p="$1"; printf 'Z:%s' "${p//\//\\}"; }
failed=0
fail() { echo "FAIL: $*"; failed=1; }

tone='aevalsrc=0.6*sin(2*PI*440*t)*(0.3+0.7*abs(sin(PI*t/3)))|0.5*sin(2*PI*660*t):s=44100:d=25'
ffmpeg -v error -y -f lavfi -i "$tone" -c:a libmp3lame -b:a 160k "$work/music.mp3" || fail "fixture music.mp3"
ffmpeg -v error -y -f lavfi -i "$tone" -c:a pcm_s16le "$work/plain.wav" || fail "fixture plain.wav"
ffmpeg -v error -y -f lavfi -i "testsrc=s=160x120:r=25:d=25" -f lavfi -i "$tone" -shortest \
    -c:v mpeg4 -c:a aac -b:a 128k "$work/film.mp4" || fail "fixture film.mp4"

length() {
    ffprobe -v error -show_entries format=duration -of default=noprint_wrappers=1:nokey=1 "$1"
}

for media in music.mp3 plain.wav film.mp4; do
    name="${media%.*}"
    # The waveform job.
    "$linux" -y -i "$work/$media" -vn -ab 192K -ac 2 -ar 44100 -nosync "$work/$name-linux.wav" \
        >"$work/log" 2>&1 || { cat "$work/log"; fail "$media: Linux waveform job"; }
    windows -y -i "$(winpath "$work/$media")" -vn -ab 192K -ac 2 -ar 44100 -nosync \
        "$(winpath "$work/$name-windows.wav")" >"$work/log" 2>&1 || { cat "$work/log"; fail "$media: Windows waveform job"; }
    if cmp -s "$work/$name-linux.wav" "$work/$name-windows.wav"; then
        echo "PASS: $media: the same WAV ($(stat -c %s "$work/$name-linux.wav") bytes)"
    else
        # Headers may differ in what they say of the writer: compare the samples.
        ffmpeg -v error -i "$work/$name-linux.wav" -f s16le - | md5sum >"$work/a"
        ffmpeg -v error -i "$work/$name-windows.wav" -f s16le - | md5sum >"$work/b"
        if cmp -s "$work/a" "$work/b"; then
            echo "PASS: $media: the same WAV samples"
        else
            fail "$media: the WAV samples differ"
        fi
    fi
    # The ringtone job: a clip with a fade-in, a fade-out and the volume.
    clip=(-ss 3.250 -t 12.500)
    shape=(-vol 300 -fadein 2 -fadeout 3)
    "$linux" "${clip[@]}" -y -i "$work/$media" "${shape[@]}" -vn -ab 192K -ac 2 -ar 44100 \
        "$work/$name-linux.m4a" >"$work/log" 2>&1 || { cat "$work/log"; fail "$media: Linux ringtone job"; }
    windows "${clip[@]}" -y -i "$(winpath "$work/$media")" "${shape[@]}" -vn -ab 192K -ac 2 -ar 44100 \
        "$(winpath "$work/$name-windows.m4a")" >"$work/log" 2>&1 || { cat "$work/log"; fail "$media: Windows ringtone job"; }
    a="$(length "$work/$name-linux.m4a")"
    b="$(length "$work/$name-windows.m4a")"
    if [ -n "$a" ] && [ "$a" = "$b" ]; then
        echo "PASS: $media: ringtones of the same length ($a s)"
    else
        fail "$media: ringtone lengths differ (Linux '$a' s, Windows '$b' s)"
    fi
done
exit $failed
