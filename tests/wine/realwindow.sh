#!/usr/bin/env bash
# The real window under Wine on a virtual X server (Xvfb), driven as a user
# would: tonquill.exe opens a file given on its command line, draws its
# waveform on the timeline, and Generate (clicked with xdotool) makes the
# ringtone in the output folder. Checked by the window's debug channel, a
# screenshot at the pixels that matter (the skin as the Linux build draws
# it, the timeline no longer empty) and the ringtone's length.
#
#   realwindow.sh BUILD_DIR [SCREENSHOT.png]     (WINEPREFIX set)
set -uo pipefail
build="$1"
keep_shot="${2:-${TQ_WINDOW_SCREENSHOT:-}}"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
bin="$build/bin"
convert=/usr/bin/convert   # ImageMagick's, whatever else is on the PATH
work="$(mktemp -d)"
failed=0
pass() { echo "PASS: $*"; }
fail() { echo "FAIL: $*"; failed=1; }
winpath() { local p="$1"; printf 'Z:%s' "${p//\//\\}"; }

xvfb_pid=""
program_pid=""
phone_pid=""
cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
    [ -n "$phone_pid" ] && kill "$phone_pid" 2>/dev/null
    timeout 30 wineserver -k >/dev/null 2>&1
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# Polls a condition every 0.2 s for at most $1 seconds.
wait_for() {
    local limit=$(($1 * 5))
    shift
    for ((i = 0; i < limit; i++)); do
        if eval "$1"; then return 0; fi
        sleep 0.2
    done
    return 1
}

exec 3< <(Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp 2>/dev/null & echo "pid $!"; wait)
read -r _ xvfb_pid <&3
read -r -t 30 number <&3 || { fail "Xvfb did not start"; exit 1; }
export DISPLAY=":$number"

tone='aevalsrc=0.8*sin(2*PI*440*t)*(0.1+0.9*abs(sin(PI*t/5)))|0.8*sin(2*PI*550*t)*(0.1+0.9*abs(sin(PI*t/5))):s=44100:d=40'
ffmpeg -v error -y -f lavfi -i "$tone" -c:a pcm_s16le "$work/Tone.wav" || { fail "fixture"; exit 1; }
mkdir -p "$work/out"
timeout 60 wine reg add 'HKCU\Software\Zentavo\Tonquill\Setting' /v OutputFolder /d "$(winpath "$work/out")" /f \
    >/dev/null 2>&1 </dev/null

phone_env=()
if [ -n "${TQ_FAKEPHONE_SERVE:-}" ]; then
    mkdir -p "$work/phone"
    exec 4< <(exec timeout 600 "$TQ_FAKEPHONE_SERVE" --tcp 0 "$work/phone" 2>&1)
    phone_pid=$!
    address=""
    while read -r -t 30 word rest <&4; do
        if [ "$word" = listening ]; then address="$rest"; break; fi
    done
    if [ -n "$address" ]; then
        pass "the fake iPhone listens at $address"
        phone_env=(USBMUXD_SOCKET_ADDRESS="$address")
    else
        fail "the fake iPhone did not start"
    fi
fi

# The program's own folder only: no WINEPATH.
(cd "$bin" && exec env "${phone_env[@]}" WINEPATH= WINEQT_LOGGING_RULES="tonquill.window.debug=true" WINEQT_FORCE_STDERR_LOGGING=1 \
    timeout 300 wine tonquill.exe "$(winpath "$work/Tone.wav")" >"$work/log" 2>&1 </dev/null) &
program_pid=$!

wid=""
find_window() { wid=$(xdotool search --onlyvisible --name '^Zentavo Tonquill$' 2>/dev/null | head -1); [ -n "$wid" ]; }
if wait_for 90 find_window; then pass "the window shows"; else fail "no window within 90 s"; cat "$work/log"; exit 1; fi
if wait_for 90 'grep -q "status: File loaded." "$work/log"'; then
    pass "the file loads (status: File loaded.)"
else
    fail "the file did not load"; cat "$work/log"; exit 1
fi

