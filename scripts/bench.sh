#!/usr/bin/env bash
# Builds and runs the benchmarks (native, optimised).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
ensure_native_toolchain
configure_and_build "$BUILD/bench" -- -DQUORLET_BENCH=ON -DQUORLET_TESTS=OFF -DCMAKE_BUILD_TYPE=Release
for b in "$BUILD"/bench/bench/*_bench; do
    [[ -x "$b" ]] && "$b"
done
