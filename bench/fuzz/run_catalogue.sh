#!/usr/bin/env bash
# Builds the ringtone catalogue fuzzer with clang (libFuzzer, ASan, UBSan) and
# runs it for the given number of seconds, seeded with catalogues that
# libplist writes (binary and XML).
#   bench/fuzz/run_catalogue.sh SECONDS [extra libFuzzer options...]
# Findings are written to $FUZZ_OUT (default: the build dir's fuzz-catalogue/).
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
SECONDS_TO_RUN="${1:?usage: run_catalogue.sh SECONDS [libFuzzer options]}"
shift
BUILD="${TONQUILL_FUZZ_BUILD_DIR:-$ROOT/build-fuzz}"
OUT="${FUZZ_OUT:-$BUILD/fuzz-catalogue}"
"$ROOT/bench/fuzz/build.sh" fuzz_catalogue

CORPUS="$OUT/corpus"
mkdir -p "$CORPUS" "$OUT/artifacts"
if command -v plistutil >/dev/null && [ ! -e "$CORPUS/seed.bplist" ]; then
    cat > "$CORPUS/seed.xml" <<'PLIST'
<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE plist PUBLIC "-//Apple//DTD PLIST 1.0//EN" "http://www.apple.com/DTDs/PropertyList-1.0.dtd">
<plist version="1.0">
<dict>
	<key>Ringtones</key>
	<dict>
		<key>ABCD.m4r</key>
		<dict>
			<key>GUID</key><string>0123456789ABCDEF</string>
			<key>Name</key><string>a&lt;b&gt; &#xe9;t&#xe9;</string>
			<key>PID</key><integer>-4242424242</integer>
			<key>Protected Content</key><false/>
			<key>Total Time</key><integer>29000</integer>
		</dict>
		<key>WXYZ.m4r</key>
		<dict>
			<key>Name</key><string>Bell</string>
			<key>Media Kind</key><array><data>AAEC</data><real>1.5</real><date>2020-01-01T00:00:00Z</date></array>
		</dict>
	</dict>
	<key>Sync Anchor</key><integer>7</integer>
</dict>
</plist>
PLIST
    plistutil -i "$CORPUS/seed.xml" -o "$CORPUS/seed.bplist" -f bin
fi

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:${ASAN_OPTIONS:-}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:${UBSAN_OPTIONS:-}"
"$BUILD/bin/fuzz_catalogue" "$CORPUS" \
    -max_total_time="$SECONDS_TO_RUN" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
    -artifact_prefix="$OUT/artifacts/" -print_final_stats=1 "$@"
