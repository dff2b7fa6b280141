#!/usr/bin/env bash
# Start-up benchmark: time from process start to the main window's first
# paint, against a minimal Qt Widgets program, measured in the same run.
#   bench/startup/run.sh [RUNS]
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
BUILD="${TONQUILL_BUILD_DIR:-$ROOT/build}"
cmake --build "$BUILD" --target startup_tonquill startup_reference startup_bench >/dev/null
BIN="$BUILD/bin"
cmd=("$BIN/startup_bench" "$BIN/startup_tonquill" "$BIN/startup_reference" "${1:-15}")
# A private settings store, so the benchmark never touches the user's.
export XDG_CONFIG_HOME="$(mktemp -d)"
trap 'rm -rf "$XDG_CONFIG_HOME"' EXIT
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    "${cmd[@]}"
elif command -v xvfb-run >/dev/null; then
    echo "(under Xvfb)"
    xvfb-run -a -s "-screen 0 1280x800x24" "${cmd[@]}"
else
    echo "(offscreen platform)"
    QT_QPA_PLATFORM=offscreen "${cmd[@]}"
fi
