#!/usr/bin/env bash
# Builds the Debian package into a temporary folder and installs with
# `cmake --install` into another, checks that both hold everything the
# program loads at run time, then starts the program extracted from the
# package offscreen with a file on its command line: it must find its encoder
# (the waveform gets drawn), its player module, its help page and its phone
# module (which, pointed at a usbmuxd that is not there, says so).
#   tests/desktop/package.sh BUILD_DIR
set -euo pipefail
BUILD="$1"
tmp="$(mktemp -d)"
trap 'kill -KILL "${pid:-}" 2>/dev/null || true; rm -rf "$tmp"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

cpack --config "$BUILD/CPackConfig.cmake" -B "$tmp/package" >"$tmp/cpack.log" 2>&1 \
    || { cat "$tmp/cpack.log"; fail "cpack"; }
deb=$(ls "$tmp"/package/*.deb)

# What the program loads at run time, beside itself: the modules whose names
# its loaders carry (read from the program), every module built beside it,
# and the encoder it starts.
bin="$BUILD/bin"
runtime=$( { strings -a "$bin/tonquill" | grep -xE 'lib[A-Za-z0-9_]+\.so' || true
             (cd "$bin" && ls -1 -- *.so 2>/dev/null || true)
             echo ffmpeg; } | sort -u)
for name in libtonquill_player.so libtonquill_usbphone.so; do
    grep -qx "$name" <<<"$runtime" || fail "the program no longer names $name: update this test"
done
echo "loaded at run time: $(echo $runtime)"

dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' >"$tmp/contents"
for name in $runtime; do
    grep -qx -- "/usr/lib/tonquill/$name" "$tmp/contents" || fail "$name is not in the package"
done
cmake --install "$BUILD" --prefix "$tmp/installed" >"$tmp/install.log" 2>&1 \
    || { cat "$tmp/install.log"; fail "cmake --install"; }
for name in $runtime; do
    [ -f "$tmp/installed/lib/tonquill/$name" ] || fail "$name is not installed by cmake --install"
done
for f in /usr/bin/tonquill /usr/lib/tonquill/tonquill /usr/lib/tonquill/ffmpeg \
         /usr/lib/tonquill/libtonquill_player.so /usr/lib/tonquill/help/index.html \
         /usr/share/applications/com.zentavo.tonquill.desktop \
         /usr/share/metainfo/com.zentavo.tonquill.metainfo.xml \
         /usr/share/icons/hicolor/48x48/apps/com.zentavo.tonquill.png \
         /usr/share/icons/hicolor/256x256/apps/com.zentavo.tonquill.png; do
    grep -qx -- "$f" "$tmp/contents" || fail "$f is not in the package"
done
# Nothing else on the PATH: above all not the encoder, which is named ffmpeg.
if grep -E '^/usr/(s?bin|local)/.' "$tmp/contents" | grep -vx /usr/bin/tonquill; then
    fail "the package puts more than the launcher on the PATH"
fi
# The dependencies come from every ELF file shipped (the phone module brings
# libimobiledevice); usbmuxd is a service, recommended.
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libavformat59 libsdl2 libimobiledevice6 libusbmuxd6 libplist3; do
    grep -q "$lib" <<<"$depends" || fail "Depends lacks $lib: $depends"
done
grep -qw usbmuxd <<<"$(dpkg-deb -f "$deb" Recommends)" || fail "the package does not recommend usbmuxd"

dpkg-deb -x "$deb" "$tmp/root"
ffmpeg -v error -f lavfi -i "sine=frequency=440:duration=3" "$tmp/tone.wav"
mkdir -p "$tmp/home/run" && chmod 700 "$tmp/home/run"
# Starts PROGRAM (from a PATH of PATH_FIRST first) with the tone, from another
# folder as a desktop would, until the waveform is drawn and the phone module
# has told that usbmuxd does not answer at the address given; the output goes
# to LOG.
run_until_waveform() {
    local program="$1" path_first="$2" log="$3"
    (cd "$tmp" && exec env PATH="$path_first:$PATH" HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/home/.config" \
        XDG_RUNTIME_DIR="$tmp/home/run" QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy \
        USBMUXD_SOCKET_ADDRESS="UNIX:$tmp/no-usbmuxd" \
        QT_LOGGING_RULES="tonquill.diagnostics=true" "$program" tone.wav >"$log" 2>&1) &
    pid=$!
    for _ in $(seq 1 200); do
        grep -q "CreateWaveImage" "$log" && grep -q "phone event failed:" "$log" && break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    # SDL turns SIGTERM into a quit event nobody reads: KILL.
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    cat "$log"
    grep -q 'Could not load the preview player' "$log" && fail "the player module did not load"
    grep -q "CreateWaveImage" "$log" || fail "the file on the command line got no waveform"
    grep -q 'Could not load the phone module' "$log" && fail "the phone module did not load"
    grep -q "phone event failed:usbmuxd$" "$log" || fail "the missing usbmuxd was not told"
    return 0
}

run_until_waveform "$tmp/root/usr/bin/tonquill" "" "$tmp/log"
lib="$tmp/root/usr/lib/tonquill"
grep -q "encoder $lib/ffmpeg found$" "$tmp/log" || fail "the encoder was not found"
grep -q "player module $lib/libtonquill_player.so found$" "$tmp/log" || fail "the player module was not found"
grep -q "help page $lib/help/index.html found$" "$tmp/log" || fail "the help page was not found"
grep -q "phone module $lib/libtonquill_usbphone.so found$" "$tmp/log" || fail "the phone module was not found"

# A user's own link to the program, started by its bare name from the PATH.
mkdir -p "$tmp/links" && ln -s "$lib/tonquill" "$tmp/links/tonquill"
run_until_waveform tonquill "$tmp/links" "$tmp/log-link"
# And the program as `cmake --install` leaves it.
run_until_waveform "$tmp/installed/bin/tonquill" "" "$tmp/log-installed"
echo "package $(basename "$deb"): layout, start and files as expected"
