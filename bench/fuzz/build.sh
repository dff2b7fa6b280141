#!/usr/bin/env bash
# Configures a clang build with libFuzzer and the sanitizers (every library
# instrumented, not just the harness) and builds one fuzz target.
#   bench/fuzz/build.sh TARGET      (prints nothing; the binary is $BUILD/bin/TARGET)
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
BUILD="${TONQUILL_FUZZ_BUILD_DIR:-$ROOT/build-fuzz}"
SAN="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"

cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_C_FLAGS="$SAN -fsanitize=fuzzer-no-link" \
    -DCMAKE_CXX_FLAGS="$SAN -fsanitize=fuzzer-no-link" \
    -DCMAKE_EXE_LINKER_FLAGS="$SAN" \
    -DTONQUILL_FUZZ=ON -DTONQUILL_BUILD_TESTS=OFF -DTONQUILL_BUILD_BENCH=ON >/dev/null
cmake --build "$BUILD" --target "${1:?usage: build.sh TARGET}" -j2
