#!/usr/bin/env bash
# Builds the Debian package into a temporary folder, checks its layout, then
# starts the program extracted from it offscreen with a file on its command
# line: it must find its encoder (the waveform gets drawn), its player module
# and its help page.
#   tests/desktop/package.sh BUILD_DIR
set -euo pipefail
BUILD="$1"
tmp="$(mktemp -d)"
trap 'kill -KILL "${pid:-}" 2>/dev/null || true; rm -rf "$tmp"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

cpack --config "$BUILD/CPackConfig.cmake" -B "$tmp/package" >"$tmp/cpack.log" 2>&1 \
    || { cat "$tmp/cpack.log"; fail "cpack"; }
deb=$(ls "$tmp"/package/*.deb)

dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' >"$tmp/contents"
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
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libavformat59 libsdl2; do
    grep -q "$lib" <<<"$depends" || fail "Depends lacks $lib: $depends"
done

dpkg-deb -x "$deb" "$tmp/root"
ffmpeg -v error -f lavfi -i "sine=frequency=440:duration=3" "$tmp/tone.wav"
mkdir -p "$tmp/home/run" && chmod 700 "$tmp/home/run"
# Starts PROGRAM (from a PATH of PATH_FIRST first) with the tone, from another
# folder as a desktop would, until the waveform is drawn; the output goes to LOG.
run_until_waveform() {
    local program="$1" path_first="$2" log="$3"
    (cd "$tmp" && exec env PATH="$path_first:$PATH" HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/home/.config" \
        XDG_RUNTIME_DIR="$tmp/home/run" QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy \
        QT_LOGGING_RULES="tonquill.diagnostics=true" "$program" tone.wav >"$log" 2>&1) &
    pid=$!
    for _ in $(seq 1 200); do
        grep -q "CreateWaveImage" "$log" && break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    # SDL turns SIGTERM into a quit event nobody reads: KILL.
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    cat "$log"
    grep -q 'Could not load the preview player' "$log" && fail "the player module did not load"
    grep -q "CreateWaveImage" "$log" || fail "the file on the command line got no waveform"
    return 0
}

run_until_waveform "$tmp/root/usr/bin/tonquill" "" "$tmp/log"
lib="$tmp/root/usr/lib/tonquill"
grep -q "encoder $lib/ffmpeg found$" "$tmp/log" || fail "the encoder was not found"
grep -q "player module $lib/libtonquill_player.so found$" "$tmp/log" || fail "the player module was not found"
grep -q "help page $lib/help/index.html found$" "$tmp/log" || fail "the help page was not found"

# A user's own link to the program, started by its bare name from the PATH.
mkdir -p "$tmp/links" && ln -s "$lib/tonquill" "$tmp/links/tonquill"
run_until_waveform tonquill "$tmp/links" "$tmp/log-link"
echo "package $(basename "$deb"): layout, start and files as expected"