# Wine's X window may be larger than the window's 750x531 (an unpainted
# border); the window's own pixels start at the offset below.
shot() { import -window "$wid" "$work/shot.png" 2>/dev/null; }
shot
size=$(identify -format '%w %h' "$work/shot.png" 2>/dev/null)
read -r width height <<<"$size"
ox=$(((width - 750) / 2))
oy=$((height - 531 - ox))
if [ "$ox" -ge 0 ] && [ "$oy" -ge 0 ]; then
    echo "NOTE: Wine's window is ${width}x${height}; the form starts at +$ox+$oy"
else
    fail "the window is ${width}x${height}, smaller than the form's 750x531"
    ox=0 oy=0
fi
# The empty timeline of the first start, as the Linux build draws it, and
# the disc, a picture of the skin that must look the same (text is left out:
# Wine's fonts are not Linux's).
reference="$root/docs/help/images/main-window.png"
$convert "$reference" -crop 530x50+60+205 +repage "$work/empty.png"
$convert "$reference" -crop 110x110+612+22 +repage "$work/band-linux.png"
rmse() { compare -metric RMSE "$1" "$2" null: 2>&1 | sed -n 's/.*(\(.*\))/\1/p'; }
timeline_drawn() {
    shot || return 1
    $convert "$work/shot.png" -crop 530x50+$((60 + ox))+$((205 + oy)) +repage "$work/timeline.png"
    awk -v d="$(rmse "$work/empty.png" "$work/timeline.png")" 'BEGIN { exit !(d > 0.05) }'
}
if wait_for 20 timeline_drawn; then pass "the waveform is drawn on the timeline"; else fail "the timeline stays empty"; fi
$convert "$work/shot.png" -crop 110x110+$((612 + ox))+$((22 + oy)) +repage "$work/band-wine.png"
band=$(rmse "$work/band-linux.png" "$work/band-wine.png")
if awk -v d="$band" 'BEGIN { exit !(d < 0.05) }'; then
    pass "the skin's disc matches the Linux build's (RMSE $band)"
else
    fail "the skin's disc differs from the Linux build's (RMSE $band)"
fi
if [ -n "$keep_shot" ]; then
    $convert "$work/shot.png" -crop 750x531+$ox+$oy +repage "$keep_shot"
fi

if [ ${#phone_env[@]} -gt 0 ]; then
    if wait_for 60 'grep -q "status: Ready." "$work/log"'; then
        pass "the phone module under Wine reaches the fake iPhone (Ready.)"
    else
        fail "the window never said Ready. with the fake iPhone"; grep "status:" "$work/log" | tail -5
    fi
fi

# Generate: the first ten seconds, the clip the window marks on a load.
xdotool mousemove --window "$wid" $((573 + ox)) $((480 + oy)) click 1
if wait_for 120 'grep -q "status: Conversion succeed." "$work/log"'; then
    pass "Generate succeeds"
else
    fail "Generate did not succeed"; tail -20 "$work/log"
fi
ringtone="$work/out/Tone.m4r"
if [ -f "$ringtone" ]; then
    length=$(ffprobe -v error -show_entries format=duration -of default=noprint_wrappers=1:nokey=1 "$ringtone")
    if awk -v l="$length" 'BEGIN { exit !(l > 9.9 && l < 10.1) }'; then
        pass "Tone.m4r is the ten-second clip ($length s)"
    else
        fail "Tone.m4r lasts $length s, not 10"
    fi
else
    fail "no Tone.m4r in the output folder: $(ls "$work/out")"
fi
if [ ${#phone_env[@]} -gt 0 ]; then
    if wait_for 60 'ls "$work/phone/iTunes_Control/Ringtones/"*.m4r >/dev/null 2>&1 &&
                    grep -q "Tone" "$work/phone/iTunes_Control/iTunes/Ringtones.plist" 2>/dev/null'; then
        pass "the ringtone is on the fake iPhone, in its ringtone list"
    else
        fail "the ringtone did not reach the fake iPhone"; grep "status:" "$work/log" | tail -5
    fi
fi

exit $failed
