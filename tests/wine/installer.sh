#!/usr/bin/env bash
# The Windows installer under Wine: /S installs silently into Program
# Files\Zentavo\Tonquill, the installed program starts (--version, exit 0,
# with nothing but its own folder to load from), and the uninstaller, also
# silent, leaves nothing it installed while the user's settings and
# ringtones stay. Also checks the portable .zip holds the program.
#
#   installer.sh BUILD_DIR      (after scripts/windows/package; WINEPREFIX set)
set -uo pipefail
build="$1"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
setup="$build/package/Tonquill-$version-setup.exe"
zip="$build/package/Tonquill-$version-portable.zip"
drive_c="$WINEPREFIX/drive_c"
dir="$drive_c/Program Files/Zentavo/Tonquill"
menu="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Zentavo Tonquill.lnk"
failed=0
pass() { echo "PASS: $*"; }
fail() { echo "FAIL: $*"; failed=1; }
check() { if eval "$2"; then pass "$1"; else fail "$1"; fi; }

# Runs a Windows program and waits until every Wine program has ended (the
# uninstaller goes on from a copy of itself in the temporary folder): the
# session is ended first, so that waiting for the server means waiting for
# them.
wine_and_wait() {
    timeout 30 wineserver -k >/dev/null 2>&1
    timeout 30 wineserver -w >/dev/null 2>&1
    timeout 300 wine "$@" >/dev/null 2>&1 </dev/null
    local status=$?
    timeout 300 wineserver -w >/dev/null 2>&1
    return $status
}
registry_has() { grep -qF "$2" "$WINEPREFIX/$1"; }

check "the portable zip holds the program, encoder and modules" \
    '[ "$(cmake -E tar tf "$zip" | grep -cE "/(tonquill\.exe|ffmpeg\.exe|tonquill_player\.dll|tonquill_usbphone\.dll|help\.chm|platforms/qwindows\.dll)$")" -eq 6 ]'

wine_and_wait "$setup" /S
status=$?
check "/S installs silently (exit $status)" '[ $status -eq 0 ] && [ -f "$dir/tonquill.exe" ]'
for f in tonquill.exe ffmpeg.exe tonquill_player.dll tonquill_usbphone.dll help.chm Qt6Core.dll \
    platforms/qwindows.dll tls/qschannelbackend.dll uninstall.exe; do
    [ -f "$dir/$f" ] || fail "installed: $f missing"
done
check "a Start menu entry" '[ -f "$menu" ]'
check "Open with Tonquill for audio and video files" \
    'registry_has system.reg "[Software\\\\Classes\\\\Applications\\\\tonquill.exe\\\\shell\\\\open\\\\command]" &&
     registry_has system.reg "[Software\\\\Classes\\\\SystemFileAssociations\\\\audio\\\\OpenWithList\\\\tonquill.exe]" &&
     registry_has system.reg "[Software\\\\Classes\\\\.mp4\\\\OpenWithList\\\\tonquill.exe]"'
check "an entry in the programs to uninstall" \
    'registry_has system.reg "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\Zentavo Tonquill]"'

# The installed program from its own folder only: no WINEPATH.
out="$(mktemp)"
(cd "$dir" && timeout 120 env WINEPATH= wine "C:\\Program Files\\Zentavo\\Tonquill\\tonquill.exe" --version >"$out" 2>&1 </dev/null)
status=$?
check "the installed program starts: --version exits 0 (said: $(tr -d '\r' <"$out" | grep -v wine32 | head -1))" '[ $status -eq 0 ]'
rm -f "$out"

# What the user made stays: a setting and a ringtone.
timeout 60 wine reg add 'HKCU\Software\Zentavo\Tonquill' /v InstallerTest /d kept /f >/dev/null 2>&1 </dev/null
ringtones="$drive_c/users/$(whoami)/Documents/Tonquill"
mkdir -p "$ringtones" && echo ring >"$ringtones/Mine.m4r"

wine_and_wait "C:\\Program Files\\Zentavo\\Tonquill\\uninstall.exe" /S
check "the uninstaller removes the program's folder" '[ ! -e "$dir" ] && [ ! -e "$drive_c/Program Files/Zentavo" ]'
check "the uninstaller removes the Start menu entry" '[ ! -e "$menu" ]'
check "the uninstaller removes its registry entries" \
    '! grep -qiE "tonquill\.exe\]|Uninstall\\\\\\\\Zentavo Tonquill\]" "$WINEPREFIX/system.reg"'
check "the user's settings stay" 'registry_has user.reg "InstallerTest"'
check "the user's ringtones stay" '[ -f "$ringtones/Mine.m4r" ]'
rm -rf "$ringtones"
exit $failed
