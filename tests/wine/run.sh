#!/usr/bin/env bash
# Runs a Windows program of the cross-built tree under Wine: the build's
# emulator (CMAKE_CROSSCOMPILING_EMULATOR, set by cmake/windows.cmake) for the
# tools it runs and for every test.
#
#   run.sh --dlls DIR [--dlls DIR]... [--] PROGRAM.exe [ARGS...]
#
# What Wine needs from us:
# - the SDK's DLLs on the program's path (WINEPATH), so that nothing has to
#   be copied beside each test;
# - Qt's variables and HOME under another name: Wine hands QT_* and HOME to
#   Windows programs only as WINEQT_* and WINEHOME (it keeps the host's own
#   to itself); the tests read HOME to make sure they run in a test home;
# - a QtTest program (one that links Qt6Test.dll) writes its report to a
#   file, which is printed once it ends: under Wine its console output does
#   not reach a Linux pipe;
# - a time limit (TQ_WINE_TIMEOUT seconds, default 600), so that no run can
#   hang the build or the tests.
# WINEPREFIX defaults to the prefix the tree was configured with; it is made
# on first use.
set -uo pipefail

dlls=()
while [ $# -gt 0 ]; do
    case "$1" in
    --dlls) dlls+=("$2"); shift 2 ;;
    --) shift; break ;;
    *) break ;;
    esac
done
if [ $# -eq 0 ]; then
    echo "usage: run.sh --dlls DIR [--] PROGRAM.exe [ARGS...]" >&2
    exit 2
fi

# The Windows form of an absolute Linux path: Wine's Z: drive is /.
windows_path() {
    local path="$1"
    printf 'Z:%s' "${path//\//\\}"
}

export WINEPREFIX="${WINEPREFIX:-${TQ_DEFAULT_WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/tonquill/wine}}"
export WINEDEBUG="${WINEDEBUG:--all}"
# No .NET or browser engine: Wine would offer to download them.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
wine="${TQ_WINE:-wine}"
limit="${TQ_WINE_TIMEOUT:-600}"

winepath=""
for dir in "${dlls[@]}"; do
    winepath+="${winepath:+;}$(windows_path "$dir")"
done
export WINEPATH="${winepath}${WINEPATH:+;$WINEPATH}"

while IFS='=' read -r name _; do
    case "$name" in
    QT_*) export "WINE$name=${!name}" ;;
    esac
done < <(env | grep -E '^QT_[A-Za-z0-9_]*=' || true)
if [ -n "${HOME:-}" ]; then
    export WINEHOME="$HOME"
fi

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$(dirname "$WINEPREFIX")"
    # One maker at a time: two tests starting on a fresh prefix would race.
    (
        flock 9
        if [ ! -f "$WINEPREFIX/system.reg" ]; then
            timeout 300 "$wine" wineboot -i >/dev/null 2>&1
        fi
    ) 9>"$WINEPREFIX.lock"
fi

# The program's output goes through a file: the services the first Wine
# program of a session starts (wineserver, services.exe, explorer.exe) would
# inherit a pipe and keep whoever reads it (CTest, Ninja) waiting until they
# end.
output="$(mktemp "${TMPDIR:-/tmp}/tq-wine-XXXXXX.out")"
report=""
args=("$@")
if grep -qa 'Qt6Test\.dll' "$1" 2>/dev/null; then
    report="${output%.out}.txt"
    args+=(-o "$(windows_path "$report"),txt")
fi

timeout --kill-after=10 "$limit" "$wine" "${args[@]}" >"$output" 2>&1 </dev/null
status=$?
# Wine's launcher notes a missing 32-bit Wine on every start; nothing here
# needs one.
grep -v -e 'wine32 is missing' -e 'multiarch needs to be enabled' -e 'dpkg --add-architecture' \
    -e 'apt-get install wine32' "$output"
rm -f "$output"
if [ -n "$report" ]; then
    cat "$report" 2>/dev/null
    rm -f "$report"
fi
if [ $status -eq 124 ] || [ $status -eq 137 ]; then
    echo "run.sh: $1 did not end within $limit s under Wine" >&2
fi
exit $status
