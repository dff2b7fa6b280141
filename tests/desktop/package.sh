#!/usr/bin/env bash
# Builds the Debian package into a temporary folder and installs with
# `cmake --install` into another, checks that both hold everything the
# program loads at run time, then starts the program extracted from the
# package offscreen with a file on its command line, with a fake iPhone
# (tests/fakephone) plugged into a usbmuxd socket of its own: it must find its
# encoder (the waveform gets drawn), its player module, its help page and its
# phone module, which connects to the phone ("Ready."). Last, the window test
# (tst_realwindow) drives the packaged program under Xvfb until Generate has
# put a ringtone into a fake phone's folder and ringtone list.
#   tests/desktop/package.sh BUILD_DIR FAKEPHONE_SERVE TST_REALWINDOW
set -euo pipefail
[ $# -eq 3 ] || { echo "usage: $0 BUILD_DIR FAKEPHONE_SERVE TST_REALWINDOW" >&2; exit 2; }
BUILD="$1"
FAKEPHONE_SERVE="$2"
REALWINDOW="$3"
tmp="$(mktemp -d)"
cleanup() {
    kill -KILL "${pid:-}" 2>/dev/null || true
    # The fake phone ends on TERM and removes its socket; it is waited for
    # before the folder it serves goes.
    if [ -n "${phone_pid:-}" ]; then
        kill -TERM "$phone_pid" 2>/dev/null || true
        wait "$phone_pid" 2>/dev/null || true
    fi
    rm -rf "$tmp"
}
trap cleanup EXIT

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
for lib in libqt6widgets6 libavformat59 libsdl2 libimobiledevice6 libplist3; do
    grep -q "$lib" <<<"$depends" || fail "Depends lacks $lib: $depends"
done
grep -qw usbmuxd <<<"$(dpkg-deb -f "$deb" Recommends)" || fail "the package does not recommend usbmuxd"

dpkg-deb -x "$deb" "$tmp/root"
ffmpeg -v error -f lavfi -i "sine=frequency=440:duration=3" "$tmp/tone.wav"
mkdir -p "$tmp/home/run" && chmod 700 "$tmp/home/run"

# The phone, plugged in from the start; every program below connects to it
# anew. usbmuxd's socket is the fake's own, named on its first line.
"$FAKEPHONE_SERVE" "$tmp/iphone" >"$tmp/phone.log" 2>&1 &
phone_pid=$!
for _ in $(seq 1 100); do
    grep -q '^listening ' "$tmp/phone.log" && break
    kill -0 "$phone_pid" 2>/dev/null || break
    sleep 0.1
done
mux=$(sed -n 's/^listening //p' "$tmp/phone.log")
[ -n "$mux" ] || { cat "$tmp/phone.log"; fail "the fake iPhone did not start"; }

# Starts PROGRAM (from a PATH of PATH_FIRST first) with the tone, from another
# folder as a desktop would, until the waveform is drawn and the phone is
# connected (or its failure told); the output goes to LOG.
run_until_connected() {
    local program="$1" path_first="$2" log="$3"
    (cd "$tmp" && exec env PATH="$path_first:$PATH" HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/home/.config" \
        XDG_RUNTIME_DIR="$tmp/home/run" QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy \
        USBMUXD_SOCKET_ADDRESS="$mux" \
        QT_LOGGING_RULES="tonquill.diagnostics=true;tonquill.window.debug=true" "$program" tone.wav >"$log" 2>&1) &
    pid=$!
    # The phone module loads a second after the start; on a loaded machine
    # the TLS handshakes take a few more.
    for _ in $(seq 1 300); do
        grep -q "CreateWaveImage" "$log" && grep -q "status: Ready\.$" "$log" && break
        grep -qE 'phone event (failed:|\{)' "$log" && break
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
    grep -q 'phone event connect$' "$log" \
        || fail "the program did not connect to the fake iPhone at $mux: $(grep 'phone event' "$log" | tr '\n' ' ')"
    grep -q "status: Ready\.$" "$log" || fail "the window did not say Ready. for the connected phone"
    return 0
}

run_until_connected "$tmp/root/usr/bin/tonquill" "" "$tmp/log"
lib="$tmp/root/usr/lib/tonquill"
grep -q "encoder $lib/ffmpeg found$" "$tmp/log" || fail "the encoder was not found"
grep -q "player module $lib/libtonquill_player.so found$" "$tmp/log" || fail "the player module was not found"
grep -q "help page $lib/help/index.html found$" "$tmp/log" || fail "the help page was not found"
grep -q "phone module $lib/libtonquill_usbphone.so found$" "$tmp/log" || fail "the phone module was not found"

# A user's own link to the program, started by its bare name from the PATH.
mkdir -p "$tmp/links" && ln -s "$lib/tonquill" "$tmp/links/tonquill"
run_until_connected tonquill "$tmp/links" "$tmp/log-link"
# And the program as `cmake --install` leaves it.
run_until_connected "$tmp/installed/bin/tonquill" "" "$tmp/log-installed"

# A ringtone made by the packaged program on the phone: the window test's
# export to a fake phone (its own, which it plugs in and out), driven with
# xdotool under Xvfb as a user would, checks the phone's folder and list.
[ -x "$REALWINDOW" ] || fail "$REALWINDOW is not built"
mkdir -p "$tmp/window-home/run" && chmod 700 "$tmp/window-home/run"
status=0
env HOME="$tmp/window-home" XDG_CONFIG_HOME="$tmp/window-home/.config" XDG_RUNTIME_DIR="$tmp/window-home/run" \
    XDG_DATA_HOME="$tmp/window-home/.local/share" XDG_CACHE_HOME="$tmp/window-home/.cache" \
    QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy \
    TONQUILL_PROGRAM_UNDER_TEST="$tmp/root/usr/bin/tonquill" \
    "$REALWINDOW" exportToAFakePhoneOnTheWire >"$tmp/window.log" 2>&1 || status=$?
cat "$tmp/window.log"
[ "$status" -eq 0 ] || fail "the packaged program did not put its ringtone on the fake iPhone"
if grep -q '^SKIP ' "$tmp/window.log"; then
    echo "no X server here: the ringtone's way to the phone was not tried"
else
    grep -q '^PASS   : TestRealWindow::exportToAFakePhoneOnTheWire()' "$tmp/window.log" \
        || fail "the window test did not run its export to the fake iPhone"
fi
echo "package $(basename "$deb"): layout, start, files and phone as expected"
